// One alarm definition: which records raise the alarm, what it is called, who handles it, its
// repeat and threshold rules, and its notification actions.
#pragma once

#include "framework/Framework.h"

#include <ctime>

class CAlarmDefinition
{
public:
    CAlarmDefinition();

    void Clear();
    void CopyFrom(const CAlarmDefinition& other);
    // For a new or copied definition.
    void StampCreated();
    // After an edit.
    void StampModified();

    // Runs every action in order for one record (parallel column names and values) and
    // replaces arrOutput with a log of what was done. FALSE when an action string is malformed,
    // a mail or SMS action lacks a setting, or a sound file cannot be read; delivery errors of
    // a channel show only in the log. Built with the action channels, not the model library.
    BOOL ExecuteAlarmActions(const CString& strFrom, const CString& strTime, const CStringArray& arrColumns,
                             const CStringArray& arrValues, const CStringArray& arrTriggerLines,
                             CStringArray& arrOutput) const;

    BOOL m_bActive;
    // 0: alarm every time; otherwise at most once every that many seconds.
    int m_nRepeatSecs;
    // Trigger source id.
    int m_nClass;
    __time32_t m_tCreated;
    __time32_t m_tModified;
    // 0: no threshold; otherwise raised when matched that many times within m_nThresholdSecs.
    int m_nThresholdCount;
    int m_nThresholdSecs;
    CString m_strTitle;
    CString m_strDescription;
    CString m_strAssignedTo;
    CString m_strPriority;
    // "kind:parameter"
    CStringArray m_arrActions;
    // "field:operator:values", the alternatives of the values separated by a form feed.
    CStringArray m_arrCriteria;
};
