#include "alarmmodel/ParsedCriterion.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/NumberText.h"

CParsedCriterion::CParsedCriterion(const CString& strCriterion)
    : m_bParsed(FALSE), m_nFieldId(0), m_nOperatorId(0)
{
    int first = strCriterion.Find(L':');
    if (first <= 0)
        return;
    int second = strCriterion.Find(L':', first + 1);
    if (second <= first + 1)
        return;
    m_nFieldId = (UINT)NumberFromText(strCriterion.Left(first));
    m_nOperatorId = (UINT)NumberFromText(strCriterion.Mid(first + 1, second - first - 1));
    m_strColumn = AlarmFieldColumnName(m_nFieldId);
    m_strOperatorLabel = MatchOperatorLabel(m_nOperatorId);
    m_strFieldLabel = AlarmFieldLabel(m_nFieldId);
    m_strValues = strCriterion.Mid(second + 1);
    m_bParsed = TRUE;
}
