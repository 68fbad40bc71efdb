#include "console/logfile/CLogfileForm.h"

#include "console/app/CAcceleratorManager.h"
#include "console/app/CMainFrame.h"
#include "framework/controls/CMenu.h"
#include "framework/frames/CPrintInfo.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWinApp.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/BelvaneRes.h"
#include "support/AppPaths.h"
#include "wincomponents/dialogs/COwnFileDialog.h"

#include <windowsx.h>

namespace
{
const UINT_PTR nRepaintTimer = 100;
const UINT nRepaintDelayMs = 250;
const int nFontTwips = 200;
} // namespace

IMPLEMENT_DYNCREATE(CLogfileForm, CResizableFormView)

BEGIN_MESSAGE_MAP(CLogfileForm, CResizableFormView)
    ON_WM_SIZE()
    ON_COMMAND(ID_LOGFILE_ERASE, OnErase)
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    ON_COMMAND(ID_LOGFILE_REFRESH, OnRefresh)
    ON_WM_TIMER()
    ON_COMMAND(ID_LOGFILE_SAVE, OnSave)
    ON_COMMAND(ID_FILE_SAVE, OnSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnSave)
    ON_NOTIFY(TTN_NEEDTEXTA, 0, OnToolTipText)
    ON_NOTIFY(TTN_NEEDTEXTW, 0, OnToolTipText)
END_MESSAGE_MAP()

CLogfileForm::CLogfileForm() : CResizableFormView(IDD_LOGFILE_FORM), m_cf()
{
}

void CLogfileForm::DoDataExchange(CDataExchange* pDX)
{
    CResizableFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LOGFILE_RICHEDIT, m_wndRichEdit);
}

void CLogfileForm::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    pInfo->m_nMaxPage = m_printout.Layout(m_wndRichEdit.m_hWnd, pDC, pInfo->m_rectDraw);
}

void CLogfileForm::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    m_printout.PrintPage(m_wndRichEdit.m_hWnd, pDC, pInfo->m_nCurPage);
}

void CLogfileForm::OnInitialUpdate()
{
    static const LAYOUT_ANCHOR layout[] = {{IDC_LOGFILE_RICHEDIT, 4, 4, 0, 0}};
    CResizableFormView::OnInitialUpdate();
    UpdateData(FALSE);
    SetLayout(layout, 1);
    m_text.m_pRichEdit = &m_wndRichEdit;
    SetDefaultFormat();
    RepositionControls(TRUE);
}

void CLogfileForm::SetDefaultFormat()
{
    m_cf.cbSize = sizeof m_cf;
    m_cf.dwMask = CFM_FACE | CFM_SIZE;
    m_cf.yHeight = nFontTwips;
    lstrcpynA(m_cf.szFaceName, "Courier", LF_FACESIZE);
    m_wndRichEdit.SetDefaultCharFormat(m_cf);
}

void CLogfileForm::OnSize(UINT nType, int cx, int cy)
{
    CResizableFormView::OnSize(nType, cx, cy);
    RepositionControls(TRUE);
}

void CLogfileForm::AppendLine(int nLevel, const wchar_t* pszText)
{
    m_text.AppendLine(nLevel, pszText);
    KillTimer(nRepaintTimer);
    SetTimer(nRepaintTimer, nRepaintDelayMs);
}

void CLogfileForm::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == nRepaintTimer)
    {
        KillTimer(nRepaintTimer);
        m_wndRichEdit.Invalidate(FALSE);
    }
    CResizableFormView::OnTimer(nIDEvent);
}

void CLogfileForm::OnRefresh()
{
    m_wndRichEdit.Invalidate(FALSE);
}

void CLogfileForm::OnErase()
{
    CFrameWnd* pFrame = GetParentFrame();
    pFrame->ShowWindow(SW_SHOW);
    if (IsIconic(pFrame->m_hWnd))
        pFrame->ShowWindow(SW_RESTORE);
    m_text.Erase();
    if (CMainFrame* pMainFrame = GetMainFrame())
        pMainFrame->AddLogfileMessage(0, L"Logfile erased");
}

void CLogfileForm::OnSave()
{
    CWaitCursor wait;
    if (m_strSaveFile.IsEmpty())
        m_strSaveFile.Format(L"%s\\%s", (const wchar_t*)GetAppPaths().GetDocumentsFolder(), L"TervokBelvaneLogfile.rtf");
    if (!COwnFileDialog::SaveRtfFile(this, m_strSaveFile))
        return;
    // Said in the log itself, where the user looks for the saved file's news.
    if (!m_text.SaveRtf(m_strSaveFile))
        if (CMainFrame* pMainFrame = GetMainFrame())
            pMainFrame->AddLogfileMessage(2, L"The logfile could not be saved to %s", (const wchar_t*)m_strSaveFile);
}

LRESULT CLogfileForm::OnContextMenu(WPARAM, LPARAM lParam)
{
    CWnd* pMainWnd = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    HMENU hPopup = pMainWnd ? FindMenuPopup(::GetMenu(pMainWnd->m_hWnd), L"Logfile") : nullptr;
    if (hPopup)
        TrackPopupMenu(hPopup, TPM_RIGHTBUTTON, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), 0,
                       GetParentFrame()->m_hWnd, nullptr);
    return 0;
}

void CLogfileForm::OnToolTipText(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)pNMHDR;
    if (pInfo->uFlags & TTF_IDISHWND)
    {
        pInfo->hinst = GetModuleHandleW(nullptr);
        pInfo->lpszText = MAKEINTRESOURCEW(::GetDlgCtrlID((HWND)pNMHDR->idFrom));
        *pResult = 0;
        return;
    }
    GetAcceleratorManager().GetToolTipText(pNMHDR, pResult);
}
