#include "framework/files/CMemFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

CMemFile::CMemFile(UINT nGrowBytes)
    : m_pBuffer(nullptr), m_nBufferSize(0), m_nFileSize(0), m_nPosition(0),
      m_nGrowBytes(nGrowBytes ? nGrowBytes : 1024), m_bOwnsBuffer(TRUE)
{
}

CMemFile::CMemFile(const BYTE* pBuffer, UINT nBufferSize)
    : m_pBuffer(const_cast<BYTE*>(pBuffer)), m_nBufferSize(nBufferSize), m_nFileSize(nBufferSize),
      m_nPosition(0), m_nGrowBytes(0), m_bOwnsBuffer(FALSE)
{
}

CMemFile::~CMemFile()
{
    Close();
}

UINT CMemFile::Read(void* pBuffer, UINT nCount)
{
    if (m_nPosition >= m_nFileSize)
        return 0;
    size_t nRead = m_nFileSize - m_nPosition;
    if (nRead > nCount)
        nRead = nCount;
    memcpy(pBuffer, m_pBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return (UINT)nRead;
}

void CMemFile::Write(const void* pBuffer, UINT nCount)
{
    if (!m_bOwnsBuffer)
        throw CFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED);
    if (nCount == 0)
        return;
    // An end past the address range would wrap and land the bytes before the buffer.
    if (nCount > SIZE_MAX - m_nPosition)
        throw CFileException(CFileException::diskFull, ERROR_NOT_ENOUGH_MEMORY);
    size_t nEnd = m_nPosition + nCount;
    if (nEnd > m_nBufferSize)
        Grow(nEnd);
    memcpy(m_pBuffer + m_nPosition, pBuffer, nCount);
    m_nPosition = nEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

void CMemFile::Grow(size_t nNewSize)
{
    // Rounded up to the grow size, unless rounding would pass the address range.
    size_t nSize = nNewSize;
    if (nNewSize <= SIZE_MAX - (m_nGrowBytes - 1))
        nSize = (nNewSize + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    BYTE* pNew = (BYTE*)realloc(m_pBuffer, nSize);
    if (!pNew)
        throw CFileException(CFileException::diskFull, ERROR_NOT_ENOUGH_MEMORY);
    // Bytes between the end and a position sought past it read as zero.
    memset(pNew + m_nBufferSize, 0, nSize - m_nBufferSize);
    m_pBuffer = pNew;
    m_nBufferSize = nSize;
}

void CMemFile::Close()
{
    if (m_bOwnsBuffer)
        free(m_pBuffer);
    m_pBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

ULONGLONG CMemFile::Seek(LONGLONG lOffset, UINT nFrom)
{
    ULONGLONG nBase = nFrom == begin ? 0 : nFrom == current ? m_nPosition : m_nFileSize;
    ULONGLONG nDistance = lOffset < 0 ? (ULONGLONG)-(lOffset + 1) + 1 : (ULONGLONG)lOffset;
    if (lOffset < 0 && nDistance > nBase)
        throw CFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK);
    // A position memory cannot address is refused, never cut.
    if (lOffset >= 0 && nDistance > SIZE_MAX - nBase)
        throw CFileException(CFileException::badSeek, ERROR_SEEK);
    m_nPosition = (size_t)(lOffset < 0 ? nBase - nDistance : nBase + nDistance);
    return m_nPosition;
}
