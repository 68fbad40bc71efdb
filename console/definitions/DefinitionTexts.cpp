#include "console/definitions/DefinitionTexts.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/CriteriaMatcher.h"
#include "support/StringEx.h"

#include <cwctype>

const wchar_t szCriterionValueSeparator[] = L"\t , \t";

namespace
{
const wchar_t chValueSeparator = L'\x0C';
const wchar_t szClassPrefix[] = L"QuorvexClass=";
const wchar_t szFieldPrefix[] = L"Quorvex:";

// The leading decimal digits; 0 without any.
UINT LeadingNumber(const CString& strText)
{
    UINT nValue = 0;
    for (int i = 0; i < strText.GetLength() && iswdigit(strText[i]); ++i)
        nValue = nValue * 10 + (UINT)(strText[i] - L'0');
    return nValue;
}

CString ReplaceAll(CString strText, const wchar_t* pszOld, const wchar_t* pszNew)
{
    strText.Replace(pszOld, pszNew);
    return strText;
}
} // namespace

CString CriterionValuesForDisplay(const CString& strStored)
{
    const wchar_t szSeparator[] = {chValueSeparator, 0};
    return ReplaceAll(strStored, szSeparator, szCriterionValueSeparator);
}

CString CriterionValuesFromDisplay(const CString& strDisplayed)
{
    const wchar_t szSeparator[] = {chValueSeparator, 0};
    return ReplaceAll(strDisplayed, szCriterionValueSeparator, szSeparator);
}

BOOL ParseStoredCriterion(const CString& strStored, UINT& nField, UINT& nOperator, CString& strValues)
{
    int nFirst = strStored.Find(L':');
    if (nFirst <= 0)
        return FALSE;
    CString strRest = strStored.Mid(nFirst + 1);
    int nSecond = strRest.Find(L':');
    if (nSecond <= 0)
        return FALSE;
    nField = LeadingNumber(strStored.Left(nFirst));
    nOperator = LeadingNumber(strRest.Left(nSecond));
    strValues = strRest.Mid(nSecond + 1);
    return TRUE;
}

CString FormatStoredCriterion(UINT nField, UINT nOperator, const CString& strValues)
{
    CString strStored;
    strStored.Format(L"%u:%u:%s", nField, nOperator, (const wchar_t*)strValues);
    return strStored;
}

BOOL ParseStoredAction(const CString& strStored, UINT& nKind, CString& strParameter)
{
    int nColon = strStored.Find(L':');
    if (nColon < 0)
        return FALSE;
    nKind = LeadingNumber(strStored.Left(nColon));
    strParameter = strStored.Mid(nColon + 1);
    return TRUE;
}

void SplitCriterionValues(const CString& strValues, CStringArray& arrParts, int nParts)
{
    arrParts.RemoveAll();
    int nStart = 0;
    while (arrParts.GetSize() < nParts)
    {
        int nEnd = strValues.Find(chValueSeparator, nStart);
        if (nEnd < 0)
        {
            arrParts.Add(strValues.Mid(nStart));
            break;
        }
        arrParts.Add(strValues.Mid(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    while (arrParts.GetSize() < nParts)
        arrParts.Add(CString());
}

CString JoinCriterionValues(const CStringArray& arrParts)
{
    CString strJoined;
    for (int i = 0; i < arrParts.GetSize(); ++i)
    {
        if (arrParts[i].IsEmpty())
            continue;
        if (!strJoined.IsEmpty())
            strJoined += chValueSeparator;
        strJoined += arrParts[i];
    }
    return strJoined;
}

UINT ClipboardRecordClass(const CStringArray& arrLines)
{
    for (int i = 0; i < arrLines.GetSize(); ++i)
    {
        if (arrLines[i].Left(lstrlenW(szClassPrefix)) == szClassPrefix)
            return LeadingNumber(arrLines[i].Mid(arrLines[i].Find(L'=') + 1));
    }
    return ALARM_SOURCE_UNKNOWN;
}

BOOL ParseClipboardField(const CString& strLine, CString& strLabel, CString& strValue)
{
    int nPrefix = lstrlenW(szFieldPrefix);
    if (strLine.Left(nPrefix) != szFieldPrefix)
        return FALSE;
    CString strField = strLine.Mid(nPrefix);
    int nEqual = strField.Find(L'=');
    if (nEqual <= 0)
        return FALSE;
    strLabel = strField.Left(nEqual);
    strValue = strField.Mid(nEqual + 1);
    return TRUE;
}

void SplitClipboardText(const CString& strText, CStringArray& arrLines)
{
    CStringEx(ReplaceAll(strText, L"\r\n", L"\n")).Split(L'\n', arrLines);
}

void DefinitionRowTexts(const CAlarmDefinition& definition, CStringArray& arrTexts)
{
    arrTexts.RemoveAll();
    arrTexts.Add(TriggerSourceName((UINT)definition.m_nClass));
    arrTexts.Add(definition.m_strTitle);
    arrTexts.Add(definition.m_strAssignedTo.IsEmpty() ? CString(L"-") : definition.m_strAssignedTo);
    arrTexts.Add(definition.m_strPriority.IsEmpty() ? CString(L"-") : definition.m_strPriority);
    CString strText = L"-";
    if (definition.m_nRepeatSecs != 0)
        strText.Format(L"%u secs", (UINT)definition.m_nRepeatSecs);
    arrTexts.Add(strText);
    strText = L"-";
    if (definition.m_nThresholdCount != 0)
        strText.Format(L"%u in %u secs", (UINT)definition.m_nThresholdCount, (UINT)definition.m_nThresholdSecs);
    arrTexts.Add(strText);
    arrTexts.Add(definition.m_strDescription);
    arrTexts.Add(FormatCriteriaText(definition));
}
