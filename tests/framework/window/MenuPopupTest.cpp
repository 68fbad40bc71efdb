#include "GuiTest.h"

#include "framework/controls/CMenu.h"

namespace
{
class MenuPopupTest : public GuiTest
{
protected:
    // A menu bar: "&File" and "Out&standing" popups, a plain "Logfile" command, then a
    // "Logfile" popup.
    void SetUp() override
    {
        ASSERT_TRUE(m_bar.CreateMenu());
        for (HMENU* phPopup : {&m_hFile, &m_hOutstanding, &m_hLogfile})
            *phPopup = ::CreatePopupMenu();
        m_bar.AppendMenu(MF_POPUP, (UINT_PTR)m_hFile, L"&File");
        m_bar.AppendMenu(MF_POPUP, (UINT_PTR)m_hOutstanding, L"Out&standing");
        m_bar.AppendMenu(MF_STRING, 100, L"Logfile");
        m_bar.AppendMenu(MF_POPUP, (UINT_PTR)m_hLogfile, L"&Logfile");
    }

    CMenu m_bar;
    HMENU m_hFile = nullptr;
    HMENU m_hOutstanding = nullptr;
    HMENU m_hLogfile = nullptr;
};
} // namespace

TEST_F(MenuPopupTest, APopupIsFoundByItsTextWithoutItsAmpersands)
{
    EXPECT_EQ(m_hFile, FindMenuPopup(m_bar, L"File"));
    EXPECT_EQ(m_hOutstanding, FindMenuPopup(m_bar, L"Outstanding"));
    EXPECT_EQ(m_hLogfile, FindMenuPopup(m_bar, L"Logfile")) << "a command of that text is no popup";
    EXPECT_EQ(nullptr, FindMenuPopup(m_bar, L"&File")) << "the name is compared without marks";
    EXPECT_EQ(nullptr, FindMenuPopup(m_bar, L"file")) << "and with its case";
    EXPECT_EQ(nullptr, FindMenuPopup(m_bar, L"Definitions"));
    EXPECT_EQ(nullptr, FindMenuPopup(nullptr, L"File"));
}
