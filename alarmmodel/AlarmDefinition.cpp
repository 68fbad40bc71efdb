#include "alarmmodel/AlarmDefinition.h"

CAlarmDefinition::CAlarmDefinition()
{
    Clear();
}

void CAlarmDefinition::Clear()
{
    m_bActive = TRUE;
    m_nRepeatSecs = 0;
    m_nClass = 0;
    m_tCreated = 0;
    m_tModified = 0;
    m_nThresholdCount = 0;
    m_nThresholdSecs = 0;
    m_strTitle.Empty();
    m_strDescription.Empty();
    m_strAssignedTo.Empty();
    m_strPriority.Empty();
    m_arrActions.RemoveAll();
    m_arrCriteria.RemoveAll();
}

void CAlarmDefinition::CopyFrom(const CAlarmDefinition& other)
{
    *this = other;
}

void CAlarmDefinition::StampCreated()
{
    m_tCreated = (__time32_t)time(nullptr);
    m_tModified = m_tCreated;
}

void CAlarmDefinition::StampModified()
{
    m_tModified = (__time32_t)time(nullptr);
}
