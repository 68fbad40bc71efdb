#include "GuiTest.h"

#include "framework/gdi/CBrush.h"
#include "framework/controls/CButton.h"
#include "framework/gdi/CDC.h"
#include "framework/controls/CEdit.h"

namespace
{
const int kReflectingEdit = 11;
const int kPlainEdit = 12;
const int kOwnerDrawn = 13;

class CReflectingEdit : public CEdit
{
public:
    int m_nChanges = 0;
    BOOL m_bAnswerColour = TRUE;
    CBrush m_brush{RGB(1, 2, 3)};
    void OnChange() { ++m_nChanges; }
    void OnClick(NMHDR*, LRESULT* pResult) { *pResult = 77; }
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        if (!m_bAnswerColour || nCtlColor != CTLCOLOR_EDIT)
            return nullptr;
        pDC->SetTextColor(RGB(200, 0, 0));
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingEdit, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class COwnerDrawnButton : public CButton
{
public:
    int m_nDrawn = 0;
    void DrawItem(LPDRAWITEMSTRUCT pDraw)
    {
        ++m_nDrawn;
        FillRect(pDraw->hDC, &pDraw->rcItem, (HBRUSH)GetStockObject(BLACK_BRUSH));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerDrawnButton, CButton)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CWnd
{
public:
    int m_nReflectingChanges = 0;
    int m_nPlainChanges = 0;
    int m_nColourRequests = 0;
    int m_nKeysEaten = 0;
    CBrush m_brush{RGB(9, 9, 9)};
    void OnReflectingChange() { ++m_nReflectingChanges; }
    void OnPlainChange() { ++m_nPlainChanges; }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT)
    {
        ++m_nColourRequests;
        return m_brush;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F5)
        {
            ++m_nKeysEaten;
            return TRUE;
        }
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_CONTROL(EN_CHANGE, kReflectingEdit, OnReflectingChange)
    ON_CONTROL(EN_CHANGE, kPlainEdit, OnPlainChange)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// Counts the keys that reach the edit itself.
class CKeyCountingEdit : public CEdit
{
public:
    int m_nKeys = 0;
    LRESULT OnKey(WPARAM, LPARAM)
    {
        ++m_nKeys;
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyCountingEdit, CEdit)
    ON_MESSAGE(WM_KEYDOWN, OnKey)
END_MESSAGE_MAP()

class ReflectionTest : public GuiTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &Host(), 1));
        ASSERT_TRUE(m_reflecting.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 30), &m_parent, kReflectingEdit));
        ASSERT_TRUE(m_plain.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 150, 60), &m_parent, kPlainEdit));
        ASSERT_TRUE(m_button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 70, 60, 100), &m_parent, kOwnerDrawn));
        PumpUntilIdle();
    }

    CParentWnd m_parent;
    CReflectingEdit m_reflecting;
    CKeyCountingEdit m_plain;
    COwnerDrawnButton m_button;
};
} // namespace

TEST_F(ReflectionTest, ControlNotificationsGoToTheControlFirst)
{
    SetText(&m_parent, kReflectingEdit, L"typed");
    EXPECT_EQ(1, m_reflecting.m_nChanges);
    EXPECT_EQ(0, m_parent.m_nReflectingChanges);
    // A control without a reflected entry leaves the notification to its parent.
    SetText(&m_parent, kPlainEdit, L"typed");
    EXPECT_EQ(1, m_parent.m_nPlainChanges);
}

TEST_F(ReflectionTest, NotifyReflectionCarriesTheResultBack)
{
    NMHDR nm = {m_reflecting.m_hWnd, kReflectingEdit, (UINT)NM_CLICK};
    EXPECT_EQ(77, m_parent.SendMessage(WM_NOTIFY, kReflectingEdit, (LPARAM)&nm));
}

TEST_F(ReflectionTest, ColourRequestsAreAnsweredByTheControlOrElseTheParent)
{
    HDC hDC = GetDC(m_reflecting.m_hWnd);
    // The plain edit asks its parent whenever it paints; count from here.
    int nBefore = m_parent.m_nColourRequests;
    EXPECT_EQ((LRESULT)(HBRUSH)m_reflecting.m_brush,
              m_parent.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)m_reflecting.m_hWnd));
    EXPECT_EQ(RGB(200, 0, 0), GetTextColor(hDC));
    EXPECT_EQ(nBefore, m_parent.m_nColourRequests);

    m_reflecting.m_bAnswerColour = FALSE;
    EXPECT_EQ((LRESULT)(HBRUSH)m_parent.m_brush,
              m_parent.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)m_reflecting.m_hWnd));
    EXPECT_EQ(nBefore + 1, m_parent.m_nColourRequests);
    ReleaseDC(m_reflecting.m_hWnd, hDC);
}

TEST_F(ReflectionTest, OwnerDrawingIsReflectedToTheButton)
{
    WindowPixels image = Capture(&m_parent);
    EXPECT_GE(m_button.m_nDrawn, 1);
    EXPECT_EQ(RGB(0, 0, 0), image.At(30, 85));
}

TEST_F(ReflectionTest, TheLoopOffersKeysToTheAncestorsFirst)
{
    m_plain.SetFocus();
    PumpUntilIdle();
    m_plain.PostMessage(WM_KEYDOWN, VK_F5, 0);
    m_plain.PostMessage(WM_KEYDOWN, VK_F6, 0);
    PumpUntilIdle();
    EXPECT_EQ(1, m_parent.m_nKeysEaten);
    EXPECT_EQ(1, m_plain.m_nKeys);
}
