// A file written beside its target and put in the target's place only once it is whole, so that
// a failed write (a full disk, a lost share) leaves the previous file as it was.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>

#include <functional>

// write gets the path of the new file (made empty in the target's folder), closes it and answers
// whether everything was written. The new file is flushed to the disk and then renamed with
// write-through. FALSE, with the target untouched and the new file gone, when the new file cannot
// be made, written, flushed or moved into place.
BOOL WriteBesideThenReplace(const CString& strTarget, const std::function<BOOL(const wchar_t* pszNewFile)>& write);

// The file-system steps that put the written file in place: the system's, unless a test puts its
// own in place to see them.
struct ReplacingFileSteps
{
    std::function<BOOL(const wchar_t* pszFile)> flush; // the file's data onto the disk
    std::function<BOOL(const wchar_t* pszFrom, const wchar_t* pszTo, DWORD dwFlags)> move;
};

// Returns the steps that were in place; an empty function puts the system's step back.
ReplacingFileSteps SetReplacingFileSteps(ReplacingFileSteps steps);
