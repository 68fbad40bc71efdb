// The outstanding-alarms view's commands, status changes and deletions, and the registered
// messages of its companion windows.
#include "console/alarms/CAlarmsListView.h"

#include "alarmmodel/AlarmDefinitionList.h"
#include "alarmmodel/CriteriaMatcher.h"
#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "console/alarms/AlarmsListText.h"
#include "console/definitions/CDefineAlarm.h"
#include "console/alarms/CHighlighting.h"
#include "console/app/CMainFrame.h"
#include "console/alarms/COutstandingFind.h"
#include "console/alarms/CSetStatus.h"
#include "console/app/RegisteredMessage.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CCmdUI.h"
#include "framework/window/CWaitCursor.h"
#include "support/AppProfile.h"
#include "support/StringEx.h"
#include "support/TimeText.h"

#include <windowsx.h>

namespace
{
// The recordset selects the alarm row of the key alone.
void FilterByKey(CRecordset& rs, UINT nKey)
{
    rs.m_strFilter = L"([FLD_PRIME_KEY] = ?)";
    rs.m_filterParams.RemoveAll();
    rs.m_filterParams.AddLong((long)nKey);
}

BOOL AskYesNo(const wchar_t* pszText, const wchar_t* pszCaption, CWnd* pWnd)
{
    return AfxShowMessageBox(pWnd->m_hWnd, pszText, pszCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
} // namespace

BOOL CAlarmsListView::WriteStatus(CDatabase& database, UINT nKey, const wchar_t* pszStatus,
                                  const CString& strBlock, CString* pNewLog)
{
    try
    {
        CAlarmsRecordset rs(&database);
        FilterByKey(rs, nKey);
        rs.Open(CRecordset::dynaset);
        if (!rs.IsBOF() && !rs.IsEOF())
        {
            rs.Edit();
            rs.m_strLog += strBlock;
            rs.m_strStatus = pszStatus;
            rs.Update();
            if (pNewLog)
                *pNewLog = rs.m_strLog;
        }
        rs.Close();
        return TRUE;
    }
    catch (const CDBException& e)
    {
        CAlarmsDatabase().ReportError(L"Error updating record in %s: %s", kAlarmsTableName, DatabaseErrorText(e).GetString());
        return FALSE;
    }
}

BOOL CAlarmsListView::SetAlarmStatus(const wchar_t* pszStatus, BOOL bSelectedOnly)
{
    CWaitCursor wait;
    CDatabase database;
    if (!CAlarmsDatabase().Open(database))
        return FALSE;
    CString strBlock = StatusLogBlock(pszStatus, CTimeText().FormatCurrentTime());
    BOOL bAllWritten = TRUE;
    for (int nRow = 0; nRow < m_wndAlarmList.GetItemCount(); nRow++)
    {
        if (bSelectedOnly && !m_wndAlarmList.IsItemSelected(nRow))
            continue;
        if (m_wndAlarmList.GetItemText(nRow, kColumnStatus) == pszStatus)
            continue;
        if (!WriteStatus(database, RowKey(nRow), pszStatus, strBlock, nullptr))
        {
            bAllWritten = FALSE;
            continue;
        }
        m_wndAlarmList.SetItemText(nRow, kColumnStatus, pszStatus);
    }
    database.Close();
    m_wndAlarmList.AutoSizeColumns();
    LoadAlarms(FALSE);
    return bAllWritten;
}

LRESULT CAlarmsListView::OnSetStatusMessage(WPARAM wParam, LPARAM lParam)
{
    CWaitCursor wait;
    const wchar_t* pszStatus = (const wchar_t*)lParam;
    if (!pszStatus)
        return 0;
    CDatabase database;
    if (!CAlarmsDatabase().Open(database))
        return 0;
    UINT nKey = (UINT)wParam;
    CString strLog;
    if (WriteStatus(database, nKey, pszStatus, StatusLogBlock(pszStatus, CTimeText().FormatCurrentTime()), &strLog))
    {
        if (!strLog.IsEmpty())
            m_mapLog[nKey] = strLog;
        int nRow = RowOfKey(nKey);
        if (nRow >= 0 && !strLog.IsEmpty())
            m_wndAlarmList.SetItemText(nRow, kColumnStatus, pszStatus);
    }
    database.Close();
    m_wndAlarmList.AutoSizeColumns();
    return 0;
}

void CAlarmsListView::OnSetStatus()
{
    CSetStatus dialog(this, L"", FirstSelectedRow() >= 0);
    if (dialog.DoModal() != IDOK)
        return;
    SetAlarmStatus(dialog.m_strStatus, dialog.m_nApplyTo == 1);
}

void CAlarmsListView::OnCloseAll()
{
    if (AskYesNo(L"Really change the status of all entries in the display to 'Closed' ?", L"Close All", this))
        SetAlarmStatus(L"Closed", FALSE);
}

void CAlarmsListView::OnDelete()
{
    if (!AskYesNo(L"Really delete the selected entries ?", L"Delete", this))
        return;
    CWaitCursor wait;
    CDatabase database;
    if (!CAlarmsDatabase().Open(database))
        return;
    for (int nRow = FirstSelectedRow(); nRow >= 0; nRow = m_wndAlarmList.GetNextItem(nRow, LVNI_SELECTED))
    {
        try
        {
            CAlarmsRecordset rs(&database);
            FilterByKey(rs, RowKey(nRow));
            rs.Open(CRecordset::dynaset);
            if (!rs.IsBOF() && !rs.IsEOF())
                rs.Delete();
            rs.Close();
        }
        catch (const CDBException& e)
        {
            CAlarmsDatabase().ReportError(L"Error deleting record from %s: %s", kAlarmsTableName,
                                          DatabaseErrorText(e).GetString());
        }
    }
    database.Close();
    LoadAlarms(FALSE);
}

void CAlarmsListView::OnDeleteAll()
{
    if (!AskYesNo(L"Really delete all entries ?", L"Delete All", this))
        return;
    CWaitCursor wait;
    CString strTitle = FrameTitle();
    CDatabase database;
    CAlarmsDatabase alarms;
    if (!alarms.Open(database))
        return;
    CString strProgress;
    try
    {
        CAlarmsRecordset rs(&database);
        rs.m_strFilter = L"1=2";
        rs.Open(CRecordset::dynaset);
        for (int nRow = 0; nRow < m_wndAlarmList.GetItemCount(); nRow++)
        {
            FilterByKey(rs, RowKey(nRow));
            rs.Requery();
            if (!rs.IsBOF() && !rs.IsEOF())
                rs.Delete();
            if (strProgress.GetLength() >= 50)
                strProgress.Empty();
            strProgress += L".";
            SetFrameTitle(strProgress);
        }
        rs.Close();
    }
    catch (const CDBException& e)
    {
        alarms.ReportDatabaseError(L"Deleting record", GetAlarmDatabaseDsn(), kAlarmsTableName, &e);
    }
    database.Close();
    SetFrameTitle(strTitle);
    LoadAlarms(FALSE);
}

void CAlarmsListView::OnViewDefinition()
{
    int nRow = FirstSelectedRow();
    if (nRow < 0)
        return;
    CStringArray arrLines;
    CStringEx(CachedText(m_mapDefinition, RowKey(nRow))).Split(L'\n', arrLines);
    CAlarmDefinitionList definitions;
    definitions.ParseLines(arrLines);
    if (definitions.GetCount() != 1)
    {
        AfxShowMessageBox(m_hWnd, L"Alarm Definition not found", L"Error", MB_OK | MB_ICONSTOP);
        return;
    }
    // What the user changes in the sheet is not stored anywhere.
    CDefineAlarm sheet(L"View Definition", definitions.GetAssignedToList(), definitions.GetPriorityList(), this,
                       definitions.GetAt(0), 0);
    sheet.DoModal();
}

LRESULT CAlarmsListView::OnContextMenu(WPARAM, LPARAM lParam)
{
    CMainFrame* pMain = GetMainFrame();
    HMENU hMenu = pMain ? ::GetMenu(pMain->m_hWnd) : nullptr;
    for (int i = 0; hMenu && i < ::GetMenuItemCount(hMenu); i++)
    {
        wchar_t szText[256] = {0};
        ::GetMenuStringW(hMenu, (UINT)i, szText, 255, MF_BYPOSITION);
        CString strText(szText);
        strText.Remove(L'&');
        HMENU hPopup = ::GetSubMenu(hMenu, i);
        if (strText != L"Outstanding" || !hPopup)
            continue;
        CFrameWnd* pFrame = GetParentFrame();
        ::TrackPopupMenu(hPopup, TPM_RIGHTBUTTON, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), 0,
                         pFrame ? pFrame->m_hWnd : m_hWnd, nullptr);
        break;
    }
    return 0;
}

void CAlarmsListView::OnRefresh()
{
    LoadAlarms(FALSE);
}

LRESULT CAlarmsListView::OnRefreshMessage(WPARAM, LPARAM)
{
    LoadAlarms(FALSE);
    return 0;
}

void CAlarmsListView::OnSelectAll()
{
    m_wndAlarmList.SelectAll();
}

void CAlarmsListView::OnDeselectAll()
{
    m_wndAlarmList.SelectNone();
}

void CAlarmsListView::OnSetWidths()
{
    CWaitCursor wait;
    AutoSizeListColumns(m_wndAlarmList);
}

void CAlarmsListView::OnChangeLayout()
{
    m_bDefaultView = !m_bDefaultView;
    GetAppProfile().WriteBool(L"CAlarmsListView::m_bDefaultView", m_bDefaultView);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->PostMessage(WM_CLOSE);
    if (CMainFrame* pMain = GetMainFrame())
        pMain->PostMessage(RegisteredMessage::nMsgOutstanding);
}

void CAlarmsListView::OnHighlighting()
{
    CHighlighting dialog(this);
    if (dialog.DoModal() == IDOK)
        ApplyHighlighting(TRUE);
}

void CAlarmsListView::OnFindCommand()
{
    CStringArray arrNames;
    CUIntArray arrIds;
    HWND hHeader = m_wndAlarmList.GetHeaderCtrl();
    for (int i = 0; i < m_wndAlarmList.GetColumnCount(); i++)
    {
        wchar_t szTitle[4096] = {0};
        HDITEMW item = {};
        item.mask = HDI_TEXT;
        item.pszText = szTitle;
        item.cchTextMax = 4096;
        ::SendMessageW(hHeader, HDM_GETITEMW, (WPARAM)i, (LPARAM)&item);
        arrNames.Add(szTitle);
        arrIds.Add((UINT)i);
    }
    arrNames.Add(L"Field : Value");
    arrIds.Add(kColumnMatchText);
    arrNames.Add(L"Log");
    arrIds.Add(kColumnLog);
    COutstandingFind dialog(this, arrNames, arrIds);
    dialog.DoModal();
}

void CAlarmsListView::OnUpdateOneSelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndAlarmList.GetItemCountByState(COLORLIST_SELECTED) == 1);
}

void CAlarmsListView::OnUpdateAnySelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FirstSelectedRow() >= 0);
}

void CAlarmsListView::OnUpdateNotEmpty(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndAlarmList.GetItemCount() > 0);
}

void CAlarmsListView::OnUpdateNotAllSelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndAlarmList.GetItemCountByState(COLORLIST_SELECTED) < m_wndAlarmList.GetItemCount());
}

void CAlarmsListView::OnUpdateChangeLayout(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bDefaultView);
}

LRESULT CAlarmsListView::OnGetData(WPARAM, LPARAM lParam)
{
    AlarmDataRequest* pRequest = (AlarmDataRequest*)lParam;
    int nCount = m_wndAlarmList.GetItemCount();
    // An empty list has no row to report.
    if (!pRequest || pRequest->key < 0 || nCount == 0)
        return 0;
    int nRow = RowOfKey((UINT)pRequest->key);
    if (nRow < 0)
        nRow = 0;
    else
    {
        nRow += pRequest->step;
        nRow = nRow < 0 ? 0 : (nRow < nCount - 1 ? nRow : nCount - 1);
    }
    UINT nKey = RowKey(nRow);
    pRequest->key = (int)nKey;
    pRequest->created = m_wndAlarmList.GetItemText(nRow, 0);
    pRequest->age = m_wndAlarmList.GetItemText(nRow, 1);
    pRequest->classText = m_wndAlarmList.GetItemText(nRow, 2);
    pRequest->title = m_wndAlarmList.GetItemText(nRow, 3);
    pRequest->from = m_wndAlarmList.GetItemText(nRow, 4);
    pRequest->status = m_wndAlarmList.GetItemText(nRow, kColumnStatus);
    if (pRequest->criteria)
    {
        CStringArray arrLines;
        CStringEx(CachedText(m_mapDefinition, nKey)).Split(L'\n', arrLines);
        CAlarmDefinitionList definitions;
        definitions.ParseLines(arrLines);
        if (definitions.GetCount() == 1)
            pRequest->text = FormatCriteriaText(*definitions.GetAt(0));
    }
    else
        pRequest->text = m_wndAlarmList.GetItemText(nRow, 8);
    if (m_mapLog.count(nKey))
        pRequest->log = m_mapLog[nKey];
    if (m_mapMatchText.count(nKey))
        pRequest->matchText = m_mapMatchText[nKey];
    m_wndAlarmList.SelectNone();
    m_wndAlarmList.SelectItem(nRow, TRUE);
    m_wndAlarmList.EnsureVisible(nRow, FALSE);
    return 0;
}

BOOL CAlarmsListView::RowMatches(int nRow, const AlarmFindRequest& request) const
{
    auto contains = [&](const CString& strText) { return strText.IsEmpty() ? request.text.IsEmpty() : CString(strText).MakeLower().Find(request.text) >= 0; };
    auto columnText = [&](int nColumn) {
        if (nColumn == kColumnMatchText)
            return CachedText(m_mapMatchText, RowKey(nRow));
        if (nColumn == kColumnLog)
            return CachedText(m_mapLog, RowKey(nRow));
        return m_wndAlarmList.GetItemText(nRow, nColumn);
    };
    if (!request.columnName.IsEmpty())
        return contains(columnText(request.column));
    for (int nColumn = 0; nColumn < m_wndAlarmList.GetColumnCount(); nColumn++)
        if (contains(columnText(nColumn)))
            return TRUE;
    return contains(columnText(kColumnMatchText)) || contains(columnText(kColumnLog));
}

LRESULT CAlarmsListView::OnFind(WPARAM, LPARAM lParam)
{
    AlarmFindRequest* pRequest = (AlarmFindRequest*)lParam;
    if (!pRequest)
        return 0;
    pRequest->text.MakeLower();
    m_bTrackSelection = FALSE;
    BOOL bSelect = pRequest->mode == 0 || pRequest->mode == 1;
    if (bSelect)
    {
        m_wndAlarmList.SetRedraw(FALSE);
        m_wndAlarmList.SelectNone();
    }
    int nMatches = 0;
    for (int nRow = 0; nRow < m_wndAlarmList.GetItemCount(); nRow++)
    {
        if (!RowMatches(nRow, *pRequest))
            continue;
        if (pRequest->mode == 1 || (pRequest->mode == 0 && nMatches == 0))
            m_wndAlarmList.SelectItem(nRow, TRUE);
        if (nMatches == 0)
            m_wndAlarmList.EnsureVisible(nRow, FALSE);
        nMatches++;
    }
    pRequest->matches = nMatches;
    if (bSelect)
    {
        m_wndAlarmList.SetRedraw(TRUE);
        m_wndAlarmList.Invalidate(TRUE);
    }
    m_bTrackSelection = TRUE;
    int nSelected = FirstSelectedRow();
    if (nSelected >= 0)
    {
        m_nDetailKey = -1;
        m_wndAlarmList.SelectItem(nSelected, FALSE);
        m_wndAlarmList.SelectItem(nSelected, TRUE);
    }
    return 0;
}

LRESULT CAlarmsListView::OnBrowserSearch(WPARAM, LPARAM lParam)
{
    AlarmSearchRequest* pRequest = (AlarmSearchRequest*)lParam;
    if (!pRequest)
        return 0;
    CString strText = pRequest->text;
    strText.MakeLower();
    int nCurrent = RowOfKey((UINT)pRequest->key);
    if (nCurrent < 0)
        nCurrent = 0;
    int nStep = pRequest->forward ? 1 : -1;
    for (int nRow = nCurrent + nStep; nRow >= 0 && nRow < m_wndAlarmList.GetItemCount(); nRow += nStep)
    {
        const std::map<UINT, CString>& map = pRequest->inMatchText ? m_mapMatchText : m_mapLog;
        CString strCached = CachedText(map, RowKey(nRow));
        if (strCached.MakeLower().Find(strText) >= 0)
        {
            pRequest->key = (int)RowKey(nRow);
            break;
        }
    }
    return 0;
}

LRESULT CAlarmsListView::OnShowAllOpen(WPARAM, LPARAM lParam)
{
    m_strLoadAge.Empty();
    m_strLoadAgeText.Empty();
    m_nAgeSecs = -1;
    m_strLoadFrom = lParam ? (const wchar_t*)lParam : L"";
    m_strLoadStatus = L"Open";
    m_strLoadTitle.Empty();
    m_strLoadAssignedTo.Empty();
    m_strLoadPriority.Empty();
    LoadAlarms(FALSE);
    return 0;
}
