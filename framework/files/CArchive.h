// A buffered stream of bytes to or from a file: a storing archive collects writes in its buffer
// and writes them to the file when the buffer is full, on Flush and on Close; a loading archive
// reads the file ahead in buffer-sized pieces.
#pragma once

#include "framework/files/CFile.h"

#include <vector>

class CArchive
{
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096);
    // Flushes a storing archive; errors are not reported here.
    ~CArchive();

    BOOL IsLoading() const { return m_nMode == load; }
    BOOL IsStoring() const { return m_nMode == store; }
    CFile* GetFile() const { return m_pFile; }

    // The number of bytes read; fewer than asked at the end of the file.
    UINT Read(void* pBuffer, UINT nCount);
    // Throws the file's CFileException when the file refuses the bytes; CFileException
    // invalidFile after Close, accessDenied on a loading archive.
    void Write(const void* pBuffer, UINT nCount);
    void Flush();
    void Close();

private:
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    size_t m_nBuffered; // storing: bytes waiting; loading: bytes read ahead
    size_t m_nNext;     // loading: next byte to hand out
};
