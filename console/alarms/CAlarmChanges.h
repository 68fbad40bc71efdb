// The operator's changes to alarms, written to the alarm table alarm by alarm on a connection of
// their own, under the wait cursor: a new status, which appends a dated block to the alarm's
// log, and deletions. Only listed alarms are changed, except by SetStatusOfKey.
#pragma once

#include <windows.h>

#include <functional>

class CListedAlarms;

class CAlarmChanges
{
public:
    enum Outcome
    {
        kNoDataSource, // nothing was tried (the failure is reported)
        kAllWritten,
        kNotAllWritten // the alarms not found or not written are reported and were skipped
    };

    explicit CAlarmChanges(CListedAlarms& alarms) : m_alarms(alarms) {}

    // Every listed alarm, or every selected one, whose status differs from the new one.
    Outcome SetStatus(const wchar_t* pszStatus, BOOL bSelectedOnly);
    // One alarm, listed or not, whatever its status: the same status twice gives two blocks.
    Outcome SetStatusOfKey(UINT nKey, const wchar_t* pszStatus);
    // FALSE when nothing was tried.
    BOOL DeleteSelected();
    // Every listed alarm, calling fnDone after each; FALSE when nothing was tried.
    BOOL DeleteListed(const std::function<void()>& fnDone);

private:
    CListedAlarms& m_alarms;
};
