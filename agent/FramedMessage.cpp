#include "agent/FramedMessage.h"

#include "agent/MessageCipher.h"
#include "agent/TraceLog.h"

#include <cstring>

namespace
{
const BYTE s_magic[8] = {0xC0, 0xDE, 0xFE, 0xED, 0xC0, 0xDE, 0xFE, 0xED};

// A set-targets request carries its text from offset 28, so it cannot be shorter.
const DWORD s_setTargetsType = 4;

DWORD ReadWord(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}
} // namespace

DWORD CFramedMessage::Checksum(const BYTE* pData, DWORD nLength)
{
    DWORD dwSum = 0;
    for (DWORD i = 0; i < nLength; ++i)
        dwSum += pData[i];
    return dwSum;
}

DWORD CFramedMessage::GetWord(DWORD nOffset) const
{
    return nOffset + 4 <= m_data.size() ? ReadWord(&m_data[nOffset]) : 0;
}

void CFramedMessage::SetWord(DWORD nOffset, DWORD dwValue)
{
    for (int i = 0; i < 4; ++i)
        m_data[nOffset + i] = (BYTE)(dwValue >> (8 * i));
}

void CFramedMessage::FinishHeader(DWORD dwType)
{
    SetWord(12, 0);
    SetWord(8, GetLength());
    SetWord(16, dwType);
    memcpy(&m_data[0], s_magic, sizeof(s_magic));
    SetWord(12, Checksum(GetData(), GetLength()));
}

void CFramedMessage::BuildText(DWORD dwType, DWORD dwResult, const wchar_t* pszText, DWORD dwKeyNumber)
{
    DWORD nChars = pszText ? (DWORD)wcslen(pszText) : 0;
    DWORD nCipherBytes = (8 + 2 * (nChars + 1) + 7) / 8 * 8;
    m_data.assign(nHeaderSize + nCipherBytes, 0);
    SetWord(20, 1);
    SetWord(24, dwResult);
    // Windows keeps UTF-16 little-endian, as the wire does.
    if (nChars > 0)
        memcpy(&m_data[nTextOffset], pszText, 2 * nChars);
    TraceLog().Trace(9, L"Encrypting %d of %d bytes", (int)nCipherBytes, (int)GetLength());
    CMessageCipher().Encrypt(dwKeyNumber, &m_data[nHeaderSize], nCipherBytes);
    FinishHeader(dwType);
}

void CFramedMessage::BuildRecord(DWORD dwType, const BYTE* pPayload, DWORD nPayloadBytes)
{
    m_data.assign(nTextOffset + nPayloadBytes + 1, 0);
    SetWord(20, 1);
    if (nPayloadBytes > 0)
        memcpy(&m_data[nTextOffset], pPayload, nPayloadBytes);
    FinishHeader(dwType);
}

int CFramedMessage::Decipher(DWORD dwKeyNumber, DWORD nOffset)
{
    if (nOffset > GetLength())
        return 0;
    return CMessageCipher().Decrypt(dwKeyNumber, m_data.data() + nOffset, GetLength() - nOffset);
}

CString CFramedMessage::GetText() const
{
    CString strText;
    for (DWORD offset = nTextOffset; offset + 2 <= GetLength(); offset += 2)
    {
        wchar_t ch = (wchar_t)(m_data[offset] | (m_data[offset + 1] << 8));
        if (ch == L'\0')
            break;
        strText += ch;
    }
    return strText;
}

CFramedMessage::ESendResult CFramedMessage::Send(SOCKET s, BOOL bRetryFailedCalls)
{
    CSocketCalls calls;
    return Send(s, bRetryFailedCalls, calls);
}

CFramedMessage::ESendResult CFramedMessage::Send(SOCKET s, BOOL bRetryFailedCalls, CSocketCalls& calls)
{
    DWORD nRemaining = GetLength();
    m_nBytesSent = 0;
    m_nFailedCallBytes = 0;
    m_nLastSocketError = 0;
    for (int nCalls = 0; nRemaining > 0 && nCalls < nMaxSendCalls; ++nCalls)
    {
        DWORD nChunk = nRemaining < (DWORD)nChunkSize ? nRemaining : (DWORD)nChunkSize;
        int nSent = calls.Send(s, reinterpret_cast<const char*>(GetData() + m_nBytesSent), (int)nChunk);
        if (nSent < 0 || (DWORD)nSent > nChunk)
        {
            m_nFailedCallBytes = nChunk;
            m_nLastSocketError = calls.LastError();
            if (!bRetryFailedCalls)
                return eCallFailed;
            continue;
        }
        m_nBytesSent += (DWORD)nSent;
        nRemaining -= (DWORD)nSent;
    }
    if (nRemaining == 0)
        return eSent;
    m_nLastSocketError = calls.LastError();
    return eCallsUsedUp;
}

BOOL CFramedMessage::IsAcceptableHeader(const BYTE header[nHeaderSize])
{
    DWORD nLength = ReadWord(header + 8);
    DWORD nMinimum = ReadWord(header + 16) == s_setTargetsType ? (DWORD)nTextOffset : (DWORD)nHeaderSize;
    return memcmp(header, s_magic, sizeof(s_magic)) == 0 && nLength >= nMinimum && nLength <= (DWORD)nMaxLength;
}

CFramedMessage::EReceiveResult CFramedMessage::Receive(SOCKET s)
{
    CSocketCalls calls;
    return Receive(s, calls);
}

// The header is read, not only peeked, so the first part of a header that arrives in two
// segments is kept while the rest is awaited.
CFramedMessage::EReceiveResult CFramedMessage::ReceiveHeader(SOCKET s, CSocketCalls& calls, BYTE header[nHeaderSize])
{
    int nHave = 0;
    int nFailed = 0;
    while (nHave < nHeaderSize)
    {
        int n = calls.Receive(s, reinterpret_cast<char*>(header + nHave), nHeaderSize - nHave);
        if (n == 0)
            return eClosed;
        if (n > 0)
        {
            nHave += n;
            continue;
        }
        if (++nFailed >= nMaxHeaderCalls)
        {
            TraceLog().WriteLine(L"Error peaking incoming message");
            return eHeaderFailed;
        }
    }
    return eReceived;
}

CFramedMessage::EReceiveResult CFramedMessage::ReceiveBody(SOCKET s, CSocketCalls& calls)
{
    DWORD nHave = nHeaderSize;
    for (int nCalls = 0; nHave < GetLength(); ++nCalls)
    {
        if (nCalls >= nMaxBodyCalls)
        {
            TraceLog().WriteLine(L"Error reading incoming message");
            return eBodyFailed;
        }
        DWORD nRemaining = GetLength() - nHave;
        int nAsk = nRemaining < (DWORD)nChunkSize ? (int)nRemaining : nChunkSize;
        int n = calls.Receive(s, reinterpret_cast<char*>(&m_data[nHave]), nAsk);
        if (n == 0)
        {
            TraceLog().WriteLine(L"Error reading incoming message: connection closed after %u of %u bytes",
                                 (unsigned)nHave, (unsigned)GetLength());
            return eBodyFailed;
        }
        if (n > 0)
            nHave += (DWORD)n;
    }
    return eReceived;
}

CFramedMessage::EReceiveResult CFramedMessage::Receive(SOCKET s, CSocketCalls& calls)
{
    m_data.clear();
    BYTE header[nHeaderSize];
    EReceiveResult result = ReceiveHeader(s, calls, header);
    if (result != eReceived)
        return result;
    if (!IsAcceptableHeader(header))
    {
        TraceLog().WriteLine(L"Refused incoming message: type %u, length %u", (unsigned)ReadWord(header + 16),
                             (unsigned)ReadWord(header + 8));
        return eRefused;
    }
    m_data.assign(ReadWord(header + 8), 0);
    memcpy(&m_data[0], header, nHeaderSize);
    result = ReceiveBody(s, calls);
    if (result != eReceived)
    {
        m_data.clear();
        return result;
    }
    DWORD dwChecksum = GetWord(12);
    SetWord(12, 0);
    if (Checksum(GetData(), GetLength()) != dwChecksum)
    {
        TraceLog().WriteLine(L"Refused incoming message: type %u, checksum %08X does not match", (unsigned)GetType(),
                             (unsigned)dwChecksum);
        m_data.clear();
        return eRefused;
    }
    SetWord(12, dwChecksum);
    return eReceived;
}
