#include "console/alarms/CListedAlarms.h"

#include "alarmmodel/AlarmDefinitionList.h"
#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "console/alarms/AlarmsListText.h"
#include "support/StringEx.h"

namespace
{
const SORTLIST_COLUMN kAlarmColumns[] = {
    {L"Created", LVCFMT_LEFT}, {L"Age", LVCFMT_RIGHT},         {L"Class", LVCFMT_LEFT},
    {L"Title", LVCFMT_LEFT},   {L"From", LVCFMT_LEFT},         {L"Status", LVCFMT_LEFT},
    {L"Assigned To", LVCFMT_LEFT}, {L"Priority", LVCFMT_LEFT}, {L"Description", LVCFMT_LEFT}};

__time64_t TimestampTime(const TIMESTAMP_STRUCT& ts)
{
    if (ts.year == 0)
        return 0;
    return CTime(ts.year, ts.month, ts.day, ts.hour, ts.minute, ts.second).GetTime();
}

// The rows already stand as an ascending sort by the column would put them: without ties the
// sort could change nothing.
BOOL IsStrictlyAscending(const CListCtrl& list, int nColumn)
{
    CString strPrevious;
    for (int i = 0; i < list.GetItemCount(); i++)
    {
        CString strText = list.GetItemText(i, nColumn);
        if (i > 0 && wcscmp(strPrevious, strText) >= 0)
            return FALSE;
        strPrevious = strText;
    }
    return TRUE;
}
} // namespace

CListedAlarms::CListedAlarms() : m_nSortColumn(-1)
{
}

void CListedAlarms::SetUpColumns()
{
    m_wndAlarmList.SetColumns(kAlarmColumns, kColumnCount);
    m_wndAlarmList.SetFullRowSelect();
    m_wndAlarmList.AutoSizeColumns();
    m_nSortColumn = kColumnAge;
}

int CListedAlarms::RowOfKey(UINT nKey) const
{
    for (int i = 0; i < m_wndAlarmList.GetItemCount(); i++)
        if (RowKey(i) == nKey)
            return i;
    return -1;
}

CString CListedAlarms::KeptText(const std::map<UINT, CString>& map, UINT nKey)
{
    auto it = map.find(nKey);
    return it == map.end() ? CString() : it->second;
}

__time64_t CListedAlarms::CreatedTime(UINT nKey) const
{
    auto it = m_mapCreated.find(nKey);
    return it == m_mapCreated.end() ? 0 : it->second;
}

BOOL CListedAlarms::ParseDefinition(UINT nKey, CAlarmDefinitionList& definitions) const
{
    CStringArray arrLines;
    CStringEx(DefinitionText(nKey)).Split(L'\n', arrLines);
    definitions.ParseLines(arrLines);
    return definitions.GetCount() == 1;
}

void CListedAlarms::ForgetTexts()
{
    m_mapDefinition.clear();
    m_mapLog.clear();
    m_mapMatchText.clear();
    m_mapCreated.clear();
}

void CListedAlarms::ShowRecord(int nRow, const CAlarmsRecordset& rs)
{
    if (nRow >= m_wndAlarmList.GetItemCount())
        m_wndAlarmList.InsertItem(nRow, L"");
    UINT nKey = (UINT)rs.m_lPrimeKey;
    __time64_t nCreated = TimestampTime(rs.m_tsTimestamp);
    const CString texts[kColumnCount] = {
        CTime(nCreated).Format(L"%Y-%m-%d %H:%M:%S"), FormatAlarmAge(AlarmsNow().GetTime() - nCreated),
        TriggerSourceName((UINT)rs.m_lClass), rs.m_strTitle, MatchTextFrom(rs.m_strMatchText),
        rs.m_strStatus, rs.m_strAssignedTo, rs.m_strPriority, rs.m_strDescription};
    for (int i = 0; i < kColumnCount; i++)
        m_wndAlarmList.SetItemText(nRow, i, texts[i]);
    m_wndAlarmList.SetItemData(nRow, nKey);
    m_mapDefinition[nKey] = rs.m_strAlarmDefn;
    m_mapLog[nKey] = rs.m_strLog;
    m_mapMatchText[nKey] = rs.m_strMatchText;
    m_mapCreated[nKey] = nCreated;
}

void CListedAlarms::TrimRows(int nCount)
{
    while (m_wndAlarmList.GetItemCount() > nCount)
        m_wndAlarmList.DeleteItem(m_wndAlarmList.GetItemCount() - 1, FALSE);
}

int CListedAlarms::SelectOnlyKey(int nKey)
{
    int nRow = nKey >= 0 ? RowOfKey((UINT)nKey) : -1;
    for (int i = 0; i < m_wndAlarmList.GetItemCount(); i++)
        m_wndAlarmList.SelectItem(i, i == nRow);
    return nRow;
}

void CListedAlarms::SortOnColumnClick(const NMLISTVIEW* pList)
{
    m_wndAlarmList.SortOnColumnClick(pList);
    m_nSortColumn = pList->iSubItem;
}

void CListedAlarms::SortAgain()
{
    if (m_nSortColumn >= 0 && !IsStrictlyAscending(m_wndAlarmList, m_nSortColumn))
        m_wndAlarmList.SortByColumn(m_nSortColumn, TRUE);
}
