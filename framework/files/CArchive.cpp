#include "framework/files/CArchive.h"

#include <cstring>

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize)
    : m_pFile(pFile), m_nMode(nMode), m_buffer(nBufSize > 0 ? (size_t)nBufSize : 4096),
      m_nBuffered(0), m_nNext(0)
{
}

CArchive::~CArchive()
{
    try
    {
        Close();
    }
    catch (const CFileException&)
    {
    }
}

UINT CArchive::Read(void* pBuffer, UINT nCount)
{
    BYTE* pTo = (BYTE*)pBuffer;
    UINT nDone = 0;
    while (nDone < nCount && m_pFile)
    {
        if (m_nNext == m_nBuffered)
        {
            m_nBuffered = m_pFile->Read(m_buffer.data(), (UINT)m_buffer.size());
            m_nNext = 0;
            if (m_nBuffered == 0)
                break;
        }
        size_t nTake = m_nBuffered - m_nNext;
        if (nTake > nCount - nDone)
            nTake = nCount - nDone;
        memcpy(pTo + nDone, m_buffer.data() + m_nNext, nTake);
        m_nNext += nTake;
        nDone += (UINT)nTake;
    }
    return nDone;
}

void CArchive::Write(const void* pBuffer, UINT nCount)
{
    // Without a file to flush to the buffer never empties.
    if (!m_pFile)
        throw CFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE);
    if (!IsStoring())
        throw CFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED);
    const BYTE* pFrom = (const BYTE*)pBuffer;
    while (nCount > 0)
    {
        if (m_nBuffered == m_buffer.size())
            Flush();
        size_t nTake = m_buffer.size() - m_nBuffered;
        if (nTake > nCount)
            nTake = nCount;
        memcpy(m_buffer.data() + m_nBuffered, pFrom, nTake);
        m_nBuffered += nTake;
        pFrom += nTake;
        nCount -= (UINT)nTake;
    }
}

void CArchive::Flush()
{
    if (!IsStoring() || !m_pFile || m_nBuffered == 0)
        return;
    size_t nBuffered = m_nBuffered;
    m_nBuffered = 0;
    m_pFile->Write(m_buffer.data(), (UINT)nBuffered);
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}
