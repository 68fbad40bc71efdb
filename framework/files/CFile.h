// An unbuffered Windows file. Open reports failure through its return value; Read, Write and
// the other operations on an open file throw CFileException.
#pragma once

#include "framework/files/CFileException.h"
#include "framework/files/CFileStatus.h"

class CFile
{
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000, // others may read
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };

    CFile() : m_hFile(INVALID_HANDLE_VALUE) {}
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // Closes the file; errors are not reported here.
    virtual ~CFile();

    virtual BOOL Open(const wchar_t* pszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // The number of bytes read; 0 at the end of the file.
    virtual UINT Read(void* pBuffer, UINT nCount);
    virtual void Write(const void* pBuffer, UINT nCount);
    virtual void Flush();
    virtual void Close();
    // Closes without reporting errors.
    virtual void Abort();

    virtual ULONGLONG Seek(LONGLONG lOffset, UINT nFrom);
    virtual ULONGLONG GetLength() const;
    BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    const CString& GetFilePath() const { return m_strFileName; }

    static BOOL GetStatus(const wchar_t* pszFileName, CFileStatus& status);
    static void Remove(const wchar_t* pszFileName);
    static void Rename(const wchar_t* pszOldName, const wchar_t* pszNewName);

    HANDLE m_hFile;

protected:
    [[noreturn]] void ThrowLastError() const;

    CString m_strFileName;
};
