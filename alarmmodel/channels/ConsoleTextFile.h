// Work files shared with the command interpreter and the script host: batch files and captured
// console output in the OEM code page that the interpreter reads and writes, and scripts in
// a form the script host reads without losing a character.
#pragma once

#include "support/TextFile.h"

#include <string>

// The console code page of the interpreter's batch files and output: the system's OEM code page,
// which a test may play (with Windows' "Use Unicode UTF-8 for worldwide language support" it is
// 65001). Null restores the system's; returns the function that was in place.
typedef UINT (*CodePageFunction)();
CodePageFunction SetOemCodePageFunction(CodePageFunction fn);

class CConsoleTextFile : public CTextFile
{
public:
    explicit CConsoleTextFile(const wchar_t* pszPath) : CTextFile(pszPath) {}

    // Deletes the file; FALSE, with strError, when it is still there (held open elsewhere),
    // so that an earlier run's content is never read as a later one's.
    BOOL Remove(CString& strError);
    BOOL Exists() const;
    // Each line followed by CR LF. A line with a character that has no OEM form refuses the
    // whole file: nothing is written and strError tells which line.
    BOOL WriteOemLines(const CStringArray& lines, CString& strError);
    // One entry per line without its line end; a missing or empty file gives none.
    BOOL ReadOemLines(CStringArray& lines);
    // The same for a run whose program wrote between two marker lines: that part is read as
    // UTF-16LE when it holds a NUL byte (the script host's Unicode output), otherwise in the
    // OEM code page like the rest.
    BOOL ReadOemLinesAround(const char* pszStartMarker, const char* pszEndMarker, CStringArray& lines);
    // Each line followed by CR LF: in the ANSI code page when every character has its exact
    // form there, otherwise the whole file in UTF-16LE behind a byte-order mark, so that no
    // character can cut the script short.
    BOOL WriteScriptLines(const CStringArray& lines);

private:
    BOOL ReadBytes(std::string& content);
    BOOL WriteBytes(const void* pData, DWORD nBytes);
};
