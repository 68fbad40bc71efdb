#include "framework/files/CFileException.h"

CFileException::CFileException(int cause, LONG lOsError, const wchar_t* pszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(pszFileName)
{
}

int CFileException::OsErrorToCause(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_NO_UNICODE_TRANSLATION: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

CFileException CFileException::FromLastError(const wchar_t* pszFileName)
{
    LONG lError = (LONG)GetLastError();
    return CFileException(OsErrorToCause(lError), lError, pszFileName);
}

BOOL CFileException::GetErrorMessage(wchar_t* pszError, UINT nMaxError) const
{
    if (!pszError || nMaxError == 0)
        return FALSE;
    CString text = GetErrorMessage();
    lstrcpynW(pszError, text, (int)nMaxError);
    return TRUE;
}

CString CFileException::GetErrorMessage() const
{
    wchar_t buf[512] = L"";
    CString text;
    if (m_lOsError > 0 &&
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, (DWORD)m_lOsError, 0,
                       buf, 511, nullptr) > 0)
        text = buf;
    else
        text.Format(L"A file error %d occurred on %s.", m_cause, m_strFileName.GetString());
    text.TrimRight();
    return text;
}
