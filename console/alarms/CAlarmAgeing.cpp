#include "console/alarms/CAlarmAgeing.h"

#include "console/alarms/AlarmsListText.h"
#include "console/alarms/CListedAlarms.h"
#include "support/AppProfile.h"

void CAlarmAgeing::AgeRows(int nAgeSecs)
{
    CColorListCtrl& list = m_alarms.m_wndAlarmList;
    BOOL bDropped = FALSE;
    for (int nRow = list.GetItemCount() - 1; nRow >= 0; nRow--)
    {
        CTime now = AlarmsNow();
        __time64_t nCreated = m_alarms.CreatedTime(m_alarms.RowKey(nRow));
        long long nAge = now.GetTime() - nCreated;
        CTime created(nCreated);
        BOOL bDrop = (nAgeSecs > 0 && nAge > nAgeSecs) ||
                     (nAgeSecs == 0 && (created.GetYear() != now.GetYear() || created.GetMonth() != now.GetMonth() ||
                                        created.GetDay() != now.GetDay()));
        if (!bDrop)
        {
            list.SetItemText(nRow, CListedAlarms::kColumnAge, FormatAlarmAge(nAge));
            continue;
        }
        if (!bDropped)
            list.SetRedraw(FALSE);
        bDropped = TRUE;
        list.DeleteItem(nRow, FALSE);
    }
    ApplyHighlighting(FALSE);
    if (bDropped)
    {
        list.SetRedraw(TRUE);
        list.Invalidate(FALSE);
    }
}

void CAlarmAgeing::ApplyHighlighting(BOOL bRedraw)
{
    CAppProfile& profile = GetAppProfile();
    BOOL bCheckNew = profile.GetBool(L"CHighlighting::CheckNew", FALSE);
    BOOL bCheckOld = profile.GetBool(L"CHighlighting::CheckOld", FALSE);
    COLORREF crNewBack = (COLORREF)profile.GetInt(L"Highlight::NewColour", 0xFFFFFF);
    COLORREF crNewText = (COLORREF)profile.GetInt(L"Highlight::NewText", 0);
    COLORREF crOldBack = (COLORREF)profile.GetInt(L"Highlight::OldColour", 0xFFFFFF);
    COLORREF crOldText = (COLORREF)profile.GetInt(L"Highlight::OldText", 0);
    long long nNewLimit = (long long)profile.GetInt(L"Highlight::NewMinutes", 1) * 3600;
    long long nOldLimit = (long long)profile.GetInt(L"Highlight::OldMinutes", 6) * 3600;
    CColorListCtrl& list = m_alarms.m_wndAlarmList;
    if (bRedraw)
        list.SetRedraw(FALSE);
    BOOL bChanged = FALSE;
    for (int nRow = 0; nRow < list.GetItemCount(); nRow++)
    {
        long long nAge = AlarmsNow().GetTime() - m_alarms.CreatedTime(m_alarms.RowKey(nRow));
        COLORREF crBack = 0xFFFFFF, crText = 0;
        if (bCheckNew && nAge <= nNewLimit)
            crBack = crNewBack, crText = crNewText;
        else if (bCheckOld && nAge <= nOldLimit)
            crBack = crOldBack, crText = crOldText;
        if (list.GetItemBkColor(nRow, 0) == crBack && list.GetItemTextColor(nRow, 0) == crText)
            continue;
        list.SetItemBkColor(nRow, -1, crBack, FALSE);
        list.SetItemTextColor(nRow, -1, crText, FALSE);
        bChanged = TRUE;
    }
    // The rows are repainted once, not row by row.
    if (bRedraw)
        list.SetRedraw(TRUE);
    if (bChanged)
        list.Invalidate(FALSE);
}
