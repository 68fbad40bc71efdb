#include "agent/EventLog/EventRecordText.h"

#include "agent/EventLog/EventSourceKeys.h"
#include "agent/EventLog/MessageFileSystem.h"
#include "agent/HostAddress.h"
#include "agent/TraceLog.h"
#include "support/StringEx.h"

#include <winsock2.h>

#include <map>
#include <vector>

namespace
{
const wchar_t EVENTLOG_KEY[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\";
// English first, as the collectors have always had the texts; where a module has none (a Windows
// in another language), the system's own order of languages.
const DWORD MESSAGE_LANGUAGES[] = {1033, 0};
const int MODULE_NAME_LENGTH = 260;
const int PARAMETER_TEXT_LENGTH = 511;
const int MAX_PARAMETER_DIGITS = 10;

CString ExpandModuleName(const CString& strModule)
{
    wchar_t szExpanded[MODULE_NAME_LENGTH + 1] = {0};
    DWORD n = ExpandEnvironmentStringsW(strModule, szExpanded, MODULE_NAME_LENGTH);
    return (n && n <= MODULE_NAME_LENGTH) ? CString(szExpanded) : strModule;
}

void CutTrailingLineEnd(CString& s)
{
    if (s.GetLength() >= 2 && s.Right(2) == L"\r\n")
        s = s.Left(s.GetLength() - 2);
}

// A message of a module into a buffer that the system allocates (the caller frees it); 0 when no
// language has it.
DWORD FormatFromMessageTable(DWORD dwFlags, HMODULE hModule, DWORD dwId, wchar_t** ppBuffer, va_list* pArgs)
{
    *ppBuffer = nullptr;
    for (DWORD dwLanguage : MESSAGE_LANGUAGES)
    {
        DWORD dwResult = MessageFileSystem().FormatModuleMessage(dwFlags | FORMAT_MESSAGE_ALLOCATE_BUFFER, hModule,
                                                                 dwId, dwLanguage, (LPWSTR)ppBuffer, 0, pArgs);
        if (dwResult)
            return dwResult;
        if (*ppBuffer)
            LocalFree(*ppBuffer);
        *ppBuffer = nullptr;
    }
    return 0;
}

// A message of a module, inserts ignored, into the caller's buffer of nSize characters; 0 when no
// language has it.
DWORD FormatIntoBuffer(HMODULE hModule, DWORD dwId, wchar_t* pszBuffer, DWORD nSize)
{
    for (DWORD dwLanguage : MESSAGE_LANGUAGES)
    {
        DWORD dwResult = MessageFileSystem().FormatModuleMessage(FORMAT_MESSAGE_IGNORE_INSERTS, hModule, dwId,
                                                                 dwLanguage, pszBuffer, nSize, nullptr);
        if (dwResult)
            return dwResult;
    }
    return 0;
}

// Splits a value that lists module names with ";".
void SplitModules(const CString& strValue, CStringArray& arrModules)
{
    CStringEx(strValue).Split(L';', arrModules);
}

// Only the monitor thread reads records.
CEventSourceKeys& SourceKeys()
{
    static CEventSourceKeys keys;
    return keys;
}
} // namespace

void CEventRecordText::BeginPass()
{
    SourceKeys().BeginPass();
}

void CEventRecordText::EndPass()
{
    SourceKeys().EndPass();
}

CString CEventRecordText::SourceKey(const CString& strLogName, const CEventRecord& record)
{
    return CString(EVENTLOG_KEY) + strLogName + L"\\" + record.SourceName();
}

// A module loaded as a data file is mapped anew by every load: keep one mapping per name for
// the rest of the process instead of one more for every record.
HMODULE CEventRecordText::LoadDataModule(const CString& strExpanded)
{
    static std::map<CString, HMODULE> modules;
    CString strKey(strExpanded);
    strKey.MakeLower();
    std::map<CString, HMODULE>::iterator it = modules.find(strKey);
    if (it != modules.end())
        return it->second;
    HMODULE hModule = MessageFileSystem().LoadMessageFile(strExpanded);
    if (hModule)
        modules[strKey] = hModule;
    return hModule;
}

HMODULE CEventRecordText::LoadMessageModule(int nIndex, const CString& strModule)
{
    CString strExpanded = ExpandModuleName(strModule);
    TraceLog().Trace(9, L"DLL [%d] ....: %s", nIndex, strExpanded.GetString());
    return LoadDataModule(strExpanded);
}

void CEventRecordText::GetRecordCategory(const CString& strLogName, const CEventRecord& record, CString& strText)
{
    strText = L"None";
    CString strModule;
    BOOL bQuery = FALSE;
    LONG lSuccess = SourceKeys().ReadString(SourceKey(strLogName, record), L"CategoryMessageFile", MODULE_NAME_LENGTH,
                                            strModule, &bQuery);
    TraceLog().Trace(9, L"lSuccess %u", (unsigned)lSuccess);
    if (lSuccess != ERROR_SUCCESS)
        return;
    TraceLog().Trace(9, L"bQuery %s %u", strLogName.GetString(), (unsigned)bQuery);
    if (bQuery)
    {
        HMODULE hModule = LoadDataModule(ExpandModuleName(strModule));
        wchar_t* pBuffer = nullptr;
        if (hModule &&
            FormatFromMessageTable(FORMAT_MESSAGE_IGNORE_INSERTS, hModule, record.Fixed().EventCategory, &pBuffer,
                                   nullptr) &&
            pBuffer && *pBuffer)
        {
            strText = pBuffer;
            CutTrailingLineEnd(strText);
        }
        if (pBuffer)
            LocalFree(pBuffer);
    }
}

// Formats the record's message from one module. Inserts that the message asks for beyond those
// the record carries take empty text.
BOOL CEventRecordText::FormatFromModule(HMODULE hModule, const CEventRecord& record, const CStringArray& arrStrings,
                                        CString& strText)
{
    std::vector<DWORD_PTR> args(MAX_INSERTS, (DWORD_PTR)L"");
    for (int i = 0; i < arrStrings.GetSize() && i < MAX_INSERTS; i++)
        args[(size_t)i] = (DWORD_PTR)arrStrings[i].GetString();
    wchar_t* pBuffer = nullptr;
    DWORD dwResult = FormatFromMessageTable(FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_MAX_WIDTH_MASK, hModule,
                                            record.Fixed().EventID, &pBuffer, (va_list*)args.data());
    TraceLog().Trace(9, L"Formatted: %d", (int)dwResult);
    if (dwResult && pBuffer)
        strText = pBuffer;
    if (pBuffer)
        LocalFree(pBuffer);
    return dwResult != 0;
}

// Replaces every "%%" followed by digits with the parameter text of that number. Replacement
// text is not scanned again, and the text never grows beyond MAX_MESSAGE_LENGTH.
BOOL CEventRecordText::ReplaceParameters(HMODULE hModule, CString& strText)
{
    BOOL bReplaced = FALSE;
    int nPos = strText.Find(L"%%");
    while (nPos >= 0)
    {
        int nDigits = 0;
        DWORD dwId = 0;
        while (nPos + 2 + nDigits < strText.GetLength() && nDigits < MAX_PARAMETER_DIGITS &&
               iswdigit(strText[nPos + 2 + nDigits]))
        {
            dwId = dwId * 10 + (DWORD)(strText[nPos + 2 + nDigits] - L'0');
            nDigits++;
        }
        int nNext = nPos + 2;
        wchar_t szParameter[PARAMETER_TEXT_LENGTH + 1] = {0};
        if (nDigits && FormatIntoBuffer(hModule, dwId, szParameter, PARAMETER_TEXT_LENGTH))
        {
            CString strParameter(szParameter);
            if (strParameter.GetLength() > 2)
                CutTrailingLineEnd(strParameter);
            if (strText.GetLength() - 2 - nDigits + strParameter.GetLength() > MAX_MESSAGE_LENGTH)
                break;
            strText = strText.Left(nPos) + strParameter + strText.Mid(nPos + 2 + nDigits);
            nNext = nPos + strParameter.GetLength();
            bReplaced = TRUE;
        }
        nPos = strText.Find(L"%%", nNext);
    }
    return bReplaced;
}

void CEventRecordText::GetRecordMessage(const CString& strLogName, const CEventRecord& record, CString& strText)
{
    strText.Empty();
    CStringArray arrStrings;
    record.GetStrings(arrStrings, MAX_INSERTS);

    CString strKey = SourceKey(strLogName, record);
    TraceLog().Trace(9, L"GetRecordMessage");
    TraceLog().Trace(9, L"Key ....: %s", strKey.GetString());
    CString strValue;
    BOOL bRead = FALSE;
    BOOL bKey = SourceKeys().ReadString(strKey, L"EventMessageFile", MODULE_NAME_LENGTH, strValue, &bRead) ==
                ERROR_SUCCESS;
    if (bRead)
    {
        CStringArray arrModules;
        SplitModules(strValue, arrModules);
        for (int i = arrModules.GetSize() - 1; i >= 0 && strText.IsEmpty(); i--)
        {
            TraceLog().Trace(9, L"DLL [%d]", i);
            HMODULE hModule = LoadMessageModule(i, arrModules[i]);
            if (!hModule)
                continue;
            TraceLog().Trace(9, L"Handle ....: %08X", (unsigned)(UINT_PTR)hModule);
            TraceLog().Trace(9, L"Strings ...: %d", arrStrings.GetSize());
            FormatFromModule(hModule, record, arrStrings, strText);
            TraceLog().Trace(9, L"Finished 01");
            TraceLog().Trace(9, L"Message 001: %d bytes", strText.GetLength());
        }
    }
    TraceLog().Trace(9, L"Message 002: %d bytes", strText.GetLength());
    if (strText.IsEmpty() && arrStrings.GetSize())
        strText = CStringArrayEx(arrStrings).Join(L"\r\n");
    TraceLog().Trace(9, L"Message 003: %d bytes", strText.GetLength());

    if (bKey && strText.Find(L"%%") >= 0)
    {
        TraceLog().Trace(9, L"PMF");
        SourceKeys().ReadString(strKey, L"ParameterMessageFile", MODULE_NAME_LENGTH, strValue, &bRead);
        if (bRead)
        {
            CStringArray arrModules;
            SplitModules(strValue, arrModules);
            for (int i = arrModules.GetSize() - 1; i >= 0; i--)
            {
                HMODULE hModule = LoadMessageModule(i, arrModules[i]);
                if (hModule && ReplaceParameters(hModule, strText))
                    break;
            }
        }
    }
    TraceLog().Trace(9, L"Message 004: %d bytes", strText.GetLength());
}

CString CEventRecordText::GetAccountName(const CEventRecord& record)
{
    PSID pSid = record.UserSid();
    if (!pSid)
        return CString();
    const DWORD NAME_LENGTH = 1024;
    std::vector<wchar_t> name(NAME_LENGTH, 0), domain(NAME_LENGTH, 0);
    DWORD dwName = NAME_LENGTH, dwDomain = NAME_LENGTH;
    SID_NAME_USE use;
    if (!LookupAccountSidW(nullptr, pSid, name.data(), &dwName, domain.data(), &dwDomain, &use))
        return CString();
    return CString(name.data());
}

BOOL CEventRecordText::LookupHostName(const CString& strDotted, CString& strHostName)
{
    return CHostAddress::LookupName(strDotted, strHostName);
}

// Resolving this machine's own name costs tens of milliseconds under some resolvers, far more
// than the rest of a record; the description is therefore looked up again once a minute.
CString CEventRecordText::HostDescription()
{
    static CString strCached;
    static ULONGLONG nCachedAt = 0;
    ULONGLONG nNow = GetTickCount64();
    if (nCachedAt && nNow - nCachedAt < HOST_REFRESH_MS)
        return strCached;
    strCached = LookupHostDescription();
    nCachedAt = nNow;
    return strCached;
}

CString CEventRecordText::LookupHostDescription()
{
    char szHost[513] = {0};
    if (gethostname(szHost, 512) != 0)
        szHost[0] = 0;
    CString strHost(szHost);
    CHostAddress address;
    if (strHost.IsEmpty() || !address.Resolve(strHost))
        return strHost;
    CString strDotted = address.GetDottedText();
    CString strName;
    if (LookupHostName(strDotted, strName))
        strHost = strName;
    return strHost + L", " + strDotted;
}

// The computer name cannot change while the process runs (a new one takes a restart), and
// reading it is a registry read under Wine.
const CString& CEventRecordText::ComputerName()
{
    static CString strName;
    static BOOL bRead = FALSE;
    if (!bRead)
    {
        wchar_t szComputer[16] = {0};
        DWORD dwComputer = 16;
        if (GetComputerNameW(szComputer, &dwComputer))
            strName = szComputer;
        bRead = TRUE;
    }
    return strName;
}

void CEventRecordText::BuildMessageText(const CEventRecord& record, const CString& strLogName,
                                        const CString& strCategory, const CString& strAccount,
                                        const CString& strMessage, const CString& strData, CString& strMessageText)
{
    CString strDescription = HostDescription();

    const EVENTLOGRECORD& fixed = record.Fixed();
    CStringArrayEx lines;
    lines.AddFormat(L"%s %d", L"{{ELM}}_RECNO", (int)fixed.RecordNumber);
    lines.AddFormat(L"%s %d", L"{{ELM}}_TIMEG", (int)fixed.TimeGenerated);
    lines.AddFormat(L"%s %d", L"{{ELM}}_TIMEW", (int)fixed.TimeWritten);
    lines.AddFormat(L"%s %d", L"{{ELM}}_EV_ID", (int)fixed.EventID);
    lines.AddFormat(L"%s %d", L"{{ELM}}_EV_TY", (int)fixed.EventType);
    lines.AddFormat(L"%s %s", L"{{ELM}}_USERN", strAccount.GetString());
    lines.AddFormat(L"%s %s", L"{{ELM}}_SOURC", record.SourceName().GetString());
    lines.AddFormat(L"%s %s", L"{{ELM}}_COMPT", record.ComputerName().GetString());
    lines.AddFormat(L"%s %s", L"{{ELM}}_CATGY", strCategory.GetString());
    lines.AddFormat(L"%s %s", L"{{ELM}}_LOGFI", strLogName.GetString());
    lines.AddFormat(L"%s %s", L"{{ELM}}_MESSG", strMessage.GetString());
    lines.AddFormat(L"%s %s", L"{{ELM}}_DATA_", strData.GetString());
    lines.AddFormat(L"%s %s", L"{{ELM}}_HOSTN", ComputerName().GetString());
    lines.AddFormat(L"%s %s", L"{{ELM}}_DESCR", strDescription.GetString());
    strMessageText = lines.Join(L"\n");
}
