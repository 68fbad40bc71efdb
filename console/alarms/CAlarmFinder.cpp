#include "console/alarms/CAlarmFinder.h"

#include "console/alarms/CListedAlarms.h"

void CAlarmFinder::SearchColumns(CStringArray& arrNames, CUIntArray& arrIds) const
{
    const CColorListCtrl& list = m_alarms.m_wndAlarmList;
    for (int i = 0; i < list.GetColumnCount(); i++)
    {
        arrNames.Add(list.GetColumnTitle(i));
        arrIds.Add((UINT)i);
    }
    arrNames.Add(L"Field : Value");
    arrIds.Add(CListedAlarms::kColumnMatchText);
    arrNames.Add(L"Log");
    arrIds.Add(CListedAlarms::kColumnLog);
}

CString CAlarmFinder::ColumnText(int nRow, int nColumn) const
{
    if (nColumn == CListedAlarms::kColumnMatchText)
        return m_alarms.MatchText(m_alarms.RowKey(nRow));
    if (nColumn == CListedAlarms::kColumnLog)
        return m_alarms.LogText(m_alarms.RowKey(nRow));
    return m_alarms.m_wndAlarmList.GetItemText(nRow, nColumn);
}

BOOL CAlarmFinder::RowMatches(int nRow, const AlarmFindRequest& request) const
{
    auto contains = [&](const CString& strText) {
        return strText.IsEmpty() ? request.text.IsEmpty() : CString(strText).MakeLower().Find(request.text) >= 0;
    };
    if (!request.columnName.IsEmpty())
        return contains(ColumnText(nRow, request.column));
    for (int nColumn = 0; nColumn < m_alarms.m_wndAlarmList.GetColumnCount(); nColumn++)
        if (contains(ColumnText(nRow, nColumn)))
            return TRUE;
    return contains(ColumnText(nRow, CListedAlarms::kColumnMatchText)) ||
           contains(ColumnText(nRow, CListedAlarms::kColumnLog));
}

void CAlarmFinder::Find(AlarmFindRequest& request)
{
    CColorListCtrl& list = m_alarms.m_wndAlarmList;
    request.text.MakeLower();
    BOOL bSelect = request.mode == 0 || request.mode == 1;
    if (bSelect)
    {
        list.SetRedraw(FALSE);
        list.SelectNone();
    }
    int nMatches = 0;
    for (int nRow = 0; nRow < list.GetItemCount(); nRow++)
    {
        if (!RowMatches(nRow, request))
            continue;
        if (request.mode == 1 || (request.mode == 0 && nMatches == 0))
            list.SelectItem(nRow, TRUE);
        if (nMatches == 0)
            list.EnsureVisible(nRow, FALSE);
        nMatches++;
    }
    request.matches = nMatches;
    if (bSelect)
    {
        list.SetRedraw(TRUE);
        list.Invalidate(TRUE);
    }
}

void CAlarmFinder::SearchNext(AlarmSearchRequest& request) const
{
    CString strText = request.text;
    strText.MakeLower();
    int nCurrent = m_alarms.RowOfKey((UINT)request.key);
    if (nCurrent < 0)
        nCurrent = 0;
    int nStep = request.forward ? 1 : -1;
    for (int nRow = nCurrent + nStep; nRow >= 0 && nRow < m_alarms.m_wndAlarmList.GetItemCount(); nRow += nStep)
    {
        UINT nKey = m_alarms.RowKey(nRow);
        CString strKept = request.inMatchText ? m_alarms.MatchText(nKey) : m_alarms.LogText(nKey);
        if (strKept.MakeLower().Find(strText) >= 0)
        {
            request.key = (int)nKey;
            break;
        }
    }
}
