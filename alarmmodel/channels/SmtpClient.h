// Sends one plain-text mail through an SMTP server, keeping a transcript of the dialogue and the
// text of the last error. All texts are 8-bit (ANSI code page).
#pragma once

#include "alarmmodel/channels/SmtpRecipient.h"

#include <winsock2.h>

#include <optional>
#include <vector>

class CSmtpClient
{
public:
    // Starts WinSock 2.2; throws std::runtime_error (error text set) when it cannot.
    CSmtpClient();
    virtual ~CSmtpClient();

    // nPort in network byte order; 0 is the "mail" service's port (25 when none is defined).
    BOOL Connect(const char* pszHost, USHORT nPort);
    SOCKET OpenSocket(const char* pszHost, USHORT nPort);
    BOOL IsConnected() const { return m_bConnected; }

    void SetSenderName(const char* pszText) { m_strSenderName = CStringA(pszText); }
    void SetSenderAddress(const char* pszText) { m_strSenderAddress = CStringA(pszText); }
    void SetSubject(const char* pszText) { m_strSubject = CStringA(pszText); }
    void SetBody(const char* pszText) { m_strBody = CStringA(pszText); }
    void SetXMailer(const char* pszText) { m_strMailer = CStringA(pszText); }
    // FALSE (nothing added) for an empty address or one holding a line break or angle bracket.
    BOOL AddTo(const char* pszAddress, const char* pszName) { return AddRecipient(m_arrTo, pszAddress, pszName); }
    BOOL AddCc(const char* pszAddress, const char* pszName) { return AddRecipient(m_arrCc, pszAddress, pszName); }
    BOOL AddBcc(const char* pszAddress, const char* pszName) { return AddRecipient(m_arrBcc, pszAddress, pszName); }
    // Copies the login into its fields; FALSE with the error text set when either is too long.
    BOOL SetCredentials(const char* pszUserName, const char* pszPassword);

    BOOL Send();
    BOOL Quit();
    // FALSE when there is no To recipient.
    BOOL FormatHeader(CStringA& strHeader) const;

    void LogSent(const char* pszText);
    void LogReceived(const char* pszText);
    void AppendTranscript(const char* pszPrefix, const char* pszText, int nLength);
    BOOL RecordSocketError(BOOL bSend, int nCount);
    BOOL CheckReply(const char* pszReply);

    BOOL m_bConnected;
    int m_nLastError;
    char m_szReplyText[4096];
    char m_szErrorText[1024];
    // The login; an empty user name means no authentication.
    char m_szPassword[1024];
    char m_szUserName[1024];
    CStringA m_strHeader;
    // Absent until set.
    std::optional<CStringA> m_strSenderAddress;
    std::optional<CStringA> m_strSenderName;
    std::optional<CStringA> m_strSubject;
    std::optional<CStringA> m_strBody;
    std::optional<CStringA> m_strMailer;
    SOCKET m_hSocket;
    CStringA m_strTranscript;
    WSADATA m_wsaData;
    std::vector<CSmtpRecipient> m_arrTo;
    std::vector<CSmtpRecipient> m_arrCc;
    std::vector<CSmtpRecipient> m_arrBcc;

private:
    BOOL AddRecipient(std::vector<CSmtpRecipient>& list, const char* pszAddress, const char* pszName);
    void SetError(const char* pszText);
    BOOL Refuse(const char* pszText);
    BOOL SendText(const CStringA& strText);
    BOOL ReadReply(CStringA& strReply);
    BOOL Command(const CStringA& strLine, const char* pszLogged, CStringA& strGathered);
    BOOL ReadAndCheck(CStringA& strGathered);
    BOOL Login(CStringA& strGathered);
    void LogLines(const char* pszPrefix, const char* pszText);
};
