#include "GuiTest.h"

#include "framework/gdi/CClientDC.h"
#include "wincomponents/controls/CColorStatic.h"
#include "wincomponents/lists/CDataComboBox.h"
#include "wincomponents/controls/CFontFactory.h"
#include "wincomponents/controls/CInfoEdit.h"

namespace
{
const int kCombo = 10;
const int kEdit = 11;
const int kStatic = 12;

// A combo box that can be made to refuse new items, as a full one does.
class CRefusingCombo : public CDataComboBox
{
public:
    BOOL m_bRefuse = FALSE;
    LRESULT OnAddString(WPARAM, LPARAM)
    {
        return m_bRefuse ? CB_ERR : Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefusingCombo, CDataComboBox)
    ON_MESSAGE(CB_ADDSTRING, OnAddString)
END_MESSAGE_MAP()

class CFixedDpiFactory : public CFontFactory
{
public:
    CFixedDpiFactory(CWnd* pOwner, int nDpi) : CFontFactory(pOwner), m_nDpi(nDpi) {}

protected:
    int GetPixelsPerInch() override { return m_nDpi; }

private:
    int m_nDpi;
};

LOGFONTW LogFontOf(CFont* pFont)
{
    LOGFONTW lf = {};
    EXPECT_NE(nullptr, pFont);
    if (pFont)
        pFont->GetLogFont(&lf);
    return lf;
}

class ControlSubclassTest : public GuiTest
{
protected:
    // Sends the colour request a control's painting sends, and reads back what it set.
    LRESULT ColourRequest(UINT nMessage, CWnd& control, COLORREF& crText, COLORREF& crBack)
    {
        CClientDC dc(&control);
        LRESULT lBrush = Host().SendMessage(nMessage, (WPARAM)dc.m_hDC, (LPARAM)control.m_hWnd);
        crText = dc.GetTextColor();
        crBack = dc.GetBkColor();
        return lBrush;
    }
};
} // namespace

TEST_F(ControlSubclassTest, DataComboBoxFillsSelectsAndReadsByData)
{
    CDataComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(10, 10, 200, 200), &Host(), kCombo));
    EXPECT_EQ(0u, combo.GetSelData());
    EXPECT_STREQ(L"", combo.GetSelText());

    CStringArray texts;
    texts.Add(L"Windows");
    texts.Add(L"Syslog");
    combo.AddItems(texts);
    CUIntArray data;
    data.Add(700);
    data.Add(701);
    texts.Add(L"unpaired");
    combo.AddItemsWithData(texts, data);
    EXPECT_EQ(4, combo.GetCount());

    EXPECT_TRUE(combo.SelectByData(1));
    EXPECT_STREQ(L"Syslog", combo.GetSelText());
    EXPECT_EQ(1u, combo.GetSelData());
    EXPECT_TRUE(combo.SelectByData(701));
    EXPECT_EQ(701u, combo.GetSelData());
    EXPECT_FALSE(combo.SelectByData(999));
    EXPECT_EQ(701u, combo.GetSelData());
    // Two items hold "Windows": the first of them is taken, by prefix and without case.
    EXPECT_TRUE(combo.FindAndSelect(L"wIN"));
    EXPECT_EQ(0u, combo.GetSelData());
    EXPECT_FALSE(combo.FindAndSelect(L"SNMP"));
}

TEST_F(ControlSubclassTest, RefusedItemNeverOverwritesOtherItemsData)
{
    CRefusingCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 200, 200), &Host(), kCombo));
    EXPECT_EQ(0, combo.AddItem(L"A", 5));
    EXPECT_EQ(1, combo.AddItem(L"B", 6));
    combo.m_bRefuse = TRUE;
    EXPECT_EQ(CB_ERR, combo.AddItem(L"C", 9));
    EXPECT_EQ(2, combo.GetCount());
    EXPECT_EQ(5u, combo.GetItemData(0));
    EXPECT_EQ(6u, combo.GetItemData(1));
}

TEST_F(ControlSubclassTest, InfoEditLimitColoursAndMargin)
{
    CInfoEdit created;
    ASSERT_TRUE(created.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE, CRect(10, 10, 300, 80), &Host(), kEdit));
    EXPECT_EQ(0x10000u, created.GetLimitText());

    // A template's edit taken over later keeps its limit.
    HWND hPlain = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE, 10, 100, 290, 70,
                                  Host().m_hWnd, (HMENU)(INT_PTR)(kEdit + 1), nullptr, nullptr);
    UINT nLimit = (UINT)SendMessageW(hPlain, EM_GETLIMITTEXT, 0, 0);
    CInfoEdit subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hPlain));
    EXPECT_EQ(nLimit, subclassed.GetLimitText());

    COLORREF crText = 0, crBack = 0;
    // Without colours the parent's default answers.
    created.m_crText = RGB(0, 0, 128);
    EXPECT_NE(0, ColourRequest(WM_CTLCOLOREDIT, created, crText, crBack));
    EXPECT_EQ(nullptr, created.m_brBackground.m_hObject);
    EXPECT_NE(RGB(0, 0, 128), crText);
    created.m_bUseColours = TRUE;
    created.m_crBackground = RGB(255, 255, 200);
    created.m_crText = RGB(0, 0, 128);
    LRESULT lBrush = ColourRequest(WM_CTLCOLOREDIT, created, crText, crBack);
    EXPECT_EQ((LRESULT)(HBRUSH)created.m_brBackground, lBrush);
    EXPECT_EQ(RGB(0, 0, 128), crText);
    EXPECT_EQ(RGB(255, 255, 200), crBack);
    LOGBRUSH lb = {};
    GetObjectW((HBRUSH)lBrush, sizeof lb, &lb);
    EXPECT_EQ(RGB(255, 255, 200), lb.lbColor);
    WindowPixels image = Capture(&created);
    EXPECT_EQ(RGB(255, 255, 200), image.At(image.nWidth - 4, image.nHeight - 4));

    CRect plainRect, marginRect;
    created.GetRect(plainRect);
    created.m_nMargin = 5;
    created.MoveWindow(CRect(10, 10, 300, 80));
    created.SetWindowPos(nullptr, 0, 0, 291, 71, SWP_NOMOVE | SWP_NOZORDER);
    created.SetWindowPos(nullptr, 0, 0, 290, 70, SWP_NOMOVE | SWP_NOZORDER);
    created.GetRect(marginRect);
    // Wine's edit adds its own margins to the rectangle it is given, so the inset is at
    // least the margin and the same on the left and right (the height is whole lines).
    EXPECT_GE(marginRect.left - plainRect.left, 5);
    EXPECT_EQ(marginRect.left - plainRect.left, plainRect.right - marginRect.right);
    EXPECT_GE(marginRect.top - plainRect.top, 5);
}

TEST_F(ControlSubclassTest, ColorStaticBlendsItsTextWhenDisabled)
{
    CColorStatic label;
    ASSERT_TRUE(label.Create(L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 40), &Host(), kStatic));
    label.m_crText = 0;
    label.m_crBackground = RGB(0xC0, 0xC0, 0xC0);
    COLORREF crText = 0, crBack = 0;
    ColourRequest(WM_CTLCOLORSTATIC, label, crText, crBack);
    EXPECT_EQ(0u, crText);
    EXPECT_EQ(RGB(0xC0, 0xC0, 0xC0), crBack);
    label.EnableWindow(FALSE);
    ColourRequest(WM_CTLCOLORSTATIC, label, crText, crBack);
    EXPECT_EQ(0x999999u, crText);

    label.m_crBackground = RGB(0x20, 0x80, 0xC0);
    WindowPixels image = Capture(&label);
    EXPECT_EQ(RGB(0x20, 0x80, 0xC0), image.At(2, 2));
    EXPECT_EQ(RGB(0x20, 0x80, 0xC0), image.At(image.nWidth - 2, image.nHeight - 2));
}

TEST_F(ControlSubclassTest, FontHeightsFollowTheScreenResolution)
{
    CFontFactory factory(&Host());
    CClientDC dc(&Host());
    ASSERT_EQ(96, dc.GetDeviceCaps(LOGPIXELSY));
    CFont* pSans = factory.CreateSansSerifFont(9, TRUE);
    LOGFONTW lf = LogFontOf(pSans);
    EXPECT_EQ(-12, lf.lfHeight);
    EXPECT_EQ(700, lf.lfWeight);
    EXPECT_EQ(VARIABLE_PITCH | FF_SWISS, lf.lfPitchAndFamily);
    EXPECT_STREQ(L"Microsoft Sans Serif", lf.lfFaceName);
    EXPECT_FALSE(lf.lfItalic);

    CFont* pCourier = factory.CreateCourierFont(10, FALSE);
    lf = LogFontOf(pCourier);
    EXPECT_EQ(-13, lf.lfHeight);
    EXPECT_EQ(400, lf.lfWeight);
    EXPECT_EQ(FIXED_PITCH, lf.lfPitchAndFamily);
    EXPECT_STREQ(L"Courier", lf.lfFaceName);

    CFont* pFace = factory.CreateFaceFont(L"DejaVu Sans", 12, FALSE, TRUE);
    lf = LogFontOf(pFace);
    EXPECT_EQ(-16, lf.lfHeight);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_EQ(0, lf.lfPitchAndFamily);
    // Every call gives a font of its own.
    CFont* pSecond = factory.CreateSansSerifFont(9, TRUE);
    EXPECT_NE(pSans, pSecond);
    EXPECT_NE(pSans->m_hObject, pSecond->m_hObject);

    CFixedDpiFactory large(&Host(), 120);
    CFont* pLarge = large.CreateSansSerifFont(9, FALSE);
    EXPECT_EQ(-15, LogFontOf(pLarge).lfHeight);
    for (CFont* p : {pSans, pCourier, pFace, pSecond, pLarge})
        delete p;
}
