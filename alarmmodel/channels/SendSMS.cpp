#include "alarmmodel/channels/SendSMS.h"

#include "support/SystemErrorText.h"

namespace
{
const char kOk[] = "OK\r\n";
const char kError[] = "ERROR\r\n";
const DWORD kReceiveBufferSize = 8096;
// The modem may take a while to hand a part to the network.
const DWORD kPduTimeoutMs = 20000;

BOOL EndsWith(const CStringA& strText, const char* pszTail)
{
    int n = (int)strlen(pszTail);
    return strText.GetLength() >= n && memcmp(strText.GetString() + strText.GetLength() - n, pszTail, n) == 0;
}

BOOL IsPrintable(wchar_t ch)
{
    return ch >= 0x20 && !(ch >= 0x7F && ch < 0xA0);
}
} // namespace

CSendSMS::CSendSMS(const wchar_t* pszPort, const CStringArray& arrNumbers, const wchar_t* pszText)
    : m_strPort(pszPort), m_strText(pszText), m_hPort(nullptr)
{
    for (const CString& entry : arrNumbers)
    {
        CStringEx numbers(entry);
        numbers.Replace(L':', L';');
        numbers.Replace(L',', L';');
        numbers.Replace(L' ', L';');
        CStringArray pieces;
        numbers.Split(L';', pieces);
        for (const CString& number : pieces)
            if (!number.IsEmpty())
                m_arrNumbers.Add(number);
    }
}

CSendSMS::~CSendSMS()
{
    ClosePort();
}

BOOL CSendSMS::Send()
{
    CStringA septets;
    if (MapToGsmAlphabet(m_strText, septets))
        return SendText7Bit(septets);
    return SendTextUcs2();
}

BOOL CSendSMS::SendText7Bit(const CStringA& strSeptets)
{
    return RunDialogue(&strSeptets);
}

BOOL CSendSMS::SendTextUcs2()
{
    return RunDialogue(nullptr);
}

// The dialogue of both senders; pSeptets is the mapped text for 7-bit parts, null for UCS-2.
BOOL CSendSMS::RunDialogue(const CStringA* pSeptets)
{
    if (!OpenPort())
        return FALSE;
    m_arrLog.RemoveAll();
    m_arrLog.AddFormat(L"Connected to %s", m_strPort.GetString());
    m_arrLog.Add(L"-");
    m_arrLog.Add(L"# Reset modem");
    BOOL bAllAccepted = FALSE;
    if (Transact("ATZ\r", kOk, kError, 0, FALSE))
    {
        m_arrLog.Add(L"# Query supported modes");
        Transact("AT+CMGF=?\r", kOk, kError, 0, TRUE);
        m_arrLog.Add(L"# Selecting PDU mode");
        if (Transact("AT+CMGF=0\r\n", kOk, kError, 0, FALSE))
        {
            bAllAccepted = TRUE;
            BOOL bLogEncoding = TRUE;
            for (const CString& number : m_arrNumbers)
                if (!SendToNumber(number, pSeptets, bLogEncoding))
                    bAllAccepted = FALSE;
        }
        m_arrLog.Add(L"# Reset modem");
        Transact("ATZ\r", kOk, kError, 0, FALSE);
    }
    m_arrLog.Add(L"-");
    ClosePort();
    TidyLog();
    return bAllAccepted;
}

// Every part of the whole text to one number; TRUE when the modem accepted all of them. The
// encoding is logged with the parts of the first number that gets any.
BOOL CSendSMS::SendToNumber(const CString& strNumber, const CStringA* pSeptets, BOOL& bLogEncoding)
{
    if (!IsValidNumber(strNumber))
    {
        m_arrLog.AddFormat(L"Error: invalid number %s (only digits and a leading + are allowed)",
                           strNumber.GetString());
        return FALSE;
    }
    m_arrLog.Add(L"# Checking SMS support");
    if (!Transact("AT+CSMS=0\r\n", kOk, kError, 0, FALSE))
        return FALSE;
    std::vector<CStringA> pdus;
    if (pSeptets)
        Make7BitPdus(*pSeptets, strNumber, NextReference(), pdus);
    else
        MakeUcs2Pdus(m_strText, strNumber, NextReference(), pdus);
    BOOL bAllAccepted = TRUE;
    for (size_t k = 0; k < pdus.size(); ++k)
    {
        if (bLogEncoding)
            m_arrLog.Add(pSeptets ? L"# Using 7 bit encoding" : L"# Using 16 bit encoding");
        m_arrLog.AddFormat(L"# Sending part %d of %d to %s", (int)k + 1, (int)pdus.size(),
                           strNumber.GetString());
        if (!SendPart(pdus[k]))
            bAllAccepted = FALSE;
    }
    if (!pdus.empty())
        bLogEncoding = FALSE;
    return bAllAccepted;
}

// The PDU goes out only after the modem's prompt; a modem that answers ERROR there would
// otherwise take the PDU's digits for commands.
BOOL CSendSMS::SendPart(const CStringA& strPdu)
{
    CStringA command;
    command.Format("AT+CMGS=%d\r\n", PduOctetCount(strPdu));
    BOOL bPrompt = FALSE;
    if (!Transact(command, "> ", kError, 0, FALSE, &bPrompt) || !bPrompt)
        return FALSE;
    BOOL bSent = FALSE;
    return Transact(strPdu, kOk, kError, kPduTimeoutMs, TRUE, &bSent) && bSent;
}

BOOL CSendSMS::Transact(const char* pszCommand, const char* pszExpected, const char* pszError,
                        DWORD dwTimeoutMs, BOOL bEcho, BOOL* pbExpected)
{
    if (pbExpected)
        *pbExpected = FALSE;
    CString logged(pszCommand);
    logged.Remove(L'\r');
    logged.Remove(L'\n');
    m_arrLog.Add(logged);

    DWORD dwLength = (DWORD)strlen(pszCommand);
    DWORD dwWritten = 0;
    if (!WriteFile(m_hPort, pszCommand, dwLength, &dwWritten, nullptr) || dwWritten != dwLength)
    {
        if (dwWritten != dwLength && GetLastError() == ERROR_SUCCESS)
            SetLastError(ERROR_TIMEOUT);
        LogSystemError(L"Write error: %s");
        return FALSE;
    }

    DWORD dwStart = GetTickCount();
    CStringA held;
    while ((DWORD)held.GetLength() < kReceiveBufferSize)
    {
        char ch = 0;
        DWORD dwRead = 0;
        if (!ReadFile(m_hPort, &ch, 1, &dwRead, nullptr))
        {
            LogSystemError(L"Read error: %s");
            return FALSE;
        }
        if (dwRead == 0)
        {
            DWORD dwElapsed = GetTickCount() - dwStart;
            if (dwElapsed > dwTimeoutMs)
            {
                if (!held.IsEmpty())
                    m_arrLog.Add(CString(held));
                m_arrLog.AddFormat(L"Read error: timeout after %d ms", (int)dwElapsed);
                return FALSE;
            }
            continue;
        }
        if (ch == 0)
            continue;
        held += ch;
        if (EndsWith(held, pszExpected))
        {
            if (!bEcho)
                m_arrLog.Add(CString(pszExpected));
            else if (held.Left((int)dwLength) == pszCommand)
                m_arrLog.Add(CString(held.Mid((int)dwLength)));
            else
                m_arrLog.Add(CString(held));
            if (pbExpected)
                *pbExpected = TRUE;
            return TRUE;
        }
        if (EndsWith(held, pszError))
        {
            m_arrLog.Add(CString(pszError));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CSendSMS::OpenPort()
{
    ClosePort();
    CString device = L"\\\\.\\" + m_strPort;
    m_arrLog.AddFormat(L"Opening %s", device.GetString());
    HANDLE hPort = CreateFileW(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hPort == INVALID_HANDLE_VALUE)
    {
        LogSystemError(L"Error: %s");
        return FALSE;
    }

    BOOL bQueues = SetupComm(hPort, 512, 512);
    m_arrLog.Add(L"Setting buffer sizes 512,512");
    BOOL bOk = bQueues;
    if (bOk)
    {
        CString settings;
        settings.Format(L"%s,n,8,1", L"9600");
        m_arrLog.AddFormat(L"Configuring port %s", settings.GetString());
        DCB dcb = {};
        dcb.DCBlength = sizeof dcb;
        bOk = GetCommState(hPort, &dcb) && BuildCommDCBW(settings, &dcb);
        if (bOk)
        {
            dcb.fDtrControl = DTR_CONTROL_DISABLE;
            dcb.fRtsControl = RTS_CONTROL_DISABLE;
            dcb.XonLim = 341;
            dcb.XoffLim = 341;
            dcb.XonChar = 0x11;
            dcb.XoffChar = 0x13;
            dcb.ErrorChar = '?';
            bOk = SetCommState(hPort, &dcb);
        }
    }
    if (bOk)
    {
        m_arrLog.Add(L"Setting timeouts");
        COMMTIMEOUTS timeouts = {1000, 1000, 1000, 500, 500};
        bOk = SetCommTimeouts(hPort, &timeouts);
    }
    if (!bOk)
    {
        LogSystemError(L"Error: %s");
        CloseHandle(hPort);
        return FALSE;
    }
    // A port without modem lines (a pseudo-terminal, some USB adapters) refuses these; the
    // modem talks all the same.
    m_arrLog.Add(L"Setting device control");
    EscapeCommFunction(hPort, SETDTR);
    EscapeCommFunction(hPort, SETRTS);
    m_arrLog.Add(L"Setting event mask");
    SetCommMask(hPort, EV_RXCHAR | EV_TXEMPTY | EV_CTS | EV_DSR | EV_RLSD | EV_BREAK | EV_RING);
    m_arrLog.Add(L"Clearing connection");
    PurgeComm(hPort, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    m_hPort = hPort;
    return TRUE;
}

void CSendSMS::ClosePort()
{
    if (!m_hPort)
        return;
    m_arrLog.Add(L"Closing");
    CloseHandle(m_hPort);
    m_hPort = nullptr;
}

// Reads the calling thread's last error first: the log's own calls may change it.
void CSendSMS::LogSystemError(const wchar_t* pszFormat)
{
    CSystemErrorText error;
    m_arrLog.AddFormat(pszFormat, error.m_strText.GetString());
}

// One printable, trimmed line per entry, runs of blanks reduced to one.
void CSendSMS::TidyLog()
{
    CStringArrayEx tidy;
    for (const CString& entry : m_arrLog)
    {
        CStringArray lines;
        CStringEx(entry).Split(L'\n', lines);
        for (CString line : lines)
        {
            for (int i = 0; i < line.GetLength(); ++i)
                if (!IsPrintable(line[i]))
                    line.SetAt(i, L' ');
            line.Trim();
            while (line.Replace(L"  ", L" ") > 0)
            {
            }
            if (!line.IsEmpty())
                tidy.Add(line);
        }
    }
    m_arrLog.Copy(tidy);
}
