#include "alarmmodel/CriteriaMatcher.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/NumberText.h"
#include "alarmmodel/ParsedCriterion.h"
#include "support/StringEx.h"

#include <vector>

namespace
{
const wchar_t AlternativeSeparator = L'\f';

// Only A-Z: the comparison must not depend on the user's locale.
CString LowerAscii(const CString& text)
{
    CString out(text);
    for (int i = 0; i < out.GetLength(); ++i)
    {
        wchar_t c = out[i];
        if (c >= L'A' && c <= L'Z')
            out.SetAt(i, (wchar_t)(c - L'A' + L'a'));
    }
    return out;
}

bool AlternativeHolds(const CString& field, const CString& alternative, UINT nOperator)
{
    switch (nOperator)
    {
    case MATCH_TEXT_CONTAINS: return field.Find(alternative) >= 0;
    case MATCH_TEXT_EXACT: return field == alternative;
    case MATCH_TEXT_NOT_CONTAINS: return field.Find(alternative) < 0;
    default: break;
    }
    const int a = NumberFromText(field), b = NumberFromText(alternative);
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
} // namespace

BOOL MatchCriterionValue(const CString& strValues, const CString& strFieldValue, UINT nOperator)
{
    if (strFieldValue.IsEmpty())
        return FALSE;
    const CString field = LowerAscii(strFieldValue);
    CStringArray alternatives;
    CStringEx(strValues).Split(AlternativeSeparator, alternatives);
    int holding = 0;
    for (const CString& alternative : alternatives)
        if (AlternativeHolds(field, LowerAscii(alternative), nOperator))
            ++holding;
    if (EveryAlternativeNeeded(nOperator))
        return holding == alternatives.GetSize();
    return holding > 0;
}

BOOL TestDefinitionCriteria(const CAlarmDefinition& definition, const CStringArray& arrColumns,
                            const CStringArray& arrValues, CString& strResult)
{
    strResult.Empty();
    // Parsing is pure, so each criterion is parsed once rather than once per column.
    std::vector<CParsedCriterion> criteria;
    criteria.reserve((size_t)definition.m_arrCriteria.GetSize());
    for (const CString& text : definition.m_arrCriteria)
        criteria.emplace_back(text);

    int tested = 0;
    for (int i = 0; i < arrColumns.GetSize(); ++i)
    {
        const CString& column = arrColumns[i];
        for (const CParsedCriterion& criterion : criteria)
        {
            if (!criterion.m_bParsed || criterion.m_strColumn != column)
                continue;
            ++tested;
            // A record short of values reads as empty values, which never match.
            const CString value = i < arrValues.GetSize() ? arrValues[i] : CString();
            if (!MatchCriterionValue(criterion.m_strValues, value, criterion.m_nOperatorId))
            {
                strResult.Format(L"No match for field = %s, %s = %s", criterion.m_strFieldLabel.GetString(),
                                 criterion.m_strOperatorLabel.GetString(), criterion.m_strValues.GetString());
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
