#include "alarmsend/AlarmRecord.h"

#include "agent/HostAddress.h"
#include "alarmmodel/AlarmVocabulary.h"
#include "alarmsend/AlarmConnection.h"
#include "support/FileVersionInfo.h"
#include "support/RegistryStore.h"

void ParseFieldList(int nCount, const wchar_t* pList, CStringArrayEx& arrItems)
{
    static const wchar_t kEmptyList[2] = {0, 0};
    arrItems.FromMultiString(nCount, pList ? pList : kEmptyList);
}

void BuildAlarmRecord(int nClass, const wchar_t* pszFrom, DWORD dwTime, const CStringArray& arrNames,
                      const CStringArray& arrValues, CStringArrayEx& arrLines)
{
    arrLines.RemoveAll();
    arrLines.Add(L"#++");
    arrLines.Add(L"#");
    arrLines.Add(L"#   Following data will be sent to the alarms service");
    arrLines.Add(L"#   for futher processing.");
    arrLines.Add(L"#");
    arrLines.Add(L"#   Alarms class = '" + TriggerSourceName((UINT)nClass) + L"'");
    arrLines.Add(L"#");
    arrLines.Add(L"#--");
    arrLines.Add(L"CLASS=" + DecimalText(nClass));
    arrLines.Add(CString(L"FROM=") + pszFrom);
    arrLines.Add(L"TIME=" + DecimalText(dwTime));
    for (int i = 0; i < arrNames.GetSize(); ++i)
    {
        arrLines.Add(L"FIELD=" + arrNames[i]);
        arrLines.Add(L"VALUE=" + (i < arrValues.GetSize() ? arrValues[i] : CString()));
    }
    arrLines.Add(L"EOR");
}

namespace
{
CRegistryStore& OpenAlarmSettings()
{
    CRegistryStore& store = GetRegistryStore();
    store.Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
    return store;
}

// Opened once, by whichever thread comes first; the others wait for it rather than open it again
// and close the keys under a reader.
CRegistryStore& AlarmSettings()
{
    static CRegistryStore& s_store = OpenAlarmSettings();
    return s_store;
}

// Seconds since 1970 (UTC). The C library's time() reads the time zone on every call, which
// under Wine costs about as much as building the rest of the record.
DWORD CurrentTime()
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER ticks;
    ticks.LowPart = ft.dwLowDateTime;
    ticks.HighPart = ft.dwHighDateTime;
    return (DWORD)((ticks.QuadPart - 116444736000000000ULL) / 10000000ULL);
}

// The calling program's version line does not change while it runs: read it once.
const CString& CallerVersionLine()
{
    static const CString s_strLine = CFileVersionInfo().m_strFullLine;
    return s_strLine;
}
} // namespace

void SendAlarm(int nClass, int nFieldCount, const wchar_t* pNames, const wchar_t* pValues, CString& strRecord,
               CString& strError)
{
    CStringArrayEx arrNames, arrValues;
    ParseFieldList(nFieldCount, pNames, arrNames);
    ParseFieldList(nFieldCount, pValues, arrValues);
    CRegistryStore& store = AlarmSettings();

    CStringArrayEx arrLines;
    BuildAlarmRecord(nClass, CallerVersionLine(), CurrentTime(), arrNames, arrValues, arrLines);
    int nChars = 0;
    wchar_t* pRecord = arrLines.ToMultiString(nChars);

    CString strAddress = store.GetString(L"AlarmAddress", L"localhost");
    CString strPort = store.GetString(L"AlarmPort", L"7261");
    int nPort = CHostAddress::ParsePort(strPort);
    CString strResult;
    int nSent = 0;
    if (nPort == 0)
        strResult.Format(L"The configured port '%s' is not a number from 1 to 65535", (const wchar_t*)strPort);
    else
        nSent = AlarmTransmit(strAddress, nPort, (const BYTE*)pRecord, (DWORD)nChars * sizeof(wchar_t), strResult);
    delete[] pRecord;

    CStringArrayEx arrErrors;
    if (!nSent)
    {
        arrErrors.AddFormat(L"Error sending alarm to %s:%d -", (const wchar_t*)strAddress, nPort ? nPort : _wtoi(strPort));
        arrErrors.AddFormat(L"%s", (const wchar_t*)strResult);
        arrErrors.Add(L"---");
    }
    strRecord = arrLines.Join(L"\n");
    strError = arrErrors.Join(L"\n");
}
