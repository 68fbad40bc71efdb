#include "framework/files/CMemFile.h"

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
    size_t nSize = (nNewSize + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
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
    LONGLONG nBase = nFrom == begin ? 0 : nFrom == current ? (LONGLONG)m_nPosition : (LONGLONG)m_nFileSize;
    if (nBase + lOffset < 0)
        throw CFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK);
    m_nPosition = (size_t)(nBase + lOffset);
    return m_nPosition;
}
