#include "agent/TraceLog.h"

#include "agent/GlobalLocks.h"
#include "agent/SocketErrorText.h"
#include "framework/core/CTime.h"

#include <winsock2.h>

#include <cstdarg>
#include <cwchar>
#include <string>
#include <vector>

namespace
{
const int s_nMaxTraceText = 65536;
const int s_nMaxLineText = 4096;

// Formats at most nMax characters; a longer text is cut. The buffer takes the text's own
// length: a large allocation per line costs far more than the line under Wine.
CString FormatBounded(int nMax, const wchar_t* pszFormat, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    int nLength = _vscwprintf(pszFormat, measure);
    va_end(measure);
    if (nLength < 0 || nLength > nMax)
        nLength = nMax;
    std::vector<wchar_t> buffer((size_t)nLength + 1, L'\0');
    _vsnwprintf(buffer.data(), (size_t)nLength, pszFormat, args);
    buffer[(size_t)nLength] = L'\0';
    return CString(buffer.data());
}
} // namespace

CTraceLog& TraceLog()
{
    static CTraceLog s_traceLog;
    return s_traceLog;
}

CTraceLog::CTraceLog() : m_bConsole(0), m_bFile(0), m_bFixedName(0), m_pFile(nullptr), m_nTraceLevel(0)
{
    GlobalLocks();
}

CTraceLog::~CTraceLog()
{
    if (m_pFile)
        fclose(m_pFile);
}

void CTraceLog::Open(BOOL bConsole, BOOL bFile, BOOL bFixedName, const wchar_t* pszFixedName,
                     const wchar_t* pszPrefix, const wchar_t* pszSuffix)
{
    m_bConsole = bConsole;
    m_bFile = bFile;
    m_bFixedName = bFixedName;
    if (!m_bFile)
        return;

    wchar_t szModule[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, szModule, MAX_PATH);
    m_strFolder = szModule;
    int nSlash = m_strFolder.ReverseFind(L'\\');
    m_strFolder = nSlash >= 0 ? m_strFolder.Left(nSlash) : CString();
    if (m_bFixedName)
        m_strPath.Format(L"%s\\%s", m_strFolder.GetString(), pszFixedName);
    else
        m_strPath.Format(L"%s\\%s-%s%s", m_strFolder.GetString(), pszPrefix,
                         CTime::GetCurrentTime().Format(L"%Y-%m-%d").GetString(), pszSuffix);

    if (m_pFile)
        fclose(m_pFile);
    m_pFile = _wfopen(m_strPath, L"a+");
    if (!m_pFile)
    {
        m_bConsole = 1;
        m_bFile = 0;
    }
}

void CTraceLog::Trace(int nLevel, const wchar_t* pszFormat, ...)
{
    if (!Traces(nLevel))
        return;
    CSingleLock lock(&GlobalLocks().m_lockTraceFormat, TRUE);
    try
    {
        va_list args;
        va_start(args, pszFormat);
        CString strText = FormatBounded(s_nMaxTraceText, pszFormat, args);
        va_end(args);
        WriteLine(L"TRACE (%d) : %s", nLevel, strText.GetString());
    }
    catch (...)
    {
        if (m_bConsole)
            WriteToConsole(L"Caught logfile exception\n");
    }
}

void CTraceLog::WriteLine(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    CString strText = FormatBounded(s_nMaxLineText, pszFormat, args);
    va_end(args);
    WriteText(strText);
}

void CTraceLog::SocketError(const wchar_t* pszFormat, ...)
{
    int nError = WSAGetLastError();
    va_list args;
    va_start(args, pszFormat);
    CString strText = FormatBounded(s_nMaxLineText, pszFormat, args);
    va_end(args);
    WriteLine(L"WSAError : %s", strText.GetString());
    WriteLine(L"WSAError : Error code = %d", nError);
    WriteLine(L"WSAError : Error text = %s", CSocketErrorText(nError).m_strText.GetString());
}

BOOL CTraceLog::HasOutput() const
{
    return m_bConsole || (m_bFile && m_pFile);
}

void CTraceLog::WriteText(const wchar_t* pszText)
{
    CSingleLock lock(&GlobalLocks().m_lockTraceLine, TRUE);
    CString strPrefix;
    if (*pszText)
        strPrefix = CTime::GetCurrentTime().Format(L"%H:%M:%S>");
    CString strLine;
    strLine.Format(L"%s %s\n", strPrefix.GetString(), pszText);
    if (m_bConsole)
        WriteToConsole(strLine);
    if (m_bFile && m_pFile)
        WriteToFile(strLine);
}

void CTraceLog::WriteToConsole(const CString& strLine)
{
    HANDLE hOut = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD dwMode = 0, dwWritten = 0;
    if (GetConsoleMode(hOut, &dwMode))
    {
        WriteConsoleW(hOut, strLine.GetString(), (DWORD)strLine.GetLength(), &dwWritten, nullptr);
        return;
    }
    // Redirected output gets UTF-8.
    int nBytes = WideCharToMultiByte(CP_UTF8, 0, strLine, strLine.GetLength(), nullptr, 0, nullptr, nullptr);
    if (nBytes <= 0)
        return;
    std::string bytes((size_t)nBytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, strLine, strLine.GetLength(), &bytes[0], nBytes, nullptr, nullptr);
    WriteFile(hOut, bytes.data(), (DWORD)bytes.size(), &dwWritten, nullptr);
}

// The file holds one byte per character, as the agent's text files do; characters above 255
// become '?'.
void CTraceLog::WriteToFile(const CString& strLine)
{
    std::string bytes;
    bytes.reserve((size_t)strLine.GetLength());
    for (int i = 0; i < strLine.GetLength(); ++i)
    {
        wchar_t ch = strLine[i];
        bytes += ch <= 0xFF ? (char)ch : '?';
    }
    fputs(bytes.c_str(), m_pFile);
    fflush(m_pFile);
}
