#include "GuiTest.h"

#include "wincomponents/shortcutbar/COXSHBEdit.h"

#include <vector>

namespace
{
// The editor's parent: writes down each finish notice's accept flag.
class CEditOwner : public CWnd
{
public:
    std::vector<BOOL> m_arrFinished;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMSHBEDIT* pNotify = (const NMSHBEDIT*)lParam;
        if (pNotify->hdr.code != SHBEN_FINISHEDIT || pNotify->hdr.idFrom != SHB_IDCEDIT)
            return CWnd::OnNotify(wParam, lParam, pResult);
        m_arrFinished.push_back(pNotify->bOK);
        *pResult = 0;
        return TRUE;
    }
};

class ShortcutBarEditTest : public GuiTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 400, 300), &Host(), 1));
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), &m_owner, SHB_IDCEDIT));
    }

    SHBE_DISPLAY Info(const wchar_t* pszText, CRect rect)
    {
        SHBE_DISPLAY info = {};
        info.nMask = SHBEIF_TEXT | SHBEIF_RECTDISPLAY;
        info.lpText = pszText;
        info.rectDisplay = rect;
        return info;
    }
    CRect EditRect()
    {
        CRect rect;
        m_edit.GetWindowRect(&rect);
        ::MapWindowPoints(nullptr, m_owner.m_hWnd, (POINT*)(RECT*)&rect, 2);
        return rect;
    }
    // As typing does: a multi-line edit tells of no change set with WM_SETTEXT.
    void Type(const wchar_t* pszText)
    {
        m_edit.SetSel(0, -1);
        m_edit.ReplaceSel(pszText);
        PumpUntilIdle();
    }
    void Key(UINT nKey)
    {
        m_edit.PostMessage(WM_KEYDOWN, nKey, 0);
        PumpUntilIdle();
    }

    CEditOwner m_owner;
    COXSHBEdit m_edit;
};

TEST_F(ShortcutBarEditTest, DisplayInformationThatCannotBeShownIsRefused)
{
    SHBE_DISPLAY info = Info(L"12345", CRect(10, 10, 100, 30));
    EXPECT_TRUE(m_edit.VerifyDisplayInfo(&info));
    info.nMask |= 0x400;
    EXPECT_FALSE(m_edit.VerifyDisplayInfo(&info)) << "unknown mask bit";

    info = Info(L"12345", CRect(10, 10, 100, 30));
    info.nMask |= SHBEIF_ENLARGE;
    info.bEnlargeAsTyping = TRUE;
    EXPECT_FALSE(m_edit.VerifyDisplayInfo(&info)) << "growth without a limit";
    info.nMask |= SHBEIF_RECTMAX;
    info.rectMax = CRect(0, 0, 200, 100);
    EXPECT_TRUE(m_edit.VerifyDisplayInfo(&info));
    info.rectMax = CRect(20, 0, 200, 100);
    EXPECT_FALSE(m_edit.VerifyDisplayInfo(&info)) << "the text starts outside its limit";

    info = Info(L"12345", CRect(10, 10, 100, 30));
    info.nMask |= SHBEIF_SELRANGE;
    info.ptSelection = CPoint(3, 10);
    EXPECT_FALSE(m_edit.VerifyDisplayInfo(&info));
    info.ptSelection = CPoint(0, -1);
    EXPECT_TRUE(m_edit.VerifyDisplayInfo(&info));
    info.ptSelection = CPoint(1, 4);
    EXPECT_TRUE(m_edit.VerifyDisplayInfo(&info));

    info = Info(L"", CRect(10, 10, 10, 30));
    EXPECT_FALSE(m_edit.VerifyDisplayInfo(&info)) << "an empty place";
    info = Info(L"x", CRect(10, 10, 100, 30));
    info.nMask |= SHBEIF_RECTMIN | SHBEIF_RECTMAX;
    info.rectMax = CRect(0, 0, 200, 100);
    info.rectMin = CRect(50, 50, 50, 60);
    EXPECT_FALSE(m_edit.VerifyDisplayInfo(&info)) << "an empty minimum";
    info.rectMin = CRect(150, 50, 250, 60);
    EXPECT_FALSE(m_edit.VerifyDisplayInfo(&info)) << "a minimum beyond the maximum";
    EXPECT_FALSE(m_edit.StartEdit(&info));
    EXPECT_FALSE(m_edit.IsWindowVisible());
}

TEST_F(ShortcutBarEditTest, EnterAndEscapeEachCloseTheEditOnceAndSayWhetherItWasAccepted)
{
    SHBE_DISPLAY info = Info(L"Group", CRect(10, 10, 150, 32));
    info.nMask |= SHBEIF_SELRANGE;
    info.ptSelection = CPoint(0, -1);
    ASSERT_TRUE(m_edit.StartEdit(&info));
    EXPECT_TRUE(m_edit.IsWindowVisible());
    EXPECT_EQ(m_edit.m_hWnd, ::GetFocus());
    EXPECT_EQ(m_edit.m_hWnd, ::GetCapture());
    EXPECT_EQ(CRect(10, 10, 150, 32), EditRect());
    EXPECT_EQ(L"Group", m_edit.GetWindowText());
    DWORD dwSelection = (DWORD)m_edit.SendMessage(EM_GETSEL);
    EXPECT_EQ(5u, HIWORD(dwSelection));

    Key(VK_RETURN);
    EXPECT_EQ(std::vector<BOOL>{TRUE}, m_owner.m_arrFinished);
    EXPECT_FALSE(m_edit.IsWindowVisible());
    EXPECT_NE(m_edit.m_hWnd, ::GetCapture());

    ASSERT_TRUE(m_edit.StartEdit(&info));
    Key(VK_ESCAPE);
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), m_owner.m_arrFinished);

    // Nothing is open: closing again reports nothing.
    m_edit.FinishEdit(TRUE);
    EXPECT_EQ(2u, m_owner.m_arrFinished.size());
}

TEST_F(ShortcutBarEditTest, TheEditorKeepsItsOwnCopyOfTheCallersFont)
{
    SHBE_DISPLAY info = Info(L"Group", CRect(10, 10, 150, 32));
    CFont* pFont = new CFont;
    pFont->CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    HFONT hCallers = *pFont;
    info.nMask |= SHBEIF_FONT;
    info.pFont = pFont;
    ASSERT_TRUE(m_edit.StartEdit(&info));
    delete pFont;

    HFONT hUsed = m_edit.GetFontHandle();
    EXPECT_NE(hCallers, hUsed);
    LOGFONTW lf = {};
    ASSERT_TRUE(::GetObjectW(hUsed, sizeof lf, &lf));
    EXPECT_EQ(-20, lf.lfHeight);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    m_edit.FinishEdit(FALSE);
}

TEST_F(ShortcutBarEditTest, ACentredEditorGrowsEvenlyWithinItsLimitsAndNeverBelowItsMinimum)
{
    CRect rectMin(90, 20, 110, 40);
    SHBE_DISPLAY info = Info(L"", rectMin);
    info.nMask |= SHBEIF_STYLE | SHBEIF_ENLARGE | SHBEIF_RECTMAX | SHBEIF_RECTMIN;
    info.dwStyle = WS_BORDER | ES_MULTILINE | ES_CENTER | ES_AUTOVSCROLL;
    info.bEnlargeAsTyping = TRUE;
    info.rectMax = CRect(0, 20, 200, 200);
    info.rectMin = rectMin;
    ASSERT_TRUE(m_edit.StartEdit(&info));

    Type(L"a somewhat longer name");
    CRect rect = EditRect();
    EXPECT_GT(rect.Width(), rectMin.Width());
    EXPECT_LE(abs((rect.left - 0) - (200 - rect.right)), 1) << "centred in the maximum";
    EXPECT_EQ(20, rect.top);
    EXPECT_LE(rect.bottom, 200);

    Type(L"a name so long that it cannot stand on one line of two hundred pixels and wraps");
    CRect rectWrapped = EditRect();
    EXPECT_LE(abs(rectWrapped.left - (200 - rectWrapped.right)), 1);
    EXPECT_EQ(20, rectWrapped.top);
    EXPECT_GT(rectWrapped.Height(), rect.Height());

    Type(L"");
    EXPECT_EQ(rectMin, EditRect());
    m_edit.FinishEdit(TRUE);
}
} // namespace
