// A file in memory: it grows in steps of the grow size as it is written, or reads a block the
// caller lends it (read-only: that block is never written, reallocated or freed).
#pragma once

#include "framework/files/CFile.h"

#include <vector>

class CMemFile : public CFile
{
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(const BYTE* pBuffer, UINT nBufferSize);
    ~CMemFile() override;

    UINT Read(void* pBuffer, UINT nCount) override;
    // Throws CFileException: accessDenied on a lent block, diskFull when memory runs out or
    // the end would pass the address range.
    void Write(const void* pBuffer, UINT nCount) override;
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }
    // Throws CFileException (badSeek) before the start or past what memory can address.
    ULONGLONG Seek(LONGLONG lOffset, UINT nFrom) override;
    ULONGLONG GetLength() const override { return m_nFileSize; }

    // The bytes written so far.
    const BYTE* GetBuffer() const { return m_pBuffer; }

private:
    void Grow(size_t nNewSize);

    BYTE* m_pBuffer;
    size_t m_nBufferSize;
    size_t m_nFileSize;
    size_t m_nPosition;
    UINT m_nGrowBytes;
    BOOL m_bOwnsBuffer;
};
