#include "alarmmodel/CriteriaMatcher.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/NumberText.h"
#include "alarmmodel/ParsedCriterion.h"
#include "support/StringEx.h"

#include <cwchar>
#include <string>
#include <vector>

namespace
{
const wchar_t AlternativeSeparator = L'\f';

// Only A-Z: the comparison must not depend on the user's locale.
void LowerAscii(const wchar_t* pBegin, const wchar_t* pEnd, std::wstring& out)
{
    out.assign(pBegin, pEnd);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z')
            c = (wchar_t)(c - L'A' + L'a');
}

bool AlternativeHolds(const std::wstring& field, const std::wstring& alternative, UINT nOperator)
{
    switch (nOperator)
    {
    case MATCH_TEXT_CONTAINS: return field.find(alternative) != std::wstring::npos;
    case MATCH_TEXT_EXACT: return field == alternative;
    case MATCH_TEXT_NOT_CONTAINS: return field.find(alternative) == std::wstring::npos;
    default: break;
    }
    const int a = NumberFromText(field.c_str()), b = NumberFromText(alternative.c_str());
    switch (nOperator)
    {
    case MATCH_NUMBER_EQUAL: return a == b;
    case MATCH_NUMBER_NOT_EQUAL: return a != b;
    case MATCH_NUMBER_LESS: return a < b;
    case MATCH_NUMBER_LESS_EQUAL: return a <= b;
    case MATCH_NUMBER_GREATER: return a > b;
    case MATCH_NUMBER_GREATER_EQUAL: return a >= b;
    default: return false;
    }
}

bool EveryAlternativeNeeded(UINT nOperator)
{
    return nOperator == MATCH_TEXT_NOT_CONTAINS || nOperator == MATCH_NUMBER_NOT_EQUAL;
}

// The field value is already lower-cased and not empty. Every piece between separators is an
// alternative, empty ones included; an empty values text has none.
bool MatchLoweredValue(const wchar_t* pszValues, const std::wstring& field, UINT nOperator)
{
    int alternatives = 0, holding = 0;
    std::wstring alternative;
    for (const wchar_t* p = pszValues; *pszValues && p; ++alternatives)
    {
        const wchar_t* end = wcschr(p, AlternativeSeparator);
        LowerAscii(p, end ? end : p + wcslen(p), alternative);
        if (AlternativeHolds(field, alternative, nOperator))
            ++holding;
        p = end ? end + 1 : nullptr;
    }
    return EveryAlternativeNeeded(nOperator) ? holding == alternatives : holding > 0;
}

// A criterion as the matcher needs it; labels are looked up only for the explanation.
struct CriterionToTest
{
    const CString* pText;
    const wchar_t* pszColumn;
    const wchar_t* pszValues;
    UINT nOperator;
};

void CollectCriteria(const CAlarmDefinition& definition, std::vector<CriterionToTest>& criteria)
{
    criteria.reserve((size_t)definition.m_arrCriteria.GetSize());
    for (const CString& text : definition.m_arrCriteria)
    {
        UINT field = 0, op = 0;
        int valuesStart = 0;
        if (!CParsedCriterion::Locate(text, field, op, valuesStart))
            continue;
        const AlarmFieldRow* row = FindAlarmField(field);
        // An unknown field has an empty column name, which no record column has.
        if (row)
            criteria.push_back({&text, row->pszColumn, text.GetString() + valuesStart, op});
    }
}
} // namespace

BOOL MatchCriterionValue(const CString& strValues, const CString& strFieldValue, UINT nOperator)
{
    if (strFieldValue.IsEmpty())
        return FALSE;
    std::wstring field;
    LowerAscii(strFieldValue.GetString(), strFieldValue.GetString() + strFieldValue.GetLength(), field);
    return MatchLoweredValue(strValues, field, nOperator) ? TRUE : FALSE;
}

BOOL TestDefinitionCriteria(const CAlarmDefinition& definition, const CStringArray& arrColumns,
                            const CStringArray& arrValues, CString& strResult)
{
    strResult.Empty();
    // Parsing is pure, so each criterion is parsed once rather than once per column.
    std::vector<CriterionToTest> criteria;
    CollectCriteria(definition, criteria);

    int tested = 0;
    std::wstring field;
    for (int i = 0; i < arrColumns.GetSize(); ++i)
    {
        bool lowered = false;
        for (const CriterionToTest& criterion : criteria)
        {
            if (wcscmp(criterion.pszColumn, arrColumns[i]) != 0)
                continue;
            ++tested;
            // A record short of values reads as empty values, which never match.
            static const CString noValue;
            const CString& value = i < arrValues.GetSize() ? arrValues[i] : noValue;
            if (!lowered)
                LowerAscii(value.GetString(), value.GetString() + value.GetLength(), field);
            lowered = true;
            if (value.IsEmpty() || !MatchLoweredValue(criterion.pszValues, field, criterion.nOperator))
            {
                CParsedCriterion failed(*criterion.pText);
                strResult.Format(L"No match for field = %s, %s = %s", failed.m_strFieldLabel.GetString(),
                                 failed.m_strOperatorLabel.GetString(), failed.m_strValues.GetString());
                return FALSE;
            }
        }
    }
    strResult = tested > 0 ? L"Alarm" : L"No criteria tested";
    return tested > 0 ? TRUE : FALSE;
}

CString FormatCriteriaText(const CAlarmDefinition& definition)
{
    CStringArrayEx parts;
    for (const CString& text : definition.m_arrCriteria)
    {
        CParsedCriterion criterion(text);
        if (!criterion.m_bParsed)
            continue;
        CStringArrayEx alternatives;
        CStringEx(criterion.m_strValues).Split(AlternativeSeparator, alternatives);
        for (int k = 0; k < alternatives.GetSize(); ++k)
            alternatives[k] = L"'" + alternatives[k] + L"'";
        parts.AddFormat(L"'%s' %s %s", criterion.m_strFieldLabel.GetString(),
                        MatchOperatorWord(criterion.m_nOperatorId).GetString(), alternatives.Join(L" or ").GetString());
    }
    return parts.Join(L", ");
}
