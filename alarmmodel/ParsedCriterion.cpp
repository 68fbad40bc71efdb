#include "alarmmodel/ParsedCriterion.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/NumberText.h"

BOOL CParsedCriterion::Locate(const CString& strCriterion, UINT& nFieldId, UINT& nOperatorId, int& nValuesStart)
{
    int first = strCriterion.Find(L':');
    if (first <= 0)
        return FALSE;
    int second = strCriterion.Find(L':', first + 1);
    if (second <= first + 1)
        return FALSE;
    // Reading stops at the colon at the latest, so no copies of the two id texts are needed.
    nFieldId = (UINT)NumberFromText(strCriterion);
    nOperatorId = (UINT)NumberFromText(strCriterion.GetString() + first + 1);
    nValuesStart = second + 1;
    return TRUE;
}

CParsedCriterion::CParsedCriterion(const CString& strCriterion)
    : m_bParsed(FALSE), m_nFieldId(0), m_nOperatorId(0)
{
    int valuesStart = 0;
    if (!Locate(strCriterion, m_nFieldId, m_nOperatorId, valuesStart))
        return;
    m_strColumn = AlarmFieldColumnName(m_nFieldId);
    m_strOperatorLabel = MatchOperatorLabel(m_nOperatorId);
    m_strFieldLabel = AlarmFieldLabel(m_nFieldId);
    m_strValues = strCriterion.Mid(valuesStart);
    m_bParsed = TRUE;
}
