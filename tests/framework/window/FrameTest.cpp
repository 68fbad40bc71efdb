#include "GuiTest.h"

#include "WindowTestsRes.h"
#include "framework/bars/CStatusBar.h"
#include "framework/frames/CDocument.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/AfxWinMain.h"
#include "framework/window/CFileDialog.h"
#include "framework/window/CCommandLineInfo.h"
#include "framework/frames/CFormView.h"
#include "framework/frames/CMDIChildWnd.h"
#include "framework/frames/CMDIFrameWnd.h"
#include "framework/frames/CMultiDocTemplate.h"
#include "framework/frames/CView.h"

#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_handled;

class CTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CTestDoc)
public:
    void OnDocCommand() { g_handled.push_back("doc"); }
    void OnShared() { g_handled.push_back("doc shared"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(ID_DOC_COMMAND, OnDocCommand)
    ON_COMMAND(ID_SHARED_COMMAND, OnShared)
    ON_COMMAND(ID_CHILD_COMMAND, OnShared)
END_MESSAGE_MAP()

class CTestView : public CView
{
    DECLARE_DYNCREATE(CTestView)
public:
    int m_nInitialUpdates = 0;
    void OnInitialUpdate() override { ++m_nInitialUpdates; }
    void OnViewCommand() { g_handled.push_back("view"); }
    void OnShared() { g_handled.push_back("view shared"); }
    void OnUpdateShortPane(CCmdUI* pCmdUI) { pCmdUI->SetText(L"From the view"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND(ID_VIEW_COMMAND, OnViewCommand)
    ON_COMMAND(ID_SHARED_COMMAND, OnShared)
    ON_UPDATE_COMMAND_UI(IDS_PANE_SHORT, OnUpdateShortPane)
END_MESSAGE_MAP()

class CTestForm : public CFormView
{
    DECLARE_DYNCREATE(CTestForm)
public:
    CTestForm() : CFormView(IDD_FORM) {}
};
IMPLEMENT_DYNCREATE(CTestForm, CFormView)

class CTestChild : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CTestChild)
public:
    void OnChildCommand() { g_handled.push_back("child"); }
    void OnMainCommand() { g_handled.push_back("child main"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CTestChild, CMDIChildWnd)
    ON_COMMAND(ID_CHILD_COMMAND, OnChildCommand)
    ON_COMMAND(ID_MAIN_COMMAND, OnMainCommand)
END_MESSAGE_MAP()

const UINT kIndicators[] = {ID_SEPARATOR, IDS_PANE_SHORT, IDS_PANE_LONG};

class CTestMain : public CMDIFrameWnd
{
public:
    CStatusBar m_wndStatusBar;
    int m_nCounter = 0;
    int m_nAccel = 0;

    int OnCreate(LPCREATESTRUCTW lpcs)
    {
        if (CMDIFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 3))
            return -1;
        RecalcLayout();
        return 0;
    }
    void OnMainCommand() { g_handled.push_back("main"); }
    void OnChildCommand() { g_handled.push_back("main child"); }
    void OnAccel() { ++m_nAccel; }
    void OnUpdateLongPane(CCmdUI* pCmdUI)
    {
        CString strText;
        strText.Format(L"Count: %d", ++m_nCounter);
        pCmdUI->SetText(strText);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestMain, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_MAIN_COMMAND, OnMainCommand)
    ON_COMMAND(ID_CHILD_COMMAND, OnChildCommand)
    ON_COMMAND(ID_ACCEL_COMMAND, OnAccel)
    ON_UPDATE_COMMAND_UI(IDS_PANE_LONG, OnUpdateLongPane)
END_MESSAGE_MAP()

class FrameTest : public GuiTest
{
protected:
    void SetUp() override
    {
        g_handled.clear();
        m_pMain = new CTestMain;
        ASSERT_TRUE(ShowMainFrame(m_pMain, IDR_MAINFRAME, 800, 600));
        m_pTemplate = new CMultiDocTemplate(IDR_REPORT, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChild),
                                            RUNTIME_CLASS(CTestView));
        m_app.AddDocTemplate(m_pTemplate);
        PumpUntilIdle();
    }
    ~FrameTest() override
    {
        if (m_app.m_pMainWnd == m_pMain)
            m_pMain->DestroyWindow();
        PumpUntilIdle();
    }

    CTestDoc* OpenDocument()
    {
        CDocument* pDoc = m_pTemplate->OpenDocumentFile(nullptr);
        PumpUntilIdle();
        return (CTestDoc*)pDoc;
    }
    CTestView* FirstView(CDocument* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        return (CTestView*)pDoc->GetNextView(pos);
    }
    void Command(UINT nID)
    {
        m_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0));
        PumpUntilIdle();
    }
    UINT MenuState(int nPopup, UINT nID)
    {
        HMENU hPopup = GetSubMenu(GetMenu(m_pMain->m_hWnd), nPopup);
        m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, nPopup);
        return GetMenuState(hPopup, nID, MF_BYCOMMAND);
    }
    int DocumentCount()
    {
        int nCount = 0;
        for (POSITION pos = m_pTemplate->GetFirstDocPosition(); pos; m_pTemplate->GetNextDoc(pos))
            ++nCount;
        return nCount;
    }
    CRect WindowRectIn(CWnd* pWnd, HWND hParent)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        MapWindowPoints(nullptr, hParent, (LPPOINT)&rect, 2);
        return rect;
    }

    CTestMain* m_pMain = nullptr;
    CMultiDocTemplate* m_pTemplate = nullptr;
};
} // namespace

TEST_F(FrameTest, LoadsMenuAcceleratorsAndTitleFromOneResourceId)
{
    EXPECT_TRUE(GetMenu(m_pMain->m_hWnd) != nullptr);
    EXPECT_TRUE(m_pMain->m_hAccelTable != nullptr);
    EXPECT_TRUE(m_pMain->SendMessage(WM_GETICON, ICON_BIG) != 0);
    EXPECT_EQ(CString(L"Frame Test"), m_pMain->GetWindowText());
    // The MDI client fills what the status bar leaves.
    CRect rectClient, rectFrame, rectBar;
    m_pMain->GetClientRect(&rectFrame);
    rectClient = WindowRectIn(CWnd::FromHandle(m_pMain->m_hWndMDIClient), m_pMain->m_hWnd);
    rectBar = WindowRectIn(&m_pMain->m_wndStatusBar, m_pMain->m_hWnd);
    EXPECT_EQ(rectFrame.bottom, rectBar.bottom);
    EXPECT_EQ(rectBar.top, rectClient.bottom);
    EXPECT_EQ(0, rectClient.top);
    EXPECT_GT(rectBar.Height(), 10);
}

TEST_F(FrameTest, AcceleratorKeysBecomeCommands)
{
    MSG msg = {m_pMain->m_hWndMDIClient, WM_KEYDOWN, VK_F7, 0x00410001};
    EXPECT_TRUE(m_app.PreTranslateMessage(&msg));
    EXPECT_EQ(1, m_pMain->m_nAccel);
    msg.wParam = VK_F8;
    EXPECT_FALSE(m_app.PreTranslateMessage(&msg));
}

TEST_F(FrameTest, TemplateCreatesDocumentFrameAndView)
{
    CTestDoc* pDoc = OpenDocument();
    ASSERT_TRUE(pDoc != nullptr);
    CTestView* pView = FirstView(pDoc);
    ASSERT_TRUE(pView != nullptr);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CTestView)));
    EXPECT_EQ(1, pView->m_nInitialUpdates);
    CFrameWnd* pFrame = pView->GetParentFrame();
    ASSERT_TRUE(pFrame != nullptr);
    EXPECT_TRUE(pFrame->IsKindOf(RUNTIME_CLASS(CTestChild)));
    EXPECT_EQ(pFrame, m_pMain->MDIGetActive());
    EXPECT_EQ(pView, pFrame->GetActiveView());
    EXPECT_EQ(pDoc, m_pMain->GetActiveDocument());
    EXPECT_EQ(m_pMain, pView->GetTopLevelFrame());
    EXPECT_EQ((int)AFX_IDW_PANE_FIRST, pView->GetDlgCtrlID());
    // FWS_ADDTOTITLE: the document's name from the resource string, numbered.
    EXPECT_EQ(CString(L"Report1"), pFrame->GetWindowText());
    EXPECT_EQ(CString(L"Frame Test - Report1"), m_pMain->GetWindowText());
    EXPECT_EQ(1, DocumentCount());
    EXPECT_EQ(pDoc->GetDocTemplate(), m_pTemplate);
}

TEST_F(FrameTest, ClosingTheLastFrameClosesItsDocument)
{
    CTestDoc* pDoc = OpenDocument();
    ASSERT_TRUE(pDoc != nullptr);
    OpenDocument();
    EXPECT_EQ(2, DocumentCount());
    FirstView(pDoc)->GetParentFrame()->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_EQ(1, DocumentCount());
    EXPECT_TRUE(m_pMain->MDIGetActive() != nullptr);
    m_pMain->MDIGetActive()->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_EQ(0, DocumentCount());
    EXPECT_TRUE(m_pMain->MDIGetActive() == nullptr);
    EXPECT_EQ(CString(L"Frame Test"), m_pMain->GetWindowText());
}

TEST_F(FrameTest, ClosingADocumentClosesItsFrames)
{
    CTestDoc* pDoc = OpenDocument();
    ASSERT_TRUE(pDoc != nullptr);
    Command(ID_WINDOW_NEW);
    EXPECT_EQ(1, DocumentCount());
    int nViews = 0;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos; pDoc->GetNextView(pos))
        ++nViews;
    EXPECT_EQ(2, nViews);
    pDoc->OnCloseDocument();
    PumpUntilIdle();
    EXPECT_EQ(0, DocumentCount());
    EXPECT_TRUE(m_pMain->MDIGetActive() == nullptr);
}

TEST_F(FrameTest, OpenOffersTheFilesOfTheTemplatesAndRefusesOthers)
{
    CMultiDocTemplate* pNotes = new CMultiDocTemplate(IDR_NOTES, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChild),
                                                      RUNTIME_CLASS(CTestView));
    m_app.AddDocTemplate(pNotes);
    CString strPart;
    EXPECT_TRUE(pNotes->GetDocString(strPart, CDocTemplate::filterName));
    EXPECT_STREQ(L"Note Files (*.note)", strPart);
    EXPECT_FALSE(pNotes->GetDocString(strPart, CDocTemplate::windowTitle));
    EXPECT_FALSE(m_pTemplate->GetDocString(strPart, CDocTemplate::filterExt));
    EXPECT_TRUE(pNotes->MatchDocType(L"C:\\notes\\Plan.NOTE"));
    EXPECT_TRUE(pNotes->MatchDocType(L"plan.nte"));
    EXPECT_FALSE(pNotes->MatchDocType(L"plan.txt"));
    EXPECT_FALSE(pNotes->MatchDocType(L".note"));
    EXPECT_FALSE(m_pTemplate->MatchDocType(L"report.txt")) << "a template without filter opens no file";

    CString strFilter, strAnswer = L"plan.txt", strBox;
    CFileDialog::SetChooser([&](OPENFILENAMEW& ofn, BOOL) {
        for (const wchar_t* p = ofn.lpstrFilter; *p; p += wcslen(p) + 1)
            strFilter += CString(p) + L"|";
        lstrcpynW(ofn.lpstrFile, strAnswer, (int)ofn.nMaxFile);
        return TRUE;
    });
    AfxSetMessageBoxFunction([&](HWND, const wchar_t* pszText, const wchar_t*, UINT) {
        strBox = pszText;
        return IDOK;
    });
    Command(ID_FILE_OPEN);
    EXPECT_STREQ(L"Note Files (*.note)|*.note;*.nte|All Files (*.*)|*.*|", strFilter);
    EXPECT_STREQ(L"plan.txt\n\nNo window of this program opens files of this kind.", strBox);
    EXPECT_TRUE(pNotes->GetFirstDocPosition() == nullptr);
    EXPECT_EQ(0, DocumentCount());

    strAnswer = L"plan.note";
    Command(ID_FILE_OPEN);
    POSITION pos = pNotes->GetFirstDocPosition();
    ASSERT_TRUE(pos != nullptr);
    EXPECT_STREQ(L"plan.note", pNotes->GetNextDoc(pos)->GetPathName());
    CFileDialog::SetChooser(nullptr);
    AfxSetMessageBoxFunction(nullptr);
}

TEST_F(FrameTest, CommandsRouteViewDocumentChildMainApplication)
{
    // Without a document the main frame answers.
    Command(ID_MAIN_COMMAND);
    OpenDocument();
    // Each command is handled by the first in line that has it: the shared one by view and
    // document, the child's by document, child and main frame, the main one by child and main.
    Command(ID_SHARED_COMMAND);
    Command(ID_DOC_COMMAND);
    Command(ID_CHILD_COMMAND);
    Command(ID_MAIN_COMMAND);
    std::vector<std::string> expected = {"main", "view shared", "doc", "doc shared", "child main"};
    EXPECT_EQ(expected, g_handled);
    // The application's New makes a second document through the template.
    Command(ID_FILE_NEW);
    EXPECT_EQ(2, DocumentCount());
}

TEST_F(FrameTest, CommandsSentToAChildFrameReachTheMainFrame)
{
    OpenDocument();
    CMDIChildWnd* pChild = m_pMain->MDIGetActive();
    ASSERT_TRUE(pChild != nullptr);
    // Its popup menus send their commands to the child frame itself.
    pChild->SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_COMMAND, 0));
    pChild->SendMessage(WM_COMMAND, MAKEWPARAM(ID_ACCEL_COMMAND, 0));
    std::vector<std::string> expected = {"view"};
    EXPECT_EQ(expected, g_handled);
    EXPECT_EQ(1, m_pMain->m_nAccel);
}

TEST_F(FrameTest, MenuItemsWithoutHandlersAreDisabled)
{
    EXPECT_TRUE(MenuState(1, ID_VIEW_COMMAND) & MF_GRAYED);
    EXPECT_FALSE(MenuState(1, ID_MAIN_COMMAND) & MF_GRAYED);
    EXPECT_TRUE(MenuState(1, ID_UNHANDLED_COMMAND) & MF_GRAYED);
    EXPECT_FALSE(MenuState(0, ID_FILE_NEW) & MF_GRAYED);
    OpenDocument();
    EXPECT_FALSE(MenuState(1, ID_VIEW_COMMAND) & MF_GRAYED);
    EXPECT_FALSE(MenuState(1, ID_DOC_COMMAND) & MF_GRAYED);
    EXPECT_TRUE(MenuState(1, ID_UNHANDLED_COMMAND) & MF_GRAYED);
}

TEST_F(FrameTest, MenuPromptsShowInTheFirstPane)
{
    CStatusBar& bar = m_pMain->m_wndStatusBar;
    HMENU hPopup = GetSubMenu(GetMenu(m_pMain->m_hWnd), 1);
    m_pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_VIEW_COMMAND, MF_STRING), (LPARAM)hPopup);
    EXPECT_EQ(CString(L"Runs the view's command"), bar.GetPaneText(0));
    m_pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_MAIN_COMMAND, MF_STRING), (LPARAM)hPopup);
    EXPECT_EQ(CString(L"The main frame's command"), bar.GetPaneText(0));
    // An item without a string and a popup show nothing.
    m_pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_DOC_COMMAND, MF_STRING), (LPARAM)hPopup);
    EXPECT_EQ(CString(), bar.GetPaneText(0));
    m_pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_VIEW_COMMAND, MF_STRING), (LPARAM)hPopup);
    m_pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(1, MF_POPUP), (LPARAM)GetMenu(m_pMain->m_hWnd));
    EXPECT_EQ(CString(), bar.GetPaneText(0));
    m_pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(CString(L"Ready"), bar.GetPaneText(0));
    EXPECT_EQ(CString(L"Ready"), bar.GetWindowText());
}

TEST_F(FrameTest, StatusLineStartsReady)
{
    EXPECT_EQ(CString(L"Ready"), m_pMain->m_wndStatusBar.GetPaneText(0));
}

TEST_F(FrameTest, StatusPanesAreSizedByTheirStrings)
{
    CStatusBar& bar = m_pMain->m_wndStatusBar;
    ASSERT_EQ(3, bar.GetCount());
    EXPECT_EQ(1, bar.CommandToIndex(IDS_PANE_SHORT));
    EXPECT_EQ(CString(L"Short"), bar.GetPaneText(1));
    CRect rectStretch, rectShort, rectLong, rectBar;
    bar.GetItemRect(0, &rectStretch);
    bar.GetItemRect(1, &rectShort);
    bar.GetItemRect(2, &rectLong);
    bar.GetClientRect(&rectBar);
    UINT nID = 0, nStyle = 0;
    int cxShort = 0, cxLong = 0;
    bar.GetPaneInfo(1, nID, nStyle, cxShort);
    bar.GetPaneInfo(2, nID, nStyle, cxLong);
    EXPECT_GT(cxShort, 10);
    EXPECT_GT(cxLong, 3 * cxShort);
    EXPECT_GE(rectShort.Width(), cxShort);
    // The last pane also holds the size grip.
    EXPECT_GE(rectLong.Width() - rectShort.Width(), cxLong - cxShort);
    EXPECT_LE(rectLong.Width() - rectShort.Width(), cxLong - cxShort + GetSystemMetrics(SM_CXVSCROLL));
    // The first pane stretches over what the others leave.
    EXPECT_EQ(SBPS_NOBORDERS | SBPS_STRETCH, bar.GetPaneStyle(0));
    EXPECT_GT(rectStretch.Width(), rectBar.Width() - rectShort.Width() - rectLong.Width() - 40);
    m_pMain->SetWindowPos(nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOMOVE);
    PumpUntilIdle();
    CRect rectNarrow;
    bar.GetItemRect(0, &rectNarrow);
    EXPECT_EQ(rectStretch.Width() - 200, rectNarrow.Width());
}

TEST_F(FrameTest, StatusPanesUpdateAtIdleThroughTheActiveView)
{
    CStatusBar& bar = m_pMain->m_wndStatusBar;
    int nCounter = m_pMain->m_nCounter;
    EXPECT_GT(nCounter, 0);
    EXPECT_EQ(CString(L"Short"), bar.GetPaneText(1));
    PumpUntilIdle();
    CString strExpected;
    strExpected.Format(L"Count: %d", m_pMain->m_nCounter);
    EXPECT_EQ(strExpected, bar.GetPaneText(2));
    EXPECT_GT(m_pMain->m_nCounter, nCounter);
    OpenDocument();
    EXPECT_EQ(CString(L"From the view"), bar.GetPaneText(1));
}

TEST_F(FrameTest, StatusBarToggleHidesTheBarAndClearsItsCheck)
{
    EXPECT_TRUE(MenuState(2, ID_VIEW_STATUS_BAR) & MF_CHECKED);
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(m_pMain->m_wndStatusBar.IsWindowVisible());
    EXPECT_FALSE(MenuState(2, ID_VIEW_STATUS_BAR) & MF_CHECKED);
    CRect rectFrame, rectClient;
    m_pMain->GetClientRect(&rectFrame);
    rectClient = WindowRectIn(CWnd::FromHandle(m_pMain->m_hWndMDIClient), m_pMain->m_hWnd);
    EXPECT_EQ(rectFrame.bottom, rectClient.bottom);
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(m_pMain->m_wndStatusBar.IsWindowVisible());
    EXPECT_TRUE(MenuState(2, ID_VIEW_STATUS_BAR) & MF_CHECKED);
}

TEST_F(FrameTest, PaneInfoChangesStyleAndWidth)
{
    CStatusBar& bar = m_pMain->m_wndStatusBar;
    UINT nID = 0, nStyle = 0;
    int cxWidth = 0;
    bar.GetPaneInfo(1, nID, nStyle, cxWidth);
    bar.SetPaneInfo(1, nID, SBPS_NOBORDERS, cxWidth + 30);
    CRect rect;
    bar.GetItemRect(1, &rect);
    EXPECT_GE(rect.Width(), cxWidth + 30);
    EXPECT_EQ(SBPS_NOBORDERS, bar.GetPaneStyle(1));
    // The control draws the pane without borders.
    EXPECT_EQ(SBT_NOBORDERS, HIWORD(bar.SendMessage(SB_GETTEXTLENGTHW, 1)) & SBT_NOBORDERS);
    // A disabled pane hides its text but keeps it.
    bar.SetPaneStyle(2, SBPS_DISABLED);
    EXPECT_EQ(0, LOWORD(bar.SendMessage(SB_GETTEXTLENGTHW, 2)));
    EXPECT_FALSE(bar.GetPaneText(2).IsEmpty());
}

TEST_F(FrameTest, DelayedShowWaitsForTheNextIdleLayout)
{
    CStatusBar& bar = m_pMain->m_wndStatusBar;
    m_pMain->ShowControlBar(&bar, FALSE, TRUE);
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_FALSE(bar.IsVisible());
    PumpUntilIdle();
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_EQ(0u, bar.m_nStateFlags & (CControlBar::delayShow | CControlBar::delayHide));
}

TEST_F(FrameTest, WindowMenuCascadesAndTiles)
{
    EXPECT_TRUE(MenuState(3, ID_WINDOW_CASCADE) & MF_GRAYED);
    CTestDoc* pFirst = OpenDocument();
    CTestDoc* pSecond = OpenDocument();
    ASSERT_TRUE(pFirst && pSecond);
    EXPECT_FALSE(MenuState(3, ID_WINDOW_CASCADE) & MF_GRAYED);
    EXPECT_FALSE(MenuState(3, ID_WINDOW_TILE_HORZ) & MF_GRAYED);
    CFrameWnd* pFrame1 = FirstView(pFirst)->GetParentFrame();
    CFrameWnd* pFrame2 = FirstView(pSecond)->GetParentFrame();
    Command(ID_WINDOW_TILE_HORZ);
    CRect rect1 = WindowRectIn(pFrame1, m_pMain->m_hWndMDIClient);
    CRect rect2 = WindowRectIn(pFrame2, m_pMain->m_hWndMDIClient);
    CRect rectOverlap;
    EXPECT_FALSE(IntersectRect(&rectOverlap, &rect1, &rect2));
    Command(ID_WINDOW_CASCADE);
    rect1 = WindowRectIn(pFrame1, m_pMain->m_hWndMDIClient);
    rect2 = WindowRectIn(pFrame2, m_pMain->m_hWndMDIClient);
    EXPECT_TRUE(IntersectRect(&rectOverlap, &rect1, &rect2));
    EXPECT_NE(rect1.left, rect2.left);
    EXPECT_NE(rect1.top, rect2.top);
}

TEST_F(FrameTest, WindowMenuListsTheChildrenEnabled)
{
    OpenDocument();
    OpenDocument();
    HMENU hWindow = GetSubMenu(GetMenu(m_pMain->m_hWnd), 3);
    m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hWindow, 3);
    int nChildren = 0;
    for (int i = 0; i < GetMenuItemCount(hWindow); ++i)
    {
        UINT nID = GetMenuItemID(hWindow, i);
        if (nID >= AFX_IDM_FIRST_MDICHILD && nID != (UINT)-1)
        {
            ++nChildren;
            EXPECT_FALSE(GetMenuState(hWindow, (UINT)i, MF_BYPOSITION) & MF_GRAYED) << nID;
        }
    }
    EXPECT_EQ(2, nChildren);
    // Choosing one activates it.
    CMDIChildWnd* pActive = m_pMain->MDIGetActive();
    Command(AFX_IDM_FIRST_MDICHILD);
    CMDIChildWnd* pFirst = m_pMain->MDIGetActive();
    Command(AFX_IDM_FIRST_MDICHILD + 1);
    EXPECT_NE(pFirst, m_pMain->MDIGetActive());
    EXPECT_TRUE(pActive == pFirst || pActive == m_pMain->MDIGetActive());
}

TEST_F(FrameTest, MaximisedChildrenKeepCommandsAndMenus)
{
    CTestDoc* pFirst = OpenDocument();
    ASSERT_TRUE(pFirst != nullptr);
    CMDIChildWnd* pChild = m_pMain->MDIGetActive();
    pChild->MDIMaximize();
    PumpUntilIdle();
    BOOL bMaximized = FALSE;
    EXPECT_EQ(pChild, m_pMain->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    // A new child opens maximised in its turn.
    OpenDocument();
    CMDIChildWnd* pSecond = m_pMain->MDIGetActive(&bMaximized);
    EXPECT_NE(pChild, pSecond);
    EXPECT_TRUE(bMaximized);
    Command(ID_VIEW_COMMAND);
    std::vector<std::string> expected = {"view"};
    EXPECT_EQ(expected, g_handled);
    // The child's system menu in the menu bar keeps its items enabled.
    HMENU hBar = GetMenu(m_pMain->m_hWnd);
    for (int i = 0; i < GetMenuItemCount(hBar); ++i)
    {
        HMENU hPopup = GetSubMenu(hBar, i);
        if (!hPopup || GetMenuState(hPopup, SC_CLOSE, MF_BYCOMMAND) == (UINT)-1)
            continue;
        m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(i, FALSE));
        EXPECT_FALSE(GetMenuState(hPopup, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    }
    pSecond->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_EQ(pChild, m_pMain->MDIGetActive());
}

TEST_F(FrameTest, MdiClientTakesTheScrollBarsTheFrameAsksFor)
{
    CTestMain* pScrolling = new CTestMain;
    ASSERT_TRUE(pScrolling->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL));
    DWORD dwClient = (DWORD)GetWindowLongPtrW(pScrolling->m_hWndMDIClient, GWL_STYLE);
    EXPECT_EQ((DWORD)(WS_HSCROLL | WS_VSCROLL), dwClient & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(0u, pScrolling->GetStyle() & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(0u, GetWindowLongPtrW(m_pMain->m_hWndMDIClient, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
    pScrolling->DestroyWindow();
}

TEST_F(FrameTest, FormViewIsTheTemplatesDialogAndScrollsWhenSmaller)
{
    CMultiDocTemplate* pFormTemplate = new CMultiDocTemplate(IDR_REPORT, RUNTIME_CLASS(CTestDoc),
                                                             RUNTIME_CLASS(CTestChild), RUNTIME_CLASS(CTestForm));
    m_app.AddDocTemplate(pFormTemplate);
    CDocument* pDoc = pFormTemplate->OpenDocumentFile(nullptr);
    PumpUntilIdle();
    ASSERT_TRUE(pDoc != nullptr);
    POSITION pos = pDoc->GetFirstViewPosition();
    CFormView* pForm = (CFormView*)pDoc->GetNextView(pos);
    ASSERT_TRUE(pForm && pForm->IsKindOf(RUNTIME_CLASS(CFormView)));
    EXPECT_TRUE(pForm->GetDlgItem(IDC_FORM_EDIT) != nullptr);
    EXPECT_EQ((int)AFX_IDW_PANE_FIRST, pForm->GetDlgCtrlID());
    EXPECT_TRUE(pForm->GetStyle() & WS_CHILD);
    int nMapMode = 0;
    CSize sizeTotal, sizePage, sizeLine;
    pForm->GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
    RECT rectUnits = {0, 0, 200, 120};
    MapDialogRect(pForm->m_hWnd, &rectUnits);
    EXPECT_EQ(rectUnits.right, sizeTotal.cx);
    EXPECT_EQ(rectUnits.bottom, sizeTotal.cy);
    CFrameWnd* pFrame = pForm->GetParentFrame();
    pFrame->SetWindowPos(nullptr, 0, 0, sizeTotal.cx + 100, sizeTotal.cy / 2, SWP_NOZORDER | SWP_NOMOVE);
    PumpUntilIdle();
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(pForm->m_hWnd, SB_VERT, &si));
    EXPECT_EQ(sizeTotal.cy - 1, si.nMax);
    pForm->SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_GT(pForm->GetScrollPosition().y, 0);
    // The edit moved up with the scrolled form.
    CRect rectEdit = WindowRectIn(pForm->GetDlgItem(IDC_FORM_EDIT), pForm->m_hWnd);
    EXPECT_LT(rectEdit.top, 0);
}

TEST_F(FrameTest, FormKeysGoToTheFramesFirstThenToTheDialogManager)
{
    CMultiDocTemplate* pFormTemplate = new CMultiDocTemplate(IDR_REPORT, RUNTIME_CLASS(CTestDoc),
                                                             RUNTIME_CLASS(CTestChild), RUNTIME_CLASS(CTestForm));
    m_app.AddDocTemplate(pFormTemplate);
    CDocument* pDoc = pFormTemplate->OpenDocumentFile(nullptr);
    PumpUntilIdle();
    ASSERT_TRUE(pDoc != nullptr);
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pForm = pDoc->GetNextView(pos);
    HWND hEdit = GetDlgItem(pForm->m_hWnd, IDC_FORM_EDIT);
    MSG msg = {hEdit, WM_KEYDOWN, VK_F7, 0x00410001};
    EXPECT_TRUE(m_app.PreTranslateMessage(&msg));
    EXPECT_EQ(1, m_pMain->m_nAccel);
    // Tab belongs to the form's dialog manager.
    msg.wParam = VK_TAB;
    msg.lParam = 0x000F0001;
    EXPECT_TRUE(m_app.PreTranslateMessage(&msg));
    EXPECT_EQ(1, m_pMain->m_nAccel);
}

TEST_F(FrameTest, StandardProfileSettingsReadTheRecentFiles)
{
    m_app.WriteProfileString(L"Recent File List", L"File1", L"C:\\one.txt");
    m_app.WriteProfileString(L"Recent File List", L"File3", L"C:\\three.txt");
    m_app.WriteProfileString(L"Recent File List", L"File5", L"C:\\five.txt");
    m_app.LoadStdProfileSettings(4);
    EXPECT_EQ(4u, m_app.m_nMaxMRU);
    ASSERT_EQ(2, m_app.m_strRecentFiles.GetSize());
    EXPECT_EQ(CString(L"C:\\three.txt"), m_app.m_strRecentFiles[1]);
}

namespace
{
// A bar of fixed width along the left edge.
class CSideBar : public CControlBar
{
public:
    BOOL Create(CWnd* pParent, UINT nID)
    {
        return CreateBar(0, nullptr, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0, pParent, nID);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL) override { return CSize(90, bStretch ? 32767 : 50); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override { ++m_nUpdates; }
    int m_nUpdates = 0;
};
} // namespace

TEST_F(FrameTest, BarsOnOtherEdgesTakeTheirStripToo)
{
    CSideBar bar;
    ASSERT_TRUE(bar.Create(m_pMain, AFX_IDW_CONTROLBAR_FIRST + 40));
    EXPECT_EQ(&bar, m_pMain->GetControlBar(AFX_IDW_CONTROLBAR_FIRST + 40));
    EXPECT_EQ(m_pMain, bar.GetDockingFrame());
    m_pMain->RecalcLayout();
    PumpUntilIdle();
    EXPECT_GT(bar.m_nUpdates, 0);
    CRect rectBar = WindowRectIn(&bar, m_pMain->m_hWnd);
    CRect rectClient = WindowRectIn(CWnd::FromHandle(m_pMain->m_hWndMDIClient), m_pMain->m_hWnd);
    CRect rectStatus = WindowRectIn(&m_pMain->m_wndStatusBar, m_pMain->m_hWnd);
    EXPECT_EQ(0, rectBar.left);
    EXPECT_EQ(90, rectBar.Width());
    EXPECT_EQ(90, rectClient.left);
    // The status bar came first and spans the whole width under the side bar.
    EXPECT_EQ(rectStatus.top, rectBar.bottom);
    bar.DestroyWindow();
    EXPECT_TRUE(m_pMain->GetControlBar(AFX_IDW_CONTROLBAR_FIRST + 40) == nullptr);
    m_pMain->RecalcLayout();
    EXPECT_EQ(0, WindowRectIn(CWnd::FromHandle(m_pMain->m_hWndMDIClient), m_pMain->m_hWnd).left);
}

TEST_F(FrameTest, TemplateMenuShowsWhileItsChildIsActive)
{
    HMENU hMainMenu = GetMenu(m_pMain->m_hWnd);
    CMultiDocTemplate* pSheets = new CMultiDocTemplate(IDR_MENU_REPORT, RUNTIME_CLASS(CTestDoc),
                                                       RUNTIME_CLASS(CTestChild), RUNTIME_CLASS(CTestView));
    m_app.AddDocTemplate(pSheets);
    ASSERT_TRUE(pSheets->m_hMenuShared != nullptr);
    CDocument* pDoc = pSheets->OpenDocumentFile(nullptr);
    PumpUntilIdle();
    ASSERT_TRUE(pDoc != nullptr);
    EXPECT_EQ(CString(L"Sheet1"), pDoc->GetTitle());
    EXPECT_EQ(pSheets->m_hMenuShared, GetMenu(m_pMain->m_hWnd));
    // A child of the other template brings the main menu back, and so does closing the last.
    CTestDoc* pReport = OpenDocument();
    EXPECT_EQ(hMainMenu, GetMenu(m_pMain->m_hWnd));
    FirstView(pReport)->GetParentFrame()->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_EQ(pSheets->m_hMenuShared, GetMenu(m_pMain->m_hWnd));
    pDoc->OnCloseDocument();
    PumpUntilIdle();
    EXPECT_EQ(hMainMenu, GetMenu(m_pMain->m_hWnd));
    // A frame closed while showing the template's menu leaves that menu to the template.
    ASSERT_TRUE(pSheets->OpenDocumentFile(nullptr) != nullptr);
    PumpUntilIdle();
    EXPECT_EQ(pSheets->m_hMenuShared, GetMenu(m_pMain->m_hWnd));
    m_pMain->DestroyWindow();
    PumpUntilIdle();
    EXPECT_TRUE(IsMenu(pSheets->m_hMenuShared));
    EXPECT_FALSE(IsMenu(hMainMenu));
}

TEST_F(FrameTest, ADestroyedViewIsNoLongerTheActiveOne)
{
    CTestDoc* pDoc = OpenDocument();
    ASSERT_TRUE(pDoc != nullptr);
    CTestView* pView = FirstView(pDoc);
    CFrameWnd* pFrame = pView->GetParentFrame();
    EXPECT_EQ(pView, pFrame->GetActiveView());
    // The document outlives its only view only while it is told not to close itself.
    pDoc->m_bAutoDelete = FALSE;
    pView->DestroyWindow();
    EXPECT_TRUE(pFrame->GetActiveView() == nullptr);
    EXPECT_TRUE(pFrame->GetActiveDocument() == nullptr);
    EXPECT_TRUE(pDoc->GetFirstViewPosition() == nullptr);
    Command(ID_VIEW_COMMAND);
    EXPECT_TRUE(g_handled.empty());
    pFrame->DestroyWindow();
    PumpUntilIdle();
    delete pDoc;
    EXPECT_EQ(0, DocumentCount());
}

TEST(CommandLineInfoTest, OleStartsSwitchTheSplashOff)
{
    const wchar_t* apszFlags[] = {L"Embedding", L"Automation", L"embedding"};
    for (const wchar_t* pszFlag : apszFlags)
    {
        CCommandLineInfo info;
        info.ParseParam(pszFlag, TRUE, TRUE);
        EXPECT_FALSE(info.m_bShowSplash) << pszFlag;
    }
    CCommandLineInfo info;
    info.ParseParam(L"m", TRUE, FALSE);
    info.ParseParam(L"C:\\data\\file.txt", FALSE, TRUE);
    EXPECT_TRUE(info.m_bShowSplash);
    EXPECT_EQ(CString(L"C:\\data\\file.txt"), info.m_strFileName);
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
}

namespace
{
// Makes its main frame, then fails as a cancelled log-on does.
class CFailingApp : public CWinApp
{
public:
    CFailingApp() : CWinApp(L"FailingApp") {}
    BOOL InitInstance() override
    {
        CFrameWnd* pFrame = new CFrameWnd;
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW))
            return TRUE;
        m_pMainWnd = pFrame;
        m_hWndMain = pFrame->m_hWnd;
        return FALSE;
    }
    int ExitInstance() override { return 7; }
    HWND m_hWndMain = nullptr;
};
} // namespace

TEST(WinMainTest, FailedStartLeavesNoWindow)
{
    CFailingApp app;
    EXPECT_EQ(7, AfxWinMain(GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWMAXIMIZED));
    EXPECT_EQ(SW_SHOWMAXIMIZED, app.m_nCmdShow);
    ASSERT_TRUE(app.m_hWndMain != nullptr);
    EXPECT_FALSE(IsWindow(app.m_hWndMain));
    EXPECT_TRUE(app.m_pMainWnd == nullptr);
}
