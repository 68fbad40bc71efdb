// A list of lines moved through a UTF-8 file that another program (an editor) may hold open:
// written fresh (no byte-order mark, CR LF between lines, none after the last), read in large
// blocks, with retries while the file is locked.
#pragma once

#include "framework/Framework.h"

class CLinesFile
{
public:
    // An empty path means "Qxm Tmp.txt" in the work folder (or the program folder).
    explicit CLinesFile(const wchar_t* pszPath = L"");
    virtual ~CLinesFile() {}

    BOOL Write(const CStringArray& lines, BOOL bShowErrors);
    // Every line ends at CR, LF or CR LF. Without bUtf8 the bytes are ANSI text; with it,
    // UTF-8, and a line that is not valid UTF-8 is taken as ANSI.
    BOOL ReadLines(CStringArray& lines, BOOL bShowErrors, BOOL bUtf8);
    // Removes the file and waits (at most 5 s) until it is gone.
    void DeleteAndWait();

    CString m_strPath;
    CString m_strLastError;

protected:
    // Shows a failure over the application's window; tests capture it instead.
    virtual void ShowError(const CString& strMessage);

private:
    BOOL Fail(const wchar_t* pszFormat, const CFileException& error, BOOL bShowErrors);
    BOOL OpenForReading(CFile& file, CFileException& error);
};
