#include "framework/files/CStdioFile.h"

#include <cstring>

CStdioFile::~CStdioFile()
{
    try
    {
        FlushWriteBuffer();
    }
    catch (const CFileException&)
    {
    }
    CFile::Abort();
}

BOOL CStdioFile::Open(const wchar_t* pszFileName, UINT nOpenFlags, CFileException* pError)
{
    Abort();
    m_bText = (nOpenFlags & typeBinary) ? FALSE : TRUE;
    return CFile::Open(pszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pError);
}

BOOL CStdioFile::FillReadBuffer()
{
    m_readBuffer.resize(kBufferSize);
    UINT nRead = CFile::Read(&m_readBuffer[0], (UINT)kBufferSize);
    m_readBuffer.resize(nRead);
    m_nReadPos = 0;
    return nRead > 0;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    BOOL bAny = FALSE;
    for (;;)
    {
        if (m_nReadPos >= m_readBuffer.size() && !FillReadBuffer())
            break;
        bAny = TRUE;
        const char* start = m_readBuffer.data() + m_nReadPos;
        size_t nAvail = m_readBuffer.size() - m_nReadPos;
        const char* lf = (const char*)memchr(start, '\n', nAvail);
        size_t nTake = lf ? (size_t)(lf - start) : nAvail;
        int nOld = rString.GetLength();
        wchar_t* out = rString.GetBufferSetLength(nOld + (int)nTake) + nOld;
        for (size_t i = 0; i < nTake; ++i)
            out[i] = (wchar_t)(unsigned char)start[i];
        m_nReadPos += nTake;
        if (lf)
        {
            ++m_nReadPos;
            int nLength = rString.GetLength();
            if (m_bText && nLength > 0 && rString[nLength - 1] == L'\r')
                rString.GetBufferSetLength(nLength - 1);
            break;
        }
    }
    return bAny;
}

void CStdioFile::WriteString(const wchar_t* pszText)
{
    if (m_writeBuffer.capacity() < kBufferSize + 2)
        m_writeBuffer.reserve(kBufferSize + 2);
    for (const wchar_t* p = pszText; *p; ++p)
    {
        if (*p > 0xFF)
            throw CFileException(CFileException::invalidFile, ERROR_NO_UNICODE_TRANSLATION, m_strFileName);
        if (*p == L'\n' && m_bText)
            m_writeBuffer += '\r';
        m_writeBuffer += (char)(unsigned char)*p;
        if (m_writeBuffer.size() >= kBufferSize)
            FlushWriteBuffer();
    }
}

UINT CStdioFile::Read(void* pBuffer, UINT nCount)
{
    UINT nDone = 0;
    char* out = (char*)pBuffer;
    while (nDone < nCount)
    {
        if (m_nReadPos >= m_readBuffer.size() && !FillReadBuffer())
            break;
        size_t nTake = std::min<size_t>(nCount - nDone, m_readBuffer.size() - m_nReadPos);
        memcpy(out + nDone, m_readBuffer.data() + m_nReadPos, nTake);
        m_nReadPos += nTake;
        nDone += (UINT)nTake;
    }
    return nDone;
}

void CStdioFile::Write(const void* pBuffer, UINT nCount)
{
    m_writeBuffer.append((const char*)pBuffer, nCount);
    if (m_writeBuffer.size() >= kBufferSize)
        FlushWriteBuffer();
}

void CStdioFile::FlushWriteBuffer()
{
    if (m_writeBuffer.empty() || !IsOpen())
        return;
    std::string pending;
    pending.swap(m_writeBuffer);
    CFile::Write(pending.data(), (UINT)pending.size());
}

void CStdioFile::Flush()
{
    FlushWriteBuffer();
    CFile::Flush();
}

void CStdioFile::Close()
{
    try
    {
        FlushWriteBuffer();
    }
    catch (const CFileException&)
    {
        CFile::Abort();
        throw;
    }
    m_readBuffer.clear();
    m_nReadPos = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_writeBuffer.clear();
    m_readBuffer.clear();
    m_nReadPos = 0;
    CFile::Abort();
}
