#include "alarmmodel/channels/SmtpClient.h"

#include "agent/SocketErrorText.h"
#include "support/Base64.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

namespace
{
const char kSentPrefix[] = "=>   ";
const char kReceivedPrefix[] = "  <= ";
const char kMaskedPassword[] = "********";
const int kLoginBufferSize = 1024;
// The longest login whose Base64 form and terminator fit the login buffer.
const size_t kMaxLoginLength = (kLoginBufferSize - 1) / 4 * 3;
// A server that never ends its reply must not fill the memory.
const int kMaxReplyLength = 65536;
// Lines of a message may hold 998 octets (RFC 5322); longer ones go quoted-printable.
const int kMaxLineLength = 998;
const int kMaxEncodedLineLength = 76;

// A header value on one line: every line break becomes a blank, so that no text of the caller
// can start a header of its own.
CStringA OneLine(const CStringA& strText)
{
    CStringA line = strText;
    line.Replace("\r\n", " ");
    line.Replace('\r', ' ');
    line.Replace('\n', ' ');
    return line;
}

BOOL EndsLine(const char* p)
{
    return (p[0] == '\r' && p[1] == '\n') || (p[0] == '\n' && p[1] == '\r');
}

// The lines of the body, whatever their line ends (CR LF, LF or CR alone).
std::vector<CStringA> BodyLines(const CStringA& strBody)
{
    std::vector<CStringA> lines;
    CStringA line;
    const char* p = strBody.GetString();
    for (int i = 0; i < strBody.GetLength(); ++i)
    {
        if (p[i] == '\r' || p[i] == '\n')
        {
            if (p[i] == '\r' && p[i + 1] == '\n')
                ++i;
            lines.push_back(line);
            line.Empty();
        }
        else
            line += p[i];
    }
    lines.push_back(line);
    return lines;
}

// Quoted-printable (RFC 2045) lines of one body line, soft breaks before 76 characters.
void AppendQuotedPrintable(const CStringA& strLine, std::vector<CStringA>& lines)
{
    CStringA out;
    for (int i = 0; i < strLine.GetLength(); ++i)
    {
        unsigned char ch = (unsigned char)strLine[i];
        BOOL bLast = i + 1 == strLine.GetLength();
        CStringA piece;
        if ((ch >= 33 && ch <= 126 && ch != '=') || ((ch == ' ' || ch == '\t') && !bLast))
            piece = (char)ch;
        else
            piece.Format("=%02X", ch);
        if (out.GetLength() + piece.GetLength() > kMaxEncodedLineLength - 1)
        {
            lines.push_back(out + "=");
            out.Empty();
        }
        out += piece;
    }
    lines.push_back(out);
}

// The body as it goes on the wire: CR LF line ends, quoted-printable when a line is too long
// for SMTP, and a leading '.' doubled so that no line ends the data early.
CStringA WireBody(const CStringA& strBody, BOOL& bQuotedPrintable)
{
    std::vector<CStringA> lines = BodyLines(strBody);
    bQuotedPrintable = FALSE;
    for (const CStringA& line : lines)
        if (line.GetLength() > kMaxLineLength)
            bQuotedPrintable = TRUE;
    if (bQuotedPrintable)
    {
        std::vector<CStringA> encoded;
        for (const CStringA& line : lines)
            AppendQuotedPrintable(line, encoded);
        lines.swap(encoded);
    }
    CStringA wire;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        if (i > 0)
            wire += "\r\n";
        if (lines[i].Left(1) == ".")
            wire += '.';
        wire += lines[i];
    }
    return wire;
}

CStringA JoinRecipients(const std::vector<CSmtpRecipient>& list)
{
    CStringA joined;
    for (size_t i = 0; i < list.size(); ++i)
    {
        if (i > 0)
            joined += ',';
        joined += list[i].m_strText;
    }
    return joined;
}

// RFC 5322 wants English names whatever the system's language.
CStringA DateText(const SYSTEMTIME& st)
{
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    CStringA text;
    text.Format("%s, %02u %s %04u %02u:%02u:%02u", kDays[st.wDayOfWeek % 7], st.wDay,
                kMonths[(st.wMonth + 11) % 12], st.wYear, st.wHour, st.wMinute, st.wSecond);
    return text;
}

BOOL HasLineBreakOrBracket(const char* pszText)
{
    return strpbrk(pszText, "\r\n<>") != nullptr;
}

// The reply is complete when its last line is complete and is not a "ddd-" continuation.
BOOL ReplyComplete(const CStringA& strReply)
{
    int n = strReply.GetLength();
    if (n == 0 || strReply[n - 1] != '\n')
        return FALSE;
    int start = n - 1;
    while (start > 0 && strReply[start - 1] != '\n')
        --start;
    return !(n - start > 3 && strReply[start + 3] == '-');
}
} // namespace

CSmtpClient::CSmtpClient()
    : m_bConnected(FALSE), m_nLastError(0), m_szReplyText(), m_szErrorText(), m_szPassword(), m_szUserName(),
      m_hSocket(INVALID_SOCKET), m_wsaData()
{
    if (WSAStartup(MAKEWORD(2, 2), &m_wsaData) != 0)
    {
        SetError("WSAStartup");
        m_nLastError = WSAGetLastError();
        throw std::runtime_error(m_szErrorText);
    }
    if (LOBYTE(m_wsaData.wVersion) != 2 || HIBYTE(m_wsaData.wVersion) != 2)
    {
        SetError("Can't find a useable WinSock DLL");
        m_nLastError = WSAGetLastError();
        throw std::runtime_error(m_szErrorText);
    }
    SetXMailer("Tervok AG - SMTP Mailer v1.0");
}

// WinSock stays started for the rest of the process.
CSmtpClient::~CSmtpClient()
{
    if (m_bConnected)
        Quit();
}

void CSmtpClient::SetError(const char* pszText)
{
    strncpy(m_szErrorText, pszText, sizeof m_szErrorText - 1);
    m_szErrorText[sizeof m_szErrorText - 1] = '\0';
}

// A mail refused before its dialogue: the reason goes to the transcript as well, which is
// what callers show, as a socket error does.
BOOL CSmtpClient::Refuse(const char* pszText)
{
    SetError(pszText);
    LogReceived(m_szErrorText);
    return FALSE;
}

SOCKET CSmtpClient::OpenSocket(const char* pszHost, USHORT nPort)
{
    hostent* host = gethostbyname(pszHost);
    if (!host || !host->h_addr_list[0])
        return INVALID_SOCKET;
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET)
    {
        SetError("Invalid socket");
        throw std::runtime_error(m_szErrorText);
    }
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    if (nPort != 0)
        address.sin_port = nPort;
    else
    {
        servent* service = getservbyname("mail", nullptr);
        address.sin_port = service ? (USHORT)service->s_port : htons(25);
    }
    memcpy(&address.sin_addr, host->h_addr_list[0], sizeof address.sin_addr);
    if (connect(s, (sockaddr*)&address, sizeof address) == SOCKET_ERROR)
    {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

BOOL CSmtpClient::Connect(const char* pszHost, USHORT nPort)
{
    if (m_bConnected)
        Quit();
    m_bConnected = FALSE;
    m_hSocket = OpenSocket(pszHost, nPort);
    if (m_hSocket == INVALID_SOCKET)
    {
        printf("Invalid socket\r\n");
        return FALSE;
    }
    DWORD dwReceiveMs = 120000, dwSendMs = 60000;
    setsockopt(m_hSocket, SOL_SOCKET, SO_RCVTIMEO, (const char*)&dwReceiveMs, sizeof dwReceiveMs);
    setsockopt(m_hSocket, SOL_SOCKET, SO_SNDTIMEO, (const char*)&dwSendMs, sizeof dwSendMs);
    // Header, body and end of data go out back to back; none of them may wait for an ACK.
    BOOL bNoDelay = TRUE;
    setsockopt(m_hSocket, IPPROTO_TCP, TCP_NODELAY, (const char*)&bNoDelay, sizeof bNoDelay);

    CStringA replies;
    CStringA helo = CStringA("HELO ") + pszHost + "\r\n";
    if (!ReadAndCheck(replies) || !Command(helo, nullptr, replies))
    {
        closesocket(m_hSocket);
        m_hSocket = INVALID_SOCKET;
        return FALSE;
    }
    m_bConnected = TRUE;
    return TRUE;
}

BOOL CSmtpClient::AddRecipient(std::vector<CSmtpRecipient>& list, const char* pszAddress, const char* pszName)
{
    if (!pszAddress || !*pszAddress || HasLineBreakOrBracket(pszAddress))
        return FALSE;
    list.emplace_back(pszAddress, OneLine(pszName ? pszName : ""));
    return TRUE;
}

BOOL CSmtpClient::SetCredentials(const char* pszUserName, const char* pszPassword)
{
    if (strlen(pszUserName) > kMaxLoginLength || strlen(pszPassword) > kMaxLoginLength)
    {
        SetError("User name or password too long for AUTH LOGIN");
        return FALSE;
    }
    strcpy(m_szUserName, pszUserName);
    strcpy(m_szPassword, pszPassword);
    return TRUE;
}

BOOL CSmtpClient::Send()
{
    if (!m_strSenderAddress)
        return Refuse("Please specifiy a sender email address");
    if (HasLineBreakOrBracket(*m_strSenderAddress))
        return Refuse("Invalid sender email address");
    m_szReplyText[0] = '\0';
    CStringA header;
    if (!FormatHeader(header))
        return Refuse("Failed to format message header");
    m_strHeader = header;

    CStringA replies;
    if (m_szUserName[0] && !Login(replies))
        return FALSE;
    if (!Command("MAIL FROM: <" + *m_strSenderAddress + ">\r\n", nullptr, replies))
        return FALSE;
    for (const std::vector<CSmtpRecipient>* list : {&m_arrTo, &m_arrCc, &m_arrBcc})
        for (const CSmtpRecipient& recipient : *list)
            if (!Command("RCPT TO: <" + recipient.AddressPart() + "\r\n", nullptr, replies))
                return FALSE;
    if (!Command("DATA\r\n", nullptr, replies))
        return FALSE;

    BOOL bQuotedPrintable = FALSE;
    CStringA body = WireBody(m_strBody ? *m_strBody : CStringA(), bQuotedPrintable);
    LogSent(m_strHeader);
    if (!SendText(m_strHeader))
        return FALSE;
    LogSent(body);
    if (!SendText(body))
        return FALSE;
    if (!Command("\r\n.\r\n", ".", replies))
        return FALSE;

    strncpy(m_szReplyText, replies, sizeof m_szReplyText - 1);
    m_szReplyText[sizeof m_szReplyText - 1] = '\0';
    return TRUE;
}

// AUTH LOGIN with the Base64 forms of user name and password; the password never shows in the
// transcript.
BOOL CSmtpClient::Login(CStringA& strGathered)
{
    if (strnlen(m_szUserName, sizeof m_szUserName) > kMaxLoginLength ||
        strnlen(m_szPassword, sizeof m_szPassword) > kMaxLoginLength)
        return Refuse("User name or password too long for AUTH LOGIN");
    char encoded[kLoginBufferSize];
    memset(encoded, 0, sizeof encoded);
    Base64Encode((const unsigned char*)m_szUserName, encoded, strlen(m_szUserName), 0);
    CStringA user = CStringA(encoded) + "\r\n";
    memset(encoded, 0, sizeof encoded);
    Base64Encode((const unsigned char*)m_szPassword, encoded, strlen(m_szPassword), 0);
    CStringA password = CStringA(encoded) + "\r\n";
    return Command("AUTH LOGIN\r\n", nullptr, strGathered) && Command(user, nullptr, strGathered) &&
           Command(password, kMaskedPassword, strGathered);
}

BOOL CSmtpClient::Quit()
{
    if (!m_bConnected)
        return FALSE;
    if (!SendText("QUIT\r\n"))
        return FALSE;
    char reply[4096];
    recv(m_hSocket, reply, sizeof reply, 0);
    m_bConnected = FALSE;
    shutdown(m_hSocket, SD_BOTH);
    closesocket(m_hSocket);
    m_hSocket = INVALID_SOCKET;
    return TRUE;
}

BOOL CSmtpClient::FormatHeader(CStringA& strHeader) const
{
    if (m_arrTo.empty())
    {
        printf("Please add a message recipient!\r\n");
        return FALSE;
    }
    SYSTEMTIME now;
    GetSystemTime(&now);
    strHeader = "Date: " + DateText(now) + " +0000\r\n";
    if (m_strSenderName)
        strHeader += "From: " + OneLine(*m_strSenderName) + " <" + m_strSenderAddress.value_or(CStringA()) + ">\r\n";
    strHeader += "To: " + JoinRecipients(m_arrTo) + "\r\n";
    strHeader += "Cc: " + JoinRecipients(m_arrCc) + "\r\n";
    if (m_strSubject)
        strHeader += "Subject: " + OneLine(*m_strSubject) + "\r\n";
    if (m_strMailer)
        strHeader += "X-Mailer: " + OneLine(*m_strMailer) + "\r\n";
    strHeader += "MIME-Version: 1.0\r\nContent-type: text/plain; charset=US-ASCII\r\n";
    BOOL bQuotedPrintable = FALSE;
    WireBody(m_strBody ? *m_strBody : CStringA(), bQuotedPrintable);
    if (bQuotedPrintable)
        strHeader += "Content-Transfer-Encoding: quoted-printable\r\n";
    strHeader += "\r\n";
    return TRUE;
}

// Sends one command line (logged as pszLogged when given) and reads and checks its reply.
BOOL CSmtpClient::Command(const CStringA& strLine, const char* pszLogged, CStringA& strGathered)
{
    LogSent(pszLogged ? pszLogged : strLine.GetString());
    return SendText(strLine) && ReadAndCheck(strGathered);
}

BOOL CSmtpClient::ReadAndCheck(CStringA& strGathered)
{
    CStringA reply;
    if (!ReadReply(reply) || CheckReply(reply))
        return FALSE;
    strGathered += reply;
    return TRUE;
}

BOOL CSmtpClient::SendText(const CStringA& strText)
{
    int sent = 0;
    while (sent < strText.GetLength())
    {
        int n = send(m_hSocket, strText.GetString() + sent, strText.GetLength() - sent, 0);
        if (RecordSocketError(TRUE, n))
            return FALSE;
        sent += n;
    }
    return TRUE;
}

// Reads up to the reply's final line, over as many receives as the server's segments take.
BOOL CSmtpClient::ReadReply(CStringA& strReply)
{
    strReply.Empty();
    char buffer[4096];
    while (!ReplyComplete(strReply))
    {
        int n = recv(m_hSocket, buffer, sizeof buffer, 0);
        if (RecordSocketError(FALSE, n))
            return FALSE;
        if (n == 0 || strReply.GetLength() + n > kMaxReplyLength)
        {
            LogReceived(strReply);
            m_nLastError = WSAECONNRESET;
            SetError(n == 0 ? "Recv error: Connection closed by the server" : "Recv error: Reply too long");
            LogReceived(m_szErrorText);
            return FALSE;
        }
        strReply.Append(buffer, n);
    }
    LogReceived(strReply);
    return TRUE;
}

BOOL CSmtpClient::CheckReply(const char* pszReply)
{
    long nClass = atol(pszReply) / 100;
    if (nClass != 4 && nClass != 5)
        return FALSE;
    size_t n = strcspn(pszReply, "\r\n");
    if (n > sizeof m_szErrorText - 1)
        n = sizeof m_szErrorText - 1;
    memcpy(m_szErrorText, pszReply, n);
    m_szErrorText[n] = '\0';
    m_nLastError = -1;
    return TRUE;
}

BOOL CSmtpClient::RecordSocketError(BOOL bSend, int nCount)
{
    if (nCount != -1)
        return FALSE;
    m_nLastError = WSAGetLastError();
    CSocketErrorText error(m_nLastError);
    CStringA text;
    if (error.m_bKnown)
        text = CStringA(error.m_strText);
    else
        text.Format("Unknown Windows socket error %d", m_nLastError);
    SetError((CStringA(bSend ? "Send error: " : "Recv error: ") + text).GetString());
    LogReceived(m_szErrorText);
    return TRUE;
}

void CSmtpClient::LogSent(const char* pszText)
{
    LogLines(kSentPrefix, pszText);
}

void CSmtpClient::LogReceived(const char* pszText)
{
    LogLines(kReceivedPrefix, pszText);
}

// One transcript piece per line, each with its line end.
void CSmtpClient::LogLines(const char* pszPrefix, const char* pszText)
{
    const char* start = pszText;
    for (const char* p = pszText; *p; ++p)
        if (EndsLine(p))
        {
            AppendTranscript(pszPrefix, start, (int)(p + 2 - start));
            start = ++p + 1;
        }
    AppendTranscript(pszPrefix, start, (int)strlen(start));
}

void CSmtpClient::AppendTranscript(const char* pszPrefix, const char* pszText, int nLength)
{
    if (nLength <= 0)
        return;
    m_strTranscript += pszPrefix;
    m_strTranscript.Append(pszText, nLength);
    if (nLength < 2 || !EndsLine(pszText + nLength - 2))
        m_strTranscript += "\r\n";
}
