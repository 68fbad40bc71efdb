// Answers the data requests by which the browser steps through the listed alarms: the row of
// the request's alarm moved by its step (kept within the list; a key no longer listed gives the
// first row) is selected alone, scrolled into view and its texts handed back.
#pragma once

#include "console/alarms/AlarmRequests.h"

class CListedAlarms;

class CAlarmDataRequests
{
public:
    explicit CAlarmDataRequests(CListedAlarms& alarms) : m_alarms(alarms) {}

    // An empty list, or a negative key, leaves the request untouched.
    void Answer(AlarmDataRequest& request);

private:
    int ChosenRow(const AlarmDataRequest& request) const;

    CListedAlarms& m_alarms;
};
