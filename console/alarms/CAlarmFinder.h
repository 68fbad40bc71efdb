// Finding listed alarms by a text, without regard to case: the Find dialog's search in one
// column or in all (the match text and the log count as columns), and the browser's search
// for the next alarm, forwards or backwards, whose match text or log holds a text.
#pragma once

#include "console/alarms/AlarmRequests.h"
#include "framework/core/CStringArray.h"
#include "framework/core/CUIntArray.h"

class CListedAlarms;

class CAlarmFinder
{
public:
    explicit CAlarmFinder(CListedAlarms& alarms) : m_alarms(alarms) {}

    // The columns the Find dialog offers: the list's headers, then the match text and the log.
    void SearchColumns(CStringArray& arrNames, CUIntArray& arrIds) const;
    // Counts the matches and, by the request's mode, selects the first or every one; the
    // first match is scrolled into view.
    void Find(AlarmFindRequest& request);
    // The key of the next matching alarm from the request's one; the key stays without one.
    void SearchNext(AlarmSearchRequest& request) const;

private:
    BOOL RowMatches(int nRow, const AlarmFindRequest& request) const;
    CString ColumnText(int nRow, int nColumn) const;

    CListedAlarms& m_alarms;
};
