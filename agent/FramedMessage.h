// One framed TCP message of the product line: a 20-byte header (magic, total length, checksum,
// type) and a body, with the send and receive loops shared by all senders.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include "framework/core/CString.h"

#include <vector>

// The socket calls of the loops, a seam so that partial sends can be exercised.
class CSocketCalls
{
public:
    virtual ~CSocketCalls() {}
    virtual int Send(SOCKET s, const char* pData, int nLength) { return ::send(s, pData, nLength, 0); }
    virtual int Receive(SOCKET s, char* pData, int nLength) { return ::recv(s, pData, nLength, 0); }
    virtual int LastError() { return WSAGetLastError(); }
};

class CFramedMessage
{
public:
    enum
    {
        nHeaderSize = 20,
        nTextOffset = 28,
        nChunkSize = 32768,
        nMaxSendCalls = 64,
        nMaxHeaderCalls = 10,
        nMaxBodyCalls = 64,
        nMaxLength = 1024 * 1024,
    };
    enum ESendResult
    {
        eSent,
        eCallFailed,  // a send call failed and the sender stops at once
        eCallsUsedUp, // nMaxSendCalls calls and bytes still remaining
    };
    enum EReceiveResult
    {
        eReceived,
        eClosed,     // the peer closed before a header arrived
        eHeaderFailed,
        eBodyFailed, // calls used up, or the peer closed in mid-message
        eRefused,    // a header that is not a frame of ours
    };

    // Type of a reply: the request's type with the top bit set.
    static DWORD ReplyType(DWORD dwRequestType) { return dwRequestType | 0x80000000UL; }

    // An agent text message: marker 1, the result word, the UTF-16 text with its NUL, padded so
    // that bytes 20 onward are a whole number of cipher blocks, enciphered under dwKeyNumber.
    void BuildText(DWORD dwType, DWORD dwResult, const wchar_t* pszText, DWORD dwKeyNumber);
    // An unenciphered record: marker 1, 0, the payload bytes, one zero byte.
    void BuildRecord(DWORD dwType, const BYTE* pPayload, DWORD nPayloadBytes);

    // Sends the whole message in calls of at most nChunkSize bytes. With bRetryFailedCalls a
    // failed call is counted and the same bytes are tried again; otherwise the loop stops.
    ESendResult Send(SOCKET s, BOOL bRetryFailedCalls, CSocketCalls& calls);
    ESendResult Send(SOCKET s, BOOL bRetryFailedCalls);
    // Reads one whole message; a refused or failed one is traced (unlevelled).
    EReceiveResult Receive(SOCKET s, CSocketCalls& calls);
    EReceiveResult Receive(SOCKET s);

    // Deciphers bytes nOffset to the end in place; the cipher's result (0 when that part is
    // not a whole number of blocks, the bytes then left as they came).
    int Decipher(DWORD dwKeyNumber, DWORD nOffset);
    // The NUL-terminated UTF-16 text at offset 28, never read past the message's end.
    CString GetText() const;

    DWORD GetLength() const { return (DWORD)m_data.size(); }
    const BYTE* GetData() const { return m_data.data(); }
    DWORD GetType() const { return GetWord(16); }
    DWORD GetResult() const { return GetWord(24); }
    DWORD GetWord(DWORD nOffset) const;
    static DWORD Checksum(const BYTE* pData, DWORD nLength);

    // Outcome of the last Send: bytes sent, bytes handed to the failed call, its socket error.
    DWORD m_nBytesSent = 0;
    DWORD m_nFailedCallBytes = 0;
    int m_nLastSocketError = 0;

private:
    void SetWord(DWORD nOffset, DWORD dwValue);
    void FinishHeader(DWORD dwType);
    EReceiveResult ReceiveHeader(SOCKET s, CSocketCalls& calls, BYTE header[nHeaderSize]);
    EReceiveResult ReceiveBody(SOCKET s, CSocketCalls& calls);
    static BOOL IsAcceptableHeader(const BYTE header[nHeaderSize]);

    std::vector<BYTE> m_data;
};
