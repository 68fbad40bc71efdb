#include "GuiTest.h"

#include "framework/controls/CEdit.h"

namespace
{
UINT g_nMsgPing = RegisterWindowMessageW(L"TervokTest::nMsgPing");

class CBaseWnd : public CWnd
{
public:
    UINT m_nLastRangeId = 0;
    UINT_PTR m_nLastTimer = 0;
    int m_nCommands = 0;
    void OnTimer(UINT_PTR nIDEvent) { m_nLastTimer = nIDEvent; }
    LRESULT OnFirst(WPARAM, LPARAM) { return 1; }
    LRESULT OnSecond(WPARAM wParam, LPARAM) { return 10 + (LRESULT)wParam; }
    LRESULT OnPing(WPARAM, LPARAM) { return 42; }
    void OnCommandOne() { ++m_nCommands; }
    void OnRange(UINT nID) { m_nLastRangeId = nID; }
    void OnClickNotify(NMHDR* pNMHDR, LRESULT* pResult) { *pResult = (LRESULT)pNMHDR->idFrom + 1000; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_MESSAGE(WM_APP, OnFirst)
    ON_MESSAGE(WM_APP + 1, OnSecond)
    ON_REGISTERED_MESSAGE(g_nMsgPing, OnPing)
    ON_COMMAND(100, OnCommandOne)
    ON_COMMAND_RANGE(200, 210, OnRange)
    ON_NOTIFY(NM_CLICK, 300, OnClickNotify)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd
{
public:
    LRESULT OnFirstAgain(WPARAM, LPARAM) { return 2; }
    LRESULT OnThird(WPARAM, LPARAM) { return 3; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_MESSAGE(WM_APP, OnFirstAgain)
    ON_MESSAGE(WM_APP + 2, OnThird)
END_MESSAGE_MAP()

// Records the order of the creation steps.
class CStepsWnd : public CWnd
{
    DECLARE_DYNCREATE(CStepsWnd)
public:
    CString m_strSteps;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override
    {
        m_strSteps += L"pre-create ";
        cs.style |= WS_BORDER;
        return CWnd::PreCreateWindow(cs);
    }
    void PreSubclassWindow() override { m_strSteps += m_hWnd ? L"pre-subclass " : L"pre-subclass-without-handle "; }
    void PostNcDestroy() override { m_strSteps += L"post-nc-destroy"; }
    int OnCreate(LPCREATESTRUCTW lpcs)
    {
        m_strSteps += L"create ";
        return CWnd::OnCreate(lpcs);
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CStepsWnd, CWnd)

BEGIN_MESSAGE_MAP(CStepsWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class CSelfDeletingWnd : public CWnd
{
public:
    explicit CSelfDeletingWnd(BOOL* pbDeleted) : m_pbDeleted(pbDeleted) {}
    ~CSelfDeletingWnd() override { *m_pbDeleted = TRUE; }
    void PostNcDestroy() override { delete this; }
    BOOL* m_pbDeleted;
};

class MessageMapTest : public GuiTest
{
};
} // namespace

TEST_F(MessageMapTest, RuntimeClassesAndCreationByName)
{
    CStepsWnd wnd;
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(wnd.IsKindOf(RUNTIME_CLASS(CEdit)));
    EXPECT_STREQ("CStepsWnd", wnd.GetRuntimeClass()->m_lpszClassName);

    CObject* pObject = CRuntimeClass::CreateObject("CStepsWnd");
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CStepsWnd)));
    delete pObject;
    // Only dynamically creatable classes can be made by name.
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CEdit"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CNoSuchClass"));
}

TEST_F(MessageMapTest, DerivedEntriesWinAndTheBaseMapAnswersTheRest)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"maps", WS_CHILD, CRect(0, 0, 50, 50), &Host(), 1));
    EXPECT_EQ(2, wnd.SendMessage(WM_APP));
    EXPECT_EQ(15, wnd.SendMessage(WM_APP + 1, 5));
    EXPECT_EQ(3, wnd.SendMessage(WM_APP + 2));
    EXPECT_EQ(42, wnd.SendMessage(g_nMsgPing));
    // Unmapped messages reach the window's default procedure.
    EXPECT_EQ(0, wnd.SendMessage(WM_APP + 3));
    wnd.SetWindowText(L"text");
    EXPECT_STREQ(L"text", wnd.GetWindowText());

    CBaseWnd base;
    ASSERT_TRUE(base.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 50, 50), &Host(), 2));
    EXPECT_EQ(1, base.SendMessage(WM_APP));
    EXPECT_EQ(0, base.SendMessage(WM_APP + 2));
}

TEST_F(MessageMapTest, CommandsRangesAndNotifications)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 50, 50), &Host(), 1));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0));
    EXPECT_EQ(1, wnd.m_nCommands);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(205, 0));
    EXPECT_EQ(205u, wnd.m_nLastRangeId);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(211, 0));
    EXPECT_EQ(205u, wnd.m_nLastRangeId);

    NMHDR nm = {Host().m_hWnd, 300, (UINT)NM_CLICK};
    EXPECT_EQ(1300, wnd.SendMessage(WM_NOTIFY, 300, (LPARAM)&nm));
    nm.code = (UINT)NM_DBLCLK;
    EXPECT_EQ(0, wnd.SendMessage(WM_NOTIFY, 300, (LPARAM)&nm));

    // Timers are driven by sending their message, not by waiting.
    wnd.SendMessage(WM_TIMER, 29028);
    EXPECT_EQ(29028u, wnd.m_nLastTimer);
}

TEST_F(MessageMapTest, CreateAndSubclassBothRunTheirPreparations)
{
    CStepsWnd created;
    ASSERT_TRUE(created.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 50, 50), &Host(), 1));
    EXPECT_STREQ(L"pre-create pre-subclass create ", created.m_strSteps);
    EXPECT_TRUE(created.GetStyle() & WS_BORDER);

    HWND hPlain = CreateWindowExW(0, L"STATIC", L"plain", WS_CHILD, 0, 0, 10, 10, Host().m_hWnd, nullptr, nullptr, nullptr);
    CStepsWnd subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hPlain));
    EXPECT_STREQ(L"pre-subclass ", subclassed.m_strSteps);
    EXPECT_EQ(&subclassed, CWnd::FromHandlePermanent(hPlain));
    // The control's own procedure still answers.
    EXPECT_STREQ(L"plain", subclassed.GetWindowText());
    // A handle has one object at a time.
    CStepsWnd second;
    EXPECT_FALSE(second.SubclassWindow(hPlain));
}

TEST_F(MessageMapTest, HandleMapLetsGoWhenTheWindowDies)
{
    CStepsWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 50, 50), &Host(), 1));
    CStepsWnd child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &parent, 2));
    HWND hParent = parent.m_hWnd, hChild = child.m_hWnd;
    EXPECT_EQ(&child, CWnd::FromHandlePermanent(hChild));

    // Destroying the parent takes the child with it.
    parent.DestroyWindow();
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hParent));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hChild));
    EXPECT_EQ(nullptr, parent.m_hWnd);
    EXPECT_EQ(nullptr, child.m_hWnd);
    EXPECT_TRUE(child.m_strSteps.Find(L"post-nc-destroy") > 0);

    BOOL bDeleted = FALSE;
    CSelfDeletingWnd* pWnd = new CSelfDeletingWnd(&bDeleted);
    ASSERT_TRUE(pWnd->CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &Host(), 3));
    HWND hSelf = pWnd->m_hWnd;
    ::DestroyWindow(hSelf);
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hSelf));
}

TEST_F(MessageMapTest, TemporaryObjectsForForeignWindowsGoAtIdleTime)
{
    HWND hPlain = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 0, 0, 10, 10, Host().m_hWnd, (HMENU)7, nullptr, nullptr);
    CWnd* pTemp = Host().GetDlgItem(7);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hPlain, pTemp->m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hPlain));
    EXPECT_EQ(pTemp, CWnd::FromHandle(hPlain));
    PumpUntilIdle();
    // The window itself stays; only the wrapper went.
    EXPECT_TRUE(IsWindow(hPlain));
    EXPECT_EQ(L'x', CWnd::FromHandle(hPlain)->GetWindowText()[0]);
}

namespace
{
class CCountingWnd : public CWnd
{
public:
    int m_nReceived = 0;
    LRESULT OnCount(WPARAM, LPARAM)
    {
        ++m_nReceived;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingWnd, CWnd)
    ON_MESSAGE(WM_APP + 5, OnCount)
END_MESSAGE_MAP()
} // namespace

TEST_F(MessageMapTest, SendMessageToDescendantsReachesEveryLevel)
{
    CCountingWnd child, grandchild, sibling;
    ASSERT_TRUE(child.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 50, 50), &Host(), 1));
    ASSERT_TRUE(grandchild.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &child, 2));
    ASSERT_TRUE(sibling.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &Host(), 3));
    Host().SendMessageToDescendants(WM_APP + 5);
    EXPECT_EQ(1, child.m_nReceived);
    EXPECT_EQ(1, grandchild.m_nReceived);
    EXPECT_EQ(1, sibling.m_nReceived);
    Host().SendMessageToDescendants(WM_APP + 5, 0, 0, FALSE, TRUE);
    EXPECT_EQ(2, child.m_nReceived);
    EXPECT_EQ(1, grandchild.m_nReceived);
}
