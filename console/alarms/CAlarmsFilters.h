// The six filters of the outstanding-alarms list: an age limit with the text that names it, and
// the origin, status, title, assignee and priority a row must have (an empty text filters
// nothing). They are kept in the profile, under the names "CAlarmsListView::m_strLoad..." and
// "CAlarmsListView::m_nAgeSecs" that earlier versions wrote.
#pragma once

#include "console/alarms/CAlarmsTable.h"

class CAlarmsFilters
{
public:
    enum TextFilter
    {
        kFrom,
        kStatus,
        kTitle,
        kAssignedTo,
        kPriority,
        kTextFilters
    };

    // The filters as the profile keeps them.
    CAlarmsFilters();

    // nHours < 0: no limit; 0: today; otherwise that many hours back from each load.
    void SetAge(const wchar_t* pszAge, const wchar_t* pszAgeText, int nHours);
    void SetText(TextFilter nFilter, const wchar_t* pszText);
    // Every filter that is set is cleared, in the profile too; FALSE when none was set.
    BOOL Clear();
    // The open alarms of one origin (every origin for null), for this window only: the profile
    // keeps the operator's filters.
    void ShowAllOpen(const wchar_t* pszFrom);

    int AgeSeconds() const { return m_nAgeSecs; }
    // The texts a load applies: an age limit in hours or "today" moves on with the clock.
    AlarmsFilterTexts TextsForLoad();
    // ", Age: <text>", ", From: <text>" and so on for each filter set, as the title shows them.
    CString TitleParts() const;

private:
    CString m_strAge;
    CString m_strAgeText;
    int m_nAgeSecs; // -1 no limit, 0 today
    CString m_strTexts[kTextFilters];
};
