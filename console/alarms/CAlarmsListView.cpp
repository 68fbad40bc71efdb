#include "console/alarms/CAlarmsListView.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/AlarmsRecordset.h"
#include "console/alarms/AlarmsListText.h"
#include "console/app/CBelvaneApp.h"
#include "console/app/CMainFrame.h"
#include "console/app/RegisteredMessage.h"
#include "console/app/StatusPaneTexts.h"
#include "framework/frames/CFrameWnd.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/BelvaneRes.h"
#include "resources/console/OutstandingRes.h"
#include "support/AppProfile.h"
#include "support/RegistryStore.h"
#include "support/StringEx.h"
#include "wincomponents/CFontFactory.h"

#include <set>

IMPLEMENT_DYNCREATE(CAlarmsListView, CResizableFormView)

BEGIN_MESSAGE_MAP(CAlarmsListView, CResizableFormView)
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_ALARM_LIST, OnAlarmItemChanged)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_ALARM_LIST, OnAlarmColumnClick)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgGetData, OnGetData)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgFind, OnFind)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgBrowser, OnBrowserSearch)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgShowAllOpen, OnShowAllOpen)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgRefresh, OnRefreshMessage)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgSetStatus, OnSetStatusMessage)
    ON_COMMAND(ID_OUTSTANDING_REFRESH, OnRefresh)
    ON_COMMAND(ID_OUTSTANDING_VIEW_DEFINITION, OnViewDefinition)
    ON_COMMAND(ID_OUTSTANDING_DELETE, OnDelete)
    ON_COMMAND(ID_OUTSTANDING_DELETE_ALL, OnDeleteAll)
    ON_COMMAND(ID_OUTSTANDING_SET_STATUS, OnSetStatus)
    ON_COMMAND(ID_EDIT_SELECT_ALL_ROWS, OnSelectAll)
    ON_COMMAND(ID_EDIT_DESELECT_ALL_ROWS, OnDeselectAll)
    ON_COMMAND(ID_OUTSTANDING_CLOSE_ALL, OnCloseAll)
    ON_COMMAND(ID_OUTSTANDING_FIND, OnFindCommand)
    ON_COMMAND(ID_OUTSTANDING_HIGHLIGHTING, OnHighlighting)
    ON_COMMAND(ID_OUTSTANDING_CHANGE_LAYOUT, OnChangeLayout)
    ON_COMMAND(ID_OUTSTANDING_SET_WIDTHS, OnSetWidths)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_VIEW_DEFINITION, OnUpdateOneSelected)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_DELETE, OnUpdateAnySelected)
    ON_UPDATE_COMMAND_UI(ID_EDIT_DESELECT_ALL_ROWS, OnUpdateAnySelected)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_DELETE_ALL, OnUpdateNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_SET_STATUS, OnUpdateNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_CLOSE_ALL, OnUpdateNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_FIND, OnUpdateNotEmpty)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL_ROWS, OnUpdateNotAllSelected)
    ON_UPDATE_COMMAND_UI(ID_OUTSTANDING_CHANGE_LAYOUT, OnUpdateChangeLayout)
END_MESSAGE_MAP()

namespace
{
const wchar_t kAlarmsTitle[] = L"Outstanding Alarms";
const wchar_t kNewMark[] = L" *";

const SORTLIST_COLUMN kAlarmColumns[] = {
    {L"Created", LVCFMT_LEFT}, {L"Age", LVCFMT_RIGHT},         {L"Class", LVCFMT_LEFT},
    {L"Title", LVCFMT_LEFT},   {L"From", LVCFMT_LEFT},         {L"Status", LVCFMT_LEFT},
    {L"Assigned To", LVCFMT_LEFT}, {L"Priority", LVCFMT_LEFT}, {L"Description", LVCFMT_LEFT}};
const SORTLIST_COLUMN kFieldColumns[] = {{L"Field", LVCFMT_LEFT}, {L"Value", LVCFMT_LEFT}};
const SORTLIST_COLUMN kLogColumns[] = {{L"Log", LVCFMT_LEFT}};

const int kColumnCount = (int)(sizeof kAlarmColumns / sizeof kAlarmColumns[0]);

void SetUpList(CSortListCtrl& list, const SORTLIST_COLUMN* pColumns, int nCount)
{
    list.SetColumns(pColumns, nCount);
    list.SetFullRowSelect();
    AutoSizeListColumns(list);
}

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

CAlarmsListView::CAlarmsListView()
    : CResizableFormView(IDD_ALARMS_LIST_FORM), m_nDetailKey(-1), m_pDetailFont(nullptr),
      m_nLastPrimeKey(0), m_bTrackSelection(FALSE), m_nSortColumn(-1)
{
    CAppProfile& profile = GetAppProfile();
    m_bDefaultView = profile.GetBool(L"CAlarmsListView::m_bDefaultView", TRUE);
    m_nAgeSecs = profile.GetInt(L"CAlarmsListView::m_nAgeSecs", -1);
    m_strLoadAge = profile.GetString(L"CAlarmsListView::m_strLoadAge", L"");
    m_strLoadAgeText = profile.GetString(L"CAlarmsListView::m_strLoadAgeText", L"");
    m_strLoadFrom = profile.GetString(L"CAlarmsListView::m_strLoadFrom", L"");
    m_strLoadStatus = profile.GetString(L"CAlarmsListView::m_strLoadStatus", L"");
    m_strLoadTitle = profile.GetString(L"CAlarmsListView::m_strLoadTitle", L"");
    m_strLoadAssignedTo = profile.GetString(L"CAlarmsListView::m_strLoadAssignedTo", L"");
    m_strLoadPriority = profile.GetString(L"CAlarmsListView::m_strLoadPriority", L"");
}

CAlarmsListView::~CAlarmsListView()
{
    delete m_pDetailFont;
}

void CAlarmsListView::DoDataExchange(CDataExchange* pDX)
{
    CResizableFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LOG_LIST, m_wndLogList);
    DDX_Control(pDX, IDC_FIELD_LIST, m_wndFieldList);
    DDX_Control(pDX, IDC_ALARM_LIST, m_wndAlarmList);
}

void CAlarmsListView::OnInitialUpdate()
{
    CResizableFormView::OnInitialUpdate();
    UpdateData(FALSE);
    SetUpLayout();
    m_pDetailFont = CFontFactory(this).CreateCourierFont(10, FALSE);
    if (m_pDetailFont)
    {
        m_wndFieldList.SetFont(m_pDetailFont);
        m_wndLogList.SetFont(m_pDetailFont);
    }
    SetUpColumns();
    RepositionControls(TRUE);
    LoadAlarms(FALSE);
    SetTimer(kTimerAgeing, 5000);
    SetTimer(kTimerPoll, 500);
    m_bTrackSelection = TRUE;
    m_nLastPrimeKey = GetRegistryStore().GetVolatileDWord(L"AlarmLastPrimeKey", 0);
    if (m_wndAlarmList.GetItemCount() > 0)
    {
        m_wndAlarmList.SelectItem(0, TRUE);
        ShowAlarmDetails(RowKey(0));
    }
}

void CAlarmsListView::SetUpLayout()
{
    if (m_bDefaultView)
    {
        static const LAYOUT_ANCHOR layout[] = {
            {IDC_ALARM_LIST, 4, 2, 0, 0}, {IDC_FIELD_LIST, 2, 2, 0, 2}, {IDC_LOG_LIST, 2, 2, 2, 2}};
        SetLayout(layout, 3);
        return;
    }
    CRect rectAlarms, rectLog;
    m_wndAlarmList.GetWindowRect(&rectAlarms);
    m_wndLogList.GetWindowRect(&rectLog);
    ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)&rectAlarms, 2);
    ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)&rectLog, 2);
    rectAlarms.bottom = rectLog.bottom;
    m_wndAlarmList.MoveWindow(rectAlarms);
    m_wndFieldList.ShowWindow(SW_HIDE);
    m_wndLogList.ShowWindow(SW_HIDE);
    static const LAYOUT_ANCHOR layout[] = {{IDC_ALARM_LIST, 4, 4, 0, 0}};
    SetLayout(layout, 1);
}

void CAlarmsListView::SetUpColumns()
{
    SetUpList(m_wndAlarmList, kAlarmColumns, kColumnCount);
    m_nSortColumn = 1;
    SetUpList(m_wndFieldList, kFieldColumns, 2);
    SetUpList(m_wndLogList, kLogColumns, 1);
}

void CAlarmsListView::OnSize(UINT nType, int cx, int cy)
{
    CResizableFormView::OnSize(nType, cx, cy);
    RepositionControls(TRUE);
    for (CSortListCtrl* pList : {(CSortListCtrl*)&m_wndAlarmList, &m_wndFieldList, &m_wndLogList})
        if (pList->m_hWnd)
            AutoSizeListColumns(*pList);
}

void CAlarmsListView::FitAlarmColumns()
{
    // Each distinct text is measured once, in the list's font: the list's own sizing measures
    // every cell and takes most of a load's time.
    const int kPadding = 16;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOldFont = ::SelectObject(hDC, (HGDIOBJ)m_wndAlarmList.SendMessage(WM_GETFONT));
    HWND hHeader = m_wndAlarmList.GetHeaderCtrl();
    for (int nColumn = 0; nColumn < kColumnCount; nColumn++)
    {
        std::set<CString> texts{kAlarmColumns[nColumn].pszTitle};
        for (int nRow = 0; nRow < m_wndAlarmList.GetItemCount(); nRow++)
            texts.insert(m_wndAlarmList.GetItemText(nRow, nColumn));
        int nWidth = 0;
        for (const CString& strText : texts)
        {
            SIZE size = {};
            ::GetTextExtentPoint32W(hDC, strText, strText.GetLength(), &size);
            nWidth = size.cx > nWidth ? size.cx : nWidth;
        }
        m_wndAlarmList.SetColumnWidth(nColumn, nWidth + kPadding);
    }
    ::SelectObject(hDC, hOldFont);
    ::DeleteDC(hDC);
    ::InvalidateRect(hHeader, nullptr, TRUE);
}

CString CAlarmsListView::FrameTitle() const
{
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame ? pFrame->GetWindowText() : CString();
}

void CAlarmsListView::SetFrameTitle(const CString& strTitle)
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SetWindowText(strTitle);
}

void CAlarmsListView::LoadAlarms(BOOL bKeepWidths)
{
    CWaitCursor wait;
    KillTimer(kTimerNewAlarms);
    CString strTitle = FrameTitle();
    if (strTitle.Right(2) == kNewMark)
        SetFrameTitle(strTitle.Left(strTitle.GetLength() - 2));
    BOOL bTrack = m_bTrackSelection;
    m_bTrackSelection = FALSE;
    CDatabase database;
    CAlarmsDatabase alarms;
    if (!alarms.Open(database))
    {
        m_bTrackSelection = bTrack;
        return;
    }
    BOOL bWasEmpty = m_wndAlarmList.GetItemCount() == 0;
    int nSelectedKey = FirstSelectedRow() >= 0 ? (int)RowKey(FirstSelectedRow()) : -1;
    m_wndAlarmList.SetRedraw(FALSE);
    m_mapDefinition.clear();
    m_mapLog.clear();
    m_mapMatchText.clear();
    m_mapCreated.clear();
    int nRead = 0;
    ReadRows(database, nRead);
    while (m_wndAlarmList.GetItemCount() > nRead)
        m_wndAlarmList.DeleteItem(m_wndAlarmList.GetItemCount() - 1, FALSE);
    RestoreSelection(nSelectedKey);
    database.Close();
    if (m_nSortColumn >= 0 && !IsStrictlyAscending(m_wndAlarmList, m_nSortColumn))
        m_wndAlarmList.SortByColumn(m_nSortColumn, TRUE);
    ApplyHighlighting(FALSE);
    if (!bKeepWidths)
        FitAlarmColumns();
    UpdateTitle();
    m_bTrackSelection = bTrack;
    if (m_bDefaultView && m_wndAlarmList.GetItemCount() > 0)
        ShowFirstSelected();
    if (bWasEmpty)
        FitAlarmColumns();
    m_wndAlarmList.SetRedraw(TRUE);
}

void CAlarmsListView::ReadRows(CDatabase& database, int& nRead)
{
    if (!m_strLoadAge.IsEmpty() && m_nAgeSecs > 0)
        m_strLoadAge = CTime(AlarmsNow().GetTime() - m_nAgeSecs).Format(L"%Y-%m-%d %H:%M:%S");
    else if (!m_strLoadAge.IsEmpty() && m_nAgeSecs == 0)
        m_strLoadAge = AlarmsNow().Format(L"%Y-%m-%d 00:00:00");
    AlarmsFilterTexts filters{m_strLoadStatus, m_strLoadFrom, m_strLoadTitle, m_strLoadAssignedTo,
                              m_strLoadPriority, m_strLoadAge};
    CAlarmsRecordset rs(&database);
    rs.m_strFilter = BuildAlarmsFilter(filters);
    rs.m_strSort = L"FLD_TIMESTAMP DESC";
    try
    {
        rs.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
        if (CMainFrame* pMain = GetMainFrame())
            pMain->SetDatabaseFile(DataSourceDatabaseName(database.m_hdbc));
        for (; !rs.IsEOF() && nRead < kMaxRows; rs.MoveNext())
            ShowRow(nRead++, rs);
    }
    catch (const CDBException& e)
    {
        CAlarmsDatabase().ReportError(L"Error %d loading record from %s: %s", (int)e.m_nRetCode,
                                      kAlarmsTableName, DatabaseErrorText(e).GetString());
    }
    rs.Close();
}

void CAlarmsListView::ShowRow(int nRow, const CAlarmsRecordset& rs)
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

void CAlarmsListView::RestoreSelection(int nKey)
{
    int nRow = nKey >= 0 ? RowOfKey((UINT)nKey) : -1;
    if (nRow < 0)
    {
        m_wndFieldList.DeleteAllItems();
        m_wndLogList.DeleteAllItems();
    }
    for (int i = 0; i < m_wndAlarmList.GetItemCount(); i++)
        m_wndAlarmList.SelectItem(i, i == nRow);
}

void CAlarmsListView::UpdateTitle()
{
    CString strName = FrameTitle();
    int nColon = strName.Find(L':');
    if (nColon > 0)
        strName = strName.Left(nColon);
    if (strName.IsEmpty())
        strName = kAlarmsTitle;
    const struct
    {
        const wchar_t* pszLabel;
        const CString& strValue;
    } parts[] = {{L", Age: ", m_strLoadAgeText},         {L", From: ", m_strLoadFrom},
                 {L", Status: ", m_strLoadStatus},       {L", Assigned To: ", m_strLoadAssignedTo},
                 {L", Priority: ", m_strLoadPriority},   {L", Title: ", m_strLoadTitle}};
    CString strTitle;
    strTitle.Format(L"%s: %d", strName.GetString(), m_wndAlarmList.GetItemCount());
    for (const auto& part : parts)
        if (!part.strValue.IsEmpty())
            strTitle += part.pszLabel + part.strValue;
    if (m_wndAlarmList.GetItemCount() == kMaxRows)
        strTitle.AppendFormat(L" (max = %d)", (int)kMaxRows);
    SetFrameTitle(strTitle);
}

void CAlarmsListView::ShowFirstSelected()
{
    int nRow = FirstSelectedRow();
    if (nRow < 0)
        nRow = 0;
    ShowAlarmDetails(RowKey(nRow));
    m_wndAlarmList.SelectItem(nRow, TRUE);
    m_wndAlarmList.EnsureVisible(nRow, FALSE);
}

CString CAlarmsListView::CachedText(const std::map<UINT, CString>& map, UINT nKey) const
{
    auto it = map.find(nKey);
    return it == map.end() ? CString() : it->second;
}

void CAlarmsListView::ShowAlarmDetails(UINT nKey)
{
    m_wndFieldList.SetRedraw(FALSE);
    m_wndLogList.SetRedraw(FALSE);
    m_wndFieldList.DeleteAllItems();
    m_wndLogList.DeleteAllItems();
    m_nDetailKey = (int)nKey;
    CStringArray arrLines;
    CStringEx(CachedText(m_mapLog, nKey)).Split(L'\n', arrLines);
    for (const CString& strLine : arrLines)
        m_wndLogList.InsertItem(m_wndLogList.GetItemCount(), strLine);
    arrLines.RemoveAll();
    CStringEx(CachedText(m_mapMatchText, nKey)).Split(L'\n', arrLines);
    for (const CString& strLine : arrLines)
    {
        int nEquals = strLine.Find(L'=');
        CString strField = nEquals < 0 ? strLine : strLine.Left(nEquals);
        strField.TrimRight();
        CString strValue = nEquals < 0 ? CString() : strLine.Mid(nEquals + 1);
        strValue.TrimLeft();
        strValue.Replace(L"\t", L"    ");
        CStringArray arrPieces;
        CStringEx(strValue).Split(L'\r', arrPieces);
        int nRow = m_wndFieldList.InsertItem(m_wndFieldList.GetItemCount(), strField);
        for (int i = 0; i < arrPieces.GetSize(); i++)
        {
            if (i > 0)
                nRow = m_wndFieldList.InsertItem(m_wndFieldList.GetItemCount(), L"");
            m_wndFieldList.SetItemText(nRow, 1, arrPieces[i]);
        }
    }
    AutoSizeListColumns(m_wndFieldList);
    AutoSizeListColumns(m_wndLogList);
    m_wndFieldList.SetRedraw(TRUE);
    m_wndLogList.SetRedraw(TRUE);
}

void CAlarmsListView::OnAlarmItemChanged(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bTrackSelection)
        return;
    int nRow = FirstSelectedRow();
    UINT nKey = nRow >= 0 ? RowKey(nRow) : 0;
    if (nRow < 0 || (int)nKey != m_nDetailKey)
        ShowAlarmDetails(nKey);
}

void CAlarmsListView::OnAlarmColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* pList = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    m_wndAlarmList.SortOnColumnClick(pList);
    m_nSortColumn = pList->iSubItem;
    *pResult = 0;
}

void CAlarmsListView::SetFilter(CString& strMember, const wchar_t* pszKey, const wchar_t* pszText)
{
    strMember = pszText;
    GetAppProfile().WriteString(pszKey, pszText);
    LoadAlarms(FALSE);
}

void CAlarmsListView::SetAgeFilter(const wchar_t* pszAge, const wchar_t* pszAgeText, int nHours)
{
    m_strLoadAge = pszAge;
    m_strLoadAgeText = pszAgeText;
    m_nAgeSecs = nHours < 0 ? -1 : nHours * 3600;
    CAppProfile& profile = GetAppProfile();
    profile.WriteString(L"CAlarmsListView::m_strLoadAge", pszAge);
    profile.WriteString(L"CAlarmsListView::m_strLoadAgeText", pszAgeText);
    profile.WriteInt(L"CAlarmsListView::m_nAgeSecs", m_nAgeSecs);
    LoadAlarms(FALSE);
}

void CAlarmsListView::SetFromFilter(const wchar_t* pszText)
{
    SetFilter(m_strLoadFrom, L"CAlarmsListView::m_strLoadFrom", pszText);
}

void CAlarmsListView::SetStatusFilter(const wchar_t* pszText)
{
    SetFilter(m_strLoadStatus, L"CAlarmsListView::m_strLoadStatus", pszText);
}

void CAlarmsListView::SetAssignedToFilter(const wchar_t* pszText)
{
    SetFilter(m_strLoadAssignedTo, L"CAlarmsListView::m_strLoadAssignedTo", pszText);
}

void CAlarmsListView::SetPriorityFilter(const wchar_t* pszText)
{
    SetFilter(m_strLoadPriority, L"CAlarmsListView::m_strLoadPriority", pszText);
}

void CAlarmsListView::SetTitleFilter(const wchar_t* pszText)
{
    SetFilter(m_strLoadTitle, L"CAlarmsListView::m_strLoadTitle", pszText);
}

void CAlarmsListView::ClearFilters()
{
    if (!m_strLoadAge.IsEmpty() || !m_strLoadAgeText.IsEmpty())
        SetAgeFilter(L"", L"", -1);
    if (!m_strLoadFrom.IsEmpty())
        SetFromFilter(L"");
    if (!m_strLoadStatus.IsEmpty())
        SetStatusFilter(L"");
    if (!m_strLoadTitle.IsEmpty())
        SetTitleFilter(L"");
    if (!m_strLoadAssignedTo.IsEmpty())
        SetAssignedToFilter(L"");
    if (!m_strLoadPriority.IsEmpty())
        SetPriorityFilter(L"");
}

int CAlarmsListView::RowOfKey(UINT nKey) const
{
    for (int i = 0; i < m_wndAlarmList.GetItemCount(); i++)
        if (RowKey(i) == nKey)
            return i;
    return -1;
}

void CAlarmsListView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerPoll)
        OnNewAlarmPoll();
    else if (nIDEvent == kTimerNewAlarms)
        OnIdleReload();
    else if (nIDEvent == kTimerAgeing)
    {
        CBelvaneApp* pApp = GetTheApp();
        if (!(pApp && pApp->UserInputWithin(2)))
            AgeRows();
    }
    Default();
}

void CAlarmsListView::OnNewAlarmPoll()
{
    DWORD nKey = GetRegistryStore().GetVolatileDWord(L"AlarmLastPrimeKey", 0);
    if (nKey == m_nLastPrimeKey)
        return;
    m_nLastPrimeKey = nKey;
    KillTimer(kTimerNewAlarms);
    SetTimer(kTimerNewAlarms, 500);
    CString strTitle = FrameTitle();
    if (strTitle.Right(2) != kNewMark)
        SetFrameTitle(strTitle + kNewMark);
}

void CAlarmsListView::OnIdleReload()
{
    CBelvaneApp* pApp = GetTheApp();
    if (pApp && pApp->UserInputWithin(5))
        return;
    KillTimer(kTimerAgeing);
    KillTimer(kTimerNewAlarms);
    LoadAlarms(TRUE);
    SetTimer(kTimerAgeing, 5000);
    if (CMainFrame* pMain = GetMainFrame())
        pMain->SendMessageToDescendants(RegisteredMessage::nMsgNewAlarms, 0, 0, TRUE, FALSE);
}

void CAlarmsListView::AgeRows()
{
    BOOL bDropped = FALSE;
    for (int nRow = m_wndAlarmList.GetItemCount() - 1; nRow >= 0; nRow--)
    {
        CTime now = AlarmsNow();
        auto it = m_mapCreated.find(RowKey(nRow));
        __time64_t nCreated = it == m_mapCreated.end() ? 0 : it->second;
        long long nAge = now.GetTime() - nCreated;
        CTime created(nCreated);
        BOOL bDrop = (m_nAgeSecs > 0 && nAge > m_nAgeSecs) ||
                     (m_nAgeSecs == 0 && (created.GetYear() != now.GetYear() || created.GetMonth() != now.GetMonth() ||
                                          created.GetDay() != now.GetDay()));
        if (!bDrop)
        {
            m_wndAlarmList.SetItemText(nRow, 1, FormatAlarmAge(nAge));
            continue;
        }
        if (!bDropped)
            m_wndAlarmList.SetRedraw(FALSE);
        bDropped = TRUE;
        m_wndAlarmList.DeleteItem(nRow, FALSE);
    }
    ApplyHighlighting(FALSE);
    if (bDropped)
    {
        m_wndAlarmList.SetRedraw(TRUE);
        m_wndAlarmList.Invalidate(FALSE);
    }
}

void CAlarmsListView::ApplyHighlighting(BOOL bRedraw)
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
    if (bRedraw)
        m_wndAlarmList.SetRedraw(FALSE);
    BOOL bChanged = FALSE;
    for (int nRow = 0; nRow < m_wndAlarmList.GetItemCount(); nRow++)
    {
        auto it = m_mapCreated.find(RowKey(nRow));
        long long nAge = AlarmsNow().GetTime() - (it == m_mapCreated.end() ? 0 : it->second);
        COLORREF crBack = 0xFFFFFF, crText = 0;
        if (bCheckNew && nAge <= nNewLimit)
            crBack = crNewBack, crText = crNewText;
        else if (bCheckOld && nAge <= nOldLimit)
            crBack = crOldBack, crText = crOldText;
        if (m_wndAlarmList.GetItemBkColor(nRow, 0) == crBack && m_wndAlarmList.GetItemTextColor(nRow, 0) == crText)
            continue;
        m_wndAlarmList.SetItemBkColor(nRow, -1, crBack, FALSE);
        m_wndAlarmList.SetItemTextColor(nRow, -1, crText, FALSE);
        bChanged = TRUE;
    }
    // The rows are repainted once, not row by row.
    if (bRedraw)
        m_wndAlarmList.SetRedraw(TRUE);
    if (bChanged)
        m_wndAlarmList.Invalidate(FALSE);
}
