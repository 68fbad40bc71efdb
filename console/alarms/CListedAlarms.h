// The rows of the outstanding-alarms list: the list control with each row's prime key as its
// item data, and by key what no column shows (the definition text, the log, the match text and
// the creation time). The column of the last sort is kept so that a reload keeps its order.
#pragma once

#include "wincomponents/lists/CColorListCtrl.h"

#include <map>

class CAlarmDefinitionList;
class CAlarmsRecordset;

class CListedAlarms
{
public:
    enum
    {
        kColumnCreated = 0,
        kColumnAge = 1,
        kColumnClass = 2,
        kColumnTitle = 3,
        kColumnFrom = 4,
        kColumnStatus = 5,
        kColumnDescription = 8,
        kColumnCount = 9,
        // Search targets beside the list's columns.
        kColumnMatchText = 998,
        kColumnLog = 999
    };

    CListedAlarms();

    // The nine columns, sized to their headers; the age column sorts.
    void SetUpColumns();

    // The prime key of a row; the first selected row (-1 when none); the row of a key (-1).
    UINT RowKey(int nRow) const { return (UINT)m_wndAlarmList.GetItemData(nRow); }
    int FirstSelectedRow() const { return m_wndAlarmList.GetNextItem(-1, LVNI_SELECTED); }
    int RowOfKey(UINT nKey) const;

    // The kept texts of a key; empty (0) for a key not kept.
    CString DefinitionText(UINT nKey) const { return KeptText(m_mapDefinition, nKey); }
    CString LogText(UINT nKey) const { return KeptText(m_mapLog, nKey); }
    CString MatchText(UINT nKey) const { return KeptText(m_mapMatchText, nKey); }
    __time64_t CreatedTime(UINT nKey) const;
    // The definition of the key's alarm; FALSE unless its text holds exactly one.
    BOOL ParseDefinition(UINT nKey, CAlarmDefinitionList& definitions) const;

    // Before a load: the kept texts go, the rows stay to be written over.
    void ForgetTexts();
    // Row nRow (appended when it is the next) shows the record; its texts are kept by key.
    void ShowRecord(int nRow, const CAlarmsRecordset& rs);
    // Rows from nCount on are deleted.
    void TrimRows(int nCount);
    // Only the key's row is selected (none for -1 or a key not listed); its row or -1.
    int SelectOnlyKey(int nKey);

    // The header click sorts and becomes the column a reload sorts by.
    void SortOnColumnClick(const NMLISTVIEW* pList);
    // The rows as the last sort ordered them; nothing when they stand so already.
    void SortAgain();

    CColorListCtrl m_wndAlarmList;
    std::map<UINT, CString> m_mapDefinition;
    std::map<UINT, CString> m_mapLog;
    std::map<UINT, CString> m_mapMatchText;
    std::map<UINT, __time64_t> m_mapCreated;

private:
    static CString KeptText(const std::map<UINT, CString>& map, UINT nKey);

    int m_nSortColumn;
};
