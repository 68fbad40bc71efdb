#include "framework/files/CFile.h"

namespace
{
DWORD AccessOf(UINT nFlags)
{
    switch (nFlags & 3)
    {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

DWORD SharingOf(UINT nFlags)
{
    switch (nFlags & 0x70)
    {
    case CFile::shareExclusive: return 0;
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    case CFile::shareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    default: return FILE_SHARE_READ;
    }
}

DWORD DispositionOf(UINT nFlags)
{
    if (!(nFlags & CFile::modeCreate))
        return OPEN_EXISTING;
    return (nFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

CTime TimeOf(const FILETIME& ft)
{
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    // 100 ns ticks since 1601 to seconds since 1970.
    return CTime((__time64_t)(u.QuadPart / 10000000ULL) - 11644473600LL);
}
} // namespace

CFile::~CFile()
{
    Abort();
}

BOOL CFile::Open(const wchar_t* pszFileName, UINT nOpenFlags, CFileException* pError)
{
    Abort();
    m_strFileName = pszFileName;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
    m_hFile = CreateFileW(pszFileName, AccessOf(nOpenFlags), SharingOf(nOpenFlags), &sa,
                          DispositionOf(nOpenFlags), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile != INVALID_HANDLE_VALUE)
        return TRUE;
    if (pError)
        *pError = CFileException::FromLastError(pszFileName);
    return FALSE;
}

void CFile::ThrowLastError() const
{
    throw CFileException::FromLastError(m_strFileName);
}

UINT CFile::Read(void* pBuffer, UINT nCount)
{
    DWORD nRead = 0;
    if (!ReadFile(m_hFile, pBuffer, nCount, &nRead, nullptr))
        ThrowLastError();
    return nRead;
}

void CFile::Write(const void* pBuffer, UINT nCount)
{
    DWORD nWritten = 0;
    if (!WriteFile(m_hFile, pBuffer, nCount, &nWritten, nullptr))
        ThrowLastError();
    if (nWritten != nCount)
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

void CFile::Flush()
{
    if (IsOpen() && !FlushFileBuffers(m_hFile))
        ThrowLastError();
}

void CFile::Close()
{
    if (!IsOpen())
        return;
    HANDLE hFile = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (!CloseHandle(hFile))
        ThrowLastError();
}

void CFile::Abort()
{
    if (IsOpen())
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

ULONGLONG CFile::Seek(LONGLONG lOffset, UINT nFrom)
{
    LARGE_INTEGER distance, position;
    distance.QuadPart = lOffset;
    if (!SetFilePointerEx(m_hFile, distance, &position, nFrom))
        ThrowLastError();
    return (ULONGLONG)position.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return (ULONGLONG)size.QuadPart;
}

BOOL CFile::GetStatus(const wchar_t* pszFileName, CFileStatus& status)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(pszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    status.m_ctime = TimeOf(data.ftCreationTime);
    status.m_mtime = TimeOf(data.ftLastWriteTime);
    status.m_atime = TimeOf(data.ftLastAccessTime);
    status.m_size = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    status.m_attribute = (BYTE)data.dwFileAttributes;
    if (!GetFullPathNameW(pszFileName, MAX_PATH, status.m_szFullName, nullptr))
        status.m_szFullName[0] = 0;
    return TRUE;
}

void CFile::Remove(const wchar_t* pszFileName)
{
    if (!DeleteFileW(pszFileName))
        throw CFileException::FromLastError(pszFileName);
}

void CFile::Rename(const wchar_t* pszOldName, const wchar_t* pszNewName)
{
    if (!MoveFileW(pszOldName, pszNewName))
        throw CFileException::FromLastError(pszOldName);
}
