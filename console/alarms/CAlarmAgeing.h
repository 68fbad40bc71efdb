// Keeps the ages of the listed alarms current: the Age column, the rows that have grown older
// than the age filter dropped, and every row coloured by the new and old bands of the
// highlighting dialog (kept in the profile; each band's limit is given in hours).
#pragma once

#include <windows.h>

class CListedAlarms;

class CAlarmAgeing
{
public:
    explicit CAlarmAgeing(CListedAlarms& alarms) : m_alarms(alarms) {}

    // One pass. nAgeSecs > 0: rows older than that go; 0: rows not created today go; < 0: none.
    void AgeRows(int nAgeSecs);
    // bRedraw: the list is painted once, after every row has its colours.
    void ApplyHighlighting(BOOL bRedraw);

private:
    CListedAlarms& m_alarms;
};
