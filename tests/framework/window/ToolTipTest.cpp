#include "GuiTest.h"

#include "WindowTestsRes.h"
#include "framework/controls/CButton.h"

namespace
{
class ToolTipTest : public GuiTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_button.Create(L"Tip", WS_CHILD | WS_VISIBLE, CRect(20, 20, 120, 50), &Host(), IDS_BUTTON_TIP));
        ASSERT_TRUE(Host().EnableToolTips());
        PumpUntilIdle();
    }

    // The text the window gives for a tool of that control.
    CString TipText(int nID)
    {
        NMTTDISPINFOW info = {};
        info.hdr.hwndFrom = Host().GetToolTipHwnd();
        info.hdr.idFrom = (UINT_PTR)GetDlgItem(Host().m_hWnd, nID);
        info.hdr.code = TTN_GETDISPINFOW;
        info.uFlags = TTF_IDISHWND;
        // Garbage where the text goes: the answer must end within the buffer by itself.
        wmemset(info.szText, L'#', sizeof info.szText / sizeof info.szText[0]);
        Host().SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
        EXPECT_EQ(info.szText, info.lpszText);
        return CString(info.szText, (int)(sizeof info.szText / sizeof info.szText[0])).Left(
            (int)wcsnlen(info.szText, sizeof info.szText / sizeof info.szText[0]));
    }

    CButton m_button;
};
} // namespace

TEST_F(ToolTipTest, MouseOverAControlPlacesItsTool)
{
    m_button.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    PumpUntilIdle();
    HWND hTip = Host().GetToolTipHwnd();
    ASSERT_EQ(1, SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    ASSERT_TRUE(SendMessageW(hTip, TTM_ENUMTOOLSW, 0, (LPARAM)&ti));
    EXPECT_EQ((UINT_PTR)m_button.m_hWnd, ti.uId);
    EXPECT_EQ(Host().m_hWnd, ti.hwnd);

    // Off the control the tool goes again.
    Host().PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(400, 300));
    PumpUntilIdle();
    EXPECT_EQ(0, SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
}

TEST_F(ToolTipTest, TextIsTheTipPartOfTheStringAndAlwaysEndsInTheBuffer)
{
    EXPECT_STREQ(L"Button tip", TipText(IDS_BUTTON_TIP));
    CButton longTip;
    ASSERT_TRUE(longTip.Create(L"Long", WS_CHILD | WS_VISIBLE, CRect(20, 60, 120, 90), &Host(), IDS_LONG_TIP));
    CString strTip = TipText(IDS_LONG_TIP);
    EXPECT_EQ(79, strTip.GetLength());
    EXPECT_STREQ(L"Looo", strTip.Left(4));
}
