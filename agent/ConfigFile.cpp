#include "agent/ConfigFile.h"

#include "agent/TraceLog.h"

#include <cstdio>

namespace
{
const int s_nLineBuffer = 512;

CString ModulePath()
{
    wchar_t szPath[MAX_PATH] = L"";
    DWORD n = GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    return n > 0 && n < MAX_PATH ? CString(szPath) : CString();
}
} // namespace

CConfigFile::CConfigFile() : m_strPath(PathForModule(ModulePath()))
{
}

CConfigFile::CConfigFile(const wchar_t* pszPath) : m_strPath(pszPath)
{
}

CString CConfigFile::PathForModule(const wchar_t* pszModulePath)
{
    CString strPath(pszModulePath);
    int nDot = strPath.ReverseFind(L'.');
    return nDot < 0 ? CString() : strPath.Left(nDot) + L".cfg";
}

BOOL CConfigFile::ParseDecimal(const wchar_t* pszText, DWORD& dwValue)
{
    dwValue = 0;
    while (*pszText == L' ' || *pszText == L'\t')
        ++pszText;
    if (*pszText < L'0' || *pszText > L'9')
        return FALSE;
    unsigned long long value = 0;
    for (; *pszText >= L'0' && *pszText <= L'9'; ++pszText)
    {
        value = value * 10 + (DWORD)(*pszText - L'0');
        if (value > 0xFFFFFFFFull)
            value = 0xFFFFFFFFull + 1;
    }
    dwValue = value > 0xFFFFFFFFull ? 0xFFFFFFFF : (DWORD)value;
    return TRUE;
}

int CConfigFile::Load()
{
    TraceLog().Trace(9, L"Config file: %s", m_strPath.GetString());
    TraceLog().Trace(9, L"");
    FILE* pFile = m_strPath.IsEmpty() ? nullptr : _wfopen(m_strPath, L"rt");
    if (!pFile)
    {
        TraceLog().Trace(9, L"Can't open configuration file.");
        TraceLog().Trace(9, L"");
        return 0;
    }
    char szLine[s_nLineBuffer];
    while (fgets(szLine, s_nLineBuffer, pFile))
    {
        CString strLine(szLine);
        int nNewline = strLine.Find(L'\n');
        if (nNewline >= 0)
            strLine = strLine.Left(nNewline);
        TraceLog().Trace(9, L"Config: %s", strLine.GetString());
        ParseLine(strLine);
    }
    TraceLog().Trace(9, L"");
    fclose(pFile);
    return 1;
}

void CConfigFile::ParseLine(const CString& strLine)
{
    CString strText(strLine);
    strText.TrimRight();
    int nEquals = strText.Find(L" = ");
    if (strText.IsEmpty() || strText[0] == L'#' || nEquals < 0)
        return;
    CString strToken = strText.Left(nEquals);
    strToken.TrimRight();
    strToken.MakeLower();
    CString strValue = strText.Mid(nEquals + 3);
    m_values[strToken] = strValue;
    TraceLog().Trace(9, L"Token [%s] = [%s]", strToken.GetString(), strValue.GetString());
}

CString CConfigFile::GetValue(const wchar_t* pszToken, const wchar_t* pszDefault) const
{
    CString strToken(pszToken);
    strToken.MakeLower();
    auto it = m_values.find(strToken);
    return it != m_values.end() ? it->second : CString(pszDefault);
}

USHORT CConfigFile::GetCommandPort() const
{
    CString strValue = GetValue(L"COMMAND_PORT", L"7257");
    DWORD dwPort = 0;
    if (ParseDecimal(strValue, dwPort) && dwPort >= 1 && dwPort <= 65535)
        return (USHORT)dwPort;
    TraceLog().WriteLine(L"COMMAND_PORT [%s] is not a port number, using port %d", strValue.GetString(),
                         (int)nDefaultCommandPort);
    return (USHORT)nDefaultCommandPort;
}
