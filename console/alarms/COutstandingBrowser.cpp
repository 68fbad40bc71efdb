#include "console/alarms/COutstandingBrowser.h"

#include "console/alarms/AlarmRequests.h"
#include "console/app/RegisteredMessage.h"
#include "framework/gdi/CFont.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/BelvaneRes.h"
#include "resources/console/OutstandingRes.h"
#include "support/StringEx.h"
#include "wincomponents/controls/CFontFactory.h"

namespace
{
const int nListFontPoints = 10;
const UINT anStatusButtons[] = {IDC_BROWSER_OPEN, IDC_BROWSER_PENDING, IDC_BROWSER_CLOSED};

void SplitLines(const CString& strText, CStringArray& lines)
{
    lines.RemoveAll();
    if (!strText.IsEmpty())
        CStringEx(strText).Split(L'\n', lines);
}
} // namespace

BEGIN_MESSAGE_MAP(COutstandingBrowser, CResizableToolDialog)
    ON_WM_CLOSE()
    ON_MESSAGE(WM_VSCROLL, OnVScroll)
    ON_COMMAND_RANGE(IDC_BROWSER_OPEN, IDC_BROWSER_CLOSED, OnStatusButton)
    ON_COMMAND(IDC_BROWSER_FIELDS, ShowFieldColumns)
    ON_COMMAND(IDC_BROWSER_LOG, ShowLogColumns)
    ON_CONTROL(EN_CHANGE, IDC_BROWSER_FIND, UpdateFindButtons)
    ON_COMMAND(IDC_BROWSER_NEXT, FindNext)
    ON_COMMAND(IDC_BROWSER_PREV, FindPrev)
    ON_NOTIFY(NM_DBLCLK, IDC_BROWSER_LIST, OnDblClkList)
    ON_COMMAND(IDC_BROWSER_CRITERIA, OnTextKind)
    ON_COMMAND(IDC_BROWSER_DESCRIPTION, OnTextKind)
    ON_REGISTERED_MESSAGE(RegisteredMessage::nMsgSelection, OnSelection)
END_MESSAGE_MAP()

COutstandingBrowser::COutstandingBrowser(CWnd* pView)
    : CResizableToolDialog(IDD_OUTSTANDING_BROWSER, nullptr), m_nStatus(0), m_nTextKind(1), m_nDisplay(0),
      m_pView(pView), m_nKey(-1)
{
    static const LAYOUT_ANCHOR layout[] = {{IDC_BROWSER_TITLE, 2, 0, 0, 0},
                                           {IDC_BROWSER_FROM, 2, 0, 0, 0},
                                           {IDC_BROWSER_CLASS, 2, 0, 0, 0},
                                           {IDC_BROWSER_TEXT, 2, 0, 0, 0},
                                           {IDC_BROWSER_LIST, 2, 2, 0, 0}};
    SetLayout(layout, (int)(sizeof layout / sizeof layout[0]));
}

COutstandingBrowser::~COutstandingBrowser()
{
    DestroyWindow();
}

void COutstandingBrowser::DoDataExchange(CDataExchange* pDX)
{
    CResizableToolDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BROWSER_SPIN, m_spin);
    DDX_Control(pDX, IDC_BROWSER_LIST, m_list);
    DDX_Text(pDX, IDC_BROWSER_CREATED, m_strCreated);
    DDX_Text(pDX, IDC_BROWSER_AGE, m_strAge);
    DDX_Text(pDX, IDC_BROWSER_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_BROWSER_TITLE, m_strTitle);
    DDX_Text(pDX, IDC_BROWSER_FROM, m_strFrom);
    DDX_Text(pDX, IDC_BROWSER_CLASS, m_strClass);
    DDX_Text(pDX, IDC_BROWSER_TEXT, m_strText);
    DDX_Text(pDX, IDC_BROWSER_FIND, m_strFind);
    DDX_Radio(pDX, IDC_BROWSER_OPEN, m_nStatus);
    DDX_Radio(pDX, IDC_BROWSER_CRITERIA, m_nTextKind);
    DDX_Radio(pDX, IDC_BROWSER_FIELDS, m_nDisplay);
}

BOOL COutstandingBrowser::OnInitDialog()
{
    CResizableToolDialog::OnInitDialog();
    if (HICON hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_BROWSER)))
        SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
    m_spin.SetRange32(0, 2);
    m_spin.SetPos32(1);
    m_pListFont.reset(CFontFactory(this).CreateCourierFont(nListFontPoints, FALSE));
    if (m_pListFont)
        m_list.SetFont(m_pListFont.get());
    for (int i = 0; i < 3; ++i)
    {
        CString strCaption = GetDlgItemText((int)anStatusButtons[i]);
        m_mapStatus[strCaption.MakeLower()] = i;
    }
    if (m_nDisplay == 1)
        ShowLogColumns();
    else
        ShowFieldColumns();
    UpdateFindButtons();
    return TRUE;
}

void COutstandingBrowser::OnClose()
{
    ShowWindow(SW_HIDE);
}

LRESULT COutstandingBrowser::OnSelection(WPARAM, LPARAM lParam)
{
    m_nKey = (int)lParam < 0 ? -1 : (int)lParam;
    ShowAlarm(m_nKey, 0);
    return 0;
}

void COutstandingBrowser::ShowAlarm(int nKey, int nStep)
{
    AlarmDataRequest request{};
    request.step = nStep;
    request.key = nKey;
    request.criteria = m_nTextKind == 0;
    m_pView->SendMessage(RegisteredMessage::nMsgGetData, 0, (LPARAM)&request);
    SetDlgItemText(IDC_BROWSER_TEXT_LABEL, m_nTextKind == 1 ? L"Descr:" : L"Criteria:");
    UpdateData(TRUE);
    m_strAge = request.age;
    m_strClass = request.classText;
    m_strCreated = request.created;
    m_strText = request.text;
    m_strFrom = request.from;
    m_strLog = request.log;
    m_strMatch = request.matchText;
    m_strStatus = request.status;
    m_strTitle = request.title;
    m_nKey = request.key;
    CString strStatus = m_strStatus;
    auto it = m_mapStatus.find(strStatus.MakeLower());
    m_nStatus = it == m_mapStatus.end() ? -1 : it->second;
    UpdateData(FALSE);
    for (UINT nID : anStatusButtons)
        ::EnableWindow(::GetDlgItem(m_hWnd, (int)nID), m_nKey != -1);
    if (m_nDisplay == 0)
        FillFieldLines();
    else
        FillLogLines();
}

LRESULT COutstandingBrowser::OnVScroll(WPARAM wParam, LPARAM lParam)
{
    if ((HWND)lParam == m_spin.m_hWnd && LOWORD(wParam) == SB_THUMBPOSITION)
    {
        int nPos = (short)HIWORD(wParam);
        int nStep = nPos == 0 ? 1 : (m_nKey > 0 ? -1 : 0);
        m_spin.SetPos32(1);
        ShowAlarm(m_nKey, nStep);
    }
    return Default();
}

void COutstandingBrowser::OnStatusButton(UINT nID)
{
    for (UINT nButton : anStatusButtons)
        if (nButton == nID)
            SetStatus(nID);
}

void COutstandingBrowser::SetStatus(UINT nID)
{
    CWaitCursor wait;
    if (m_nKey == -1)
        return;
    CString strCaption = GetDlgItemText((int)nID);
    m_pView->SendMessage(RegisteredMessage::nMsgSetStatus, (WPARAM)m_nKey, (LPARAM)(const wchar_t*)strCaption);
    ShowAlarm(m_nKey, 0);
}

void COutstandingBrowser::SetColumns(std::initializer_list<const wchar_t*> titles)
{
    m_list.DeleteAllItems();
    while (m_list.DeleteColumn(0))
        ;
    int nColumn = 0;
    for (const wchar_t* pszTitle : titles)
        m_list.InsertColumn(nColumn++, pszTitle);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    EndFilling();
}

void COutstandingBrowser::ShowFieldColumns()
{
    m_nDisplay = 0;
    SetColumns({L"Field", L"Value"});
    FillFieldLines();
}

void COutstandingBrowser::ShowLogColumns()
{
    m_nDisplay = 1;
    SetColumns({L"Log"});
    FillLogLines();
}

void COutstandingBrowser::FillFieldLines()
{
    CStringArray lines;
    SplitLines(m_strMatch, lines);
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
    {
        const CString& strLine = lines[i];
        int nEquals = strLine.Find(L'=');
        CString strName = nEquals < 0 ? strLine : strLine.Left(nEquals);
        CString strValue = nEquals < 0 ? CString() : strLine.Mid(nEquals + 1);
        strName.TrimRight(L' ');
        strValue.TrimLeft(L' ');
        strValue.Replace(L"\t", L"    ");
        CStringArray parts;
        CStringEx(strValue).Split(L'\r', parts);
        for (INT_PTR nPart = 0; nPart < std::max<INT_PTR>(1, parts.GetSize()); ++nPart)
        {
            int nRow = m_list.InsertItem(m_list.GetItemCount(), nPart == 0 ? (const wchar_t*)strName : L"");
            m_list.SetItemText(nRow, 1, nPart < parts.GetSize() ? (const wchar_t*)parts[nPart] : L"");
        }
    }
    EndFilling();
}

void COutstandingBrowser::FillLogLines()
{
    CStringArray lines;
    SplitLines(m_strLog, lines);
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        m_list.InsertItem(m_list.GetItemCount(), lines[i]);
    EndFilling();
}

void COutstandingBrowser::EndFilling()
{
    int nColumns = (int)::SendMessageW(m_list.GetHeaderCtrl(), HDM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < nColumns; ++i)
        m_list.SendMessage(LVM_SETCOLUMNWIDTH, (WPARAM)i, LVSCW_AUTOSIZE_USEHEADER);
    m_list.SetRedraw(TRUE);
    m_list.Invalidate(FALSE);
}

void COutstandingBrowser::UpdateFindButtons()
{
    // Only the search text: EN_CHANGE also comes while the members are being written out.
    m_strFind = GetDlgItemText(IDC_BROWSER_FIND);
    BOOL bEnable = !m_strFind.IsEmpty();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_BROWSER_NEXT), bEnable);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_BROWSER_PREV), bEnable);
}

void COutstandingBrowser::Find(BOOL bForward)
{
    UpdateData(TRUE);
    AlarmSearchRequest request{};
    request.text = m_strFind;
    request.inMatchText = m_nDisplay == 0;
    request.inLog = m_nDisplay == 1;
    request.forward = bForward;
    request.backward = !bForward;
    request.key = m_nKey;
    m_pView->SendMessage(RegisteredMessage::nMsgBrowser, 0, (LPARAM)&request);
    if (request.key == m_nKey)
    {
        ::MessageBeep(0xFFFFFFFF);
        return;
    }
    m_nKey = request.key;
    ShowAlarm(m_nKey, 0);
}

void COutstandingBrowser::OnDblClkList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return;
    UpdateData(TRUE);
    m_strFind = m_list.GetItemText(nRow, m_nDisplay == 1 ? 0 : 1);
    UpdateData(FALSE);
    UpdateFindButtons();
}

void COutstandingBrowser::OnTextKind()
{
    UpdateData(TRUE);
    ShowAlarm(m_nKey, 0);
}
