#include "console/alarms/CAlarmDataRequests.h"

#include "alarmmodel/AlarmDefinitionList.h"
#include "alarmmodel/CriteriaMatcher.h"
#include "console/alarms/CListedAlarms.h"

int CAlarmDataRequests::ChosenRow(const AlarmDataRequest& request) const
{
    int nRow = m_alarms.RowOfKey((UINT)request.key);
    if (nRow < 0)
        return 0;
    int nLast = m_alarms.m_wndAlarmList.GetItemCount() - 1;
    nRow += request.step;
    return nRow < 0 ? 0 : (nRow < nLast ? nRow : nLast);
}

void CAlarmDataRequests::Answer(AlarmDataRequest& request)
{
    CColorListCtrl& list = m_alarms.m_wndAlarmList;
    if (request.key < 0 || list.GetItemCount() == 0)
        return;
    int nRow = ChosenRow(request);
    UINT nKey = m_alarms.RowKey(nRow);
    request.key = (int)nKey;
    request.created = list.GetItemText(nRow, CListedAlarms::kColumnCreated);
    request.age = list.GetItemText(nRow, CListedAlarms::kColumnAge);
    request.classText = list.GetItemText(nRow, CListedAlarms::kColumnClass);
    request.title = list.GetItemText(nRow, CListedAlarms::kColumnTitle);
    request.from = list.GetItemText(nRow, CListedAlarms::kColumnFrom);
    request.status = list.GetItemText(nRow, CListedAlarms::kColumnStatus);
    if (request.criteria)
    {
        CAlarmDefinitionList definitions;
        if (m_alarms.ParseDefinition(nKey, definitions))
            request.text = FormatCriteriaText(*definitions.GetAt(0));
    }
    else
        request.text = list.GetItemText(nRow, CListedAlarms::kColumnDescription);
    if (m_alarms.m_mapLog.count(nKey))
        request.log = m_alarms.LogText(nKey);
    if (m_alarms.m_mapMatchText.count(nKey))
        request.matchText = m_alarms.MatchText(nKey);
    list.SelectNone();
    list.SelectItem(nRow, TRUE);
    list.EnsureVisible(nRow, FALSE);
}
