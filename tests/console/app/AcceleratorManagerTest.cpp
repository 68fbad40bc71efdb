#include "GuiTest.h"

#include "console/app/CAcceleratorManager.h"
#include "framework/controls/CMenu.h"
#include "resources/console/BelvaneRes.h"

#include <vector>

namespace
{
class AcceleratorManagerTest : public GuiTest
{
protected:
    ~AcceleratorManagerTest() override
    {
        if (m_hAccel)
            DestroyAcceleratorTable(m_hAccel);
    }

    // A menu bar with one popup of the given commands; 0 makes a separator.
    void MakeMenu(std::initializer_list<UINT> commands)
    {
        m_menu.CreateMenu();
        HMENU hPopup = CreatePopupMenu();
        for (UINT nID : commands)
            AppendMenuW(hPopup, nID ? MF_STRING : MF_SEPARATOR, nID, nID ? L"&Display" : nullptr);
        AppendMenuW(m_menu, MF_POPUP, (UINT_PTR)hPopup, L"&Logfile");
    }

    std::vector<ACCEL> Table()
    {
        std::vector<ACCEL> entries;
        if (!m_hAccel)
            return entries;
        entries.resize(CopyAcceleratorTableW(m_hAccel, nullptr, 0));
        CopyAcceleratorTableW(m_hAccel, entries.data(), (int)entries.size());
        return entries;
    }

    static CString TextAt(HMENU hMenu, int nPos)
    {
        wchar_t sz[256] = L"";
        GetMenuStringW(hMenu, nPos, sz, 255, MF_BYPOSITION);
        return sz;
    }

    CMenu m_menu;
    HACCEL m_hAccel = nullptr;
};
} // namespace

TEST_F(AcceleratorManagerTest, F6BindsToTheLogWindowsDisplayAndNamesItInTheMenu)
{
    MakeMenu({ID_LOGFILE_DISPLAY, 0, ID_LOGFILE_ERASE});
    GetAcceleratorManager().BuildAccelerators(&m_menu, m_hAccel);

    std::vector<ACCEL> table = Table();
    ASSERT_EQ(1u, table.size());
    EXPECT_EQ(VK_F6, table[0].key);
    EXPECT_EQ(ID_LOGFILE_DISPLAY, table[0].cmd);
    EXPECT_EQ(FVIRTKEY | FNOINVERT, table[0].fVirt);
    HMENU hPopup = GetSubMenu(m_menu, 0);
    EXPECT_STREQ(L"&Display\tF6", TextAt(hPopup, 0));
    EXPECT_EQ((UINT)ID_LOGFILE_DISPLAY, GetMenuItemID(hPopup, 0));
    EXPECT_STREQ(L"&Display", TextAt(hPopup, 2)) << "other items keep their text";
}

TEST_F(AcceleratorManagerTest, AMenuWithoutTheCommandGivesNoTableAndStaysAsItWas)
{
    MakeMenu({ID_LOGFILE_ERASE, ID_LOGFILE_SAVE});
    GetAcceleratorManager().BuildAccelerators(&m_menu, m_hAccel);
    EXPECT_TRUE(m_hAccel == nullptr);
    EXPECT_STREQ(L"&Display", TextAt(GetSubMenu(m_menu, 0), 0));
    EXPECT_STREQ(L"&Display", TextAt(GetSubMenu(m_menu, 0), 1));
}

TEST_F(AcceleratorManagerTest, OnlyTheFirstOfTwoItemsInDepthFirstOrderGetsTheKey)
{
    // The nested popup comes before the second item of the outer one.
    m_menu.CreateMenu();
    HMENU hOuter = CreatePopupMenu();
    HMENU hInner = CreatePopupMenu();
    AppendMenuW(hInner, MF_STRING, ID_LOGFILE_DISPLAY, L"Inner");
    AppendMenuW(hOuter, MF_POPUP, (UINT_PTR)hInner, L"Nested");
    AppendMenuW(hOuter, MF_STRING, ID_LOGFILE_DISPLAY, L"Outer");
    AppendMenuW(m_menu, MF_POPUP, (UINT_PTR)hOuter, L"&Logfile");

    GetAcceleratorManager().BuildAccelerators(&m_menu, m_hAccel);
    EXPECT_STREQ(L"Inner\tF6", TextAt(hInner, 0));
    EXPECT_STREQ(L"Outer", TextAt(hOuter, 1));
    EXPECT_EQ(1u, Table().size());

    // A second build binds again; the item named before is not named twice.
    HACCEL hFirst = m_hAccel;
    GetAcceleratorManager().BuildAccelerators(&m_menu, m_hAccel);
    DestroyAcceleratorTable(hFirst);
    EXPECT_EQ(1u, Table().size());
    EXPECT_STREQ(L"Inner\tF6", TextAt(hInner, 0)) << "a second build does not name the key twice";
}

TEST_F(AcceleratorManagerTest, ToolTipsNameTheKeyInBothRequestForms)
{
    MakeMenu({ID_LOGFILE_DISPLAY});
    GetAcceleratorManager().BuildAccelerators(&m_menu, m_hAccel);
    EXPECT_STREQ(L"Display Logfile (F6)", GetAcceleratorManager().ToolTipOf(ID_LOGFILE_DISPLAY));
    EXPECT_STREQ(L"Erase Logfile", GetAcceleratorManager().ToolTipOf(ID_LOGFILE_ERASE));
    EXPECT_STREQ(L"", GetAcceleratorManager().ToolTipOf(ID_DEFINITIONS_LOAD_FROM_FILE))
        << "a prompt without a tip part gives no tip";

    NMTTDISPINFOW wide = {};
    wide.hdr.code = TTN_NEEDTEXTW;
    wide.hdr.idFrom = ID_LOGFILE_DISPLAY;
    LRESULT lResult = 1;
    EXPECT_TRUE(GetAcceleratorManager().GetToolTipText(&wide.hdr, &lResult));
    EXPECT_STREQ(L"Display Logfile (F6)", wide.szText);
    EXPECT_EQ(0, lResult);

    // A tool named by its window takes the window's control id.
    CWnd button;
    ASSERT_TRUE(button.CreateEx(0, L"BUTTON", L"F6", WS_CHILD, CRect(0, 0, 20, 20), &Host(), ID_LOGFILE_ERASE));
    NMTTDISPINFOA narrow = {};
    narrow.hdr.code = TTN_NEEDTEXTA;
    narrow.hdr.idFrom = (UINT_PTR)button.m_hWnd;
    narrow.uFlags = TTF_IDISHWND;
    EXPECT_TRUE(GetAcceleratorManager().GetToolTipText(&narrow.hdr, &lResult));
    EXPECT_STREQ("Erase Logfile", narrow.szText);
    button.DestroyWindow();
}
