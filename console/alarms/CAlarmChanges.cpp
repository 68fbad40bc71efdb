#include "console/alarms/CAlarmChanges.h"

#include "console/alarms/AlarmsListText.h"
#include "console/alarms/CAlarmsTable.h"
#include "console/alarms/CListedAlarms.h"
#include "framework/window/CWaitCursor.h"
#include "support/TimeText.h"

namespace
{
CString NewStatusBlock(const wchar_t* pszStatus)
{
    return StatusLogBlock(pszStatus, CTimeText().FormatCurrentTime());
}
} // namespace

CAlarmChanges::Outcome CAlarmChanges::SetStatus(const wchar_t* pszStatus, BOOL bSelectedOnly)
{
    CWaitCursor wait;
    CAlarmsTable table;
    if (!table.Open())
        return kNoDataSource;
    CString strBlock = NewStatusBlock(pszStatus);
    CColorListCtrl& list = m_alarms.m_wndAlarmList;
    Outcome outcome = kAllWritten;
    for (int nRow = 0; nRow < list.GetItemCount(); nRow++)
    {
        if (bSelectedOnly && !list.IsItemSelected(nRow))
            continue;
        if (list.GetItemText(nRow, CListedAlarms::kColumnStatus) == pszStatus)
            continue;
        if (table.WriteStatus(m_alarms.RowKey(nRow), pszStatus, strBlock, nullptr) != CAlarmsTable::kWritten)
        {
            outcome = kNotAllWritten;
            continue;
        }
        list.SetItemText(nRow, CListedAlarms::kColumnStatus, pszStatus);
    }
    table.Close();
    list.AutoSizeColumns();
    return outcome;
}

CAlarmChanges::Outcome CAlarmChanges::SetStatusOfKey(UINT nKey, const wchar_t* pszStatus)
{
    CWaitCursor wait;
    CAlarmsTable table;
    if (!table.Open())
        return kNoDataSource;
    CString strLog;
    CAlarmsTable::WriteResult result = table.WriteStatus(nKey, pszStatus, NewStatusBlock(pszStatus), &strLog);
    if (result == CAlarmsTable::kWritten)
    {
        m_alarms.m_mapLog[nKey] = strLog;
        int nRow = m_alarms.RowOfKey(nKey);
        if (nRow >= 0)
            m_alarms.m_wndAlarmList.SetItemText(nRow, CListedAlarms::kColumnStatus, pszStatus);
    }
    table.Close();
    m_alarms.m_wndAlarmList.AutoSizeColumns();
    return result == CAlarmsTable::kWritten ? kAllWritten : kNotAllWritten;
}

BOOL CAlarmChanges::DeleteSelected()
{
    CWaitCursor wait;
    CAlarmsTable table;
    if (!table.Open())
        return FALSE;
    CColorListCtrl& list = m_alarms.m_wndAlarmList;
    for (int nRow = m_alarms.FirstSelectedRow(); nRow >= 0; nRow = list.GetNextItem(nRow, LVNI_SELECTED))
        table.DeleteAlarm(m_alarms.RowKey(nRow));
    table.Close();
    return TRUE;
}

BOOL CAlarmChanges::DeleteListed(const std::function<void()>& fnDone)
{
    CWaitCursor wait;
    CAlarmsTable table;
    if (!table.Open())
        return FALSE;
    std::vector<UINT> keys;
    for (int nRow = 0; nRow < m_alarms.m_wndAlarmList.GetItemCount(); nRow++)
        keys.push_back(m_alarms.RowKey(nRow));
    table.DeleteAlarms(keys, fnDone);
    table.Close();
    return TRUE;
}
