// A failed file operation: the cause in the framework's terms, the operating system's error
// code and the file concerned. CFile throws it by value.
#pragma once

#include "framework/core/CString.h"

class CFileException
{
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException(int cause = none, LONG lOsError = -1, const wchar_t* pszFileName = nullptr);
    virtual ~CFileException() {}

    static int OsErrorToCause(LONG lOsError);
    // Cause and error of the calling thread's last Windows error.
    static CFileException FromLastError(const wchar_t* pszFileName);

    // The system's one-line text for the OS error, cut to nMaxError - 1 characters.
    BOOL GetErrorMessage(wchar_t* pszError, UINT nMaxError) const;
    CString GetErrorMessage() const;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};
