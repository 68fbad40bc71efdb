#include "GuiTest.h"

#include "support/AppProfile.h"
#include "wincomponents/dialogs/COwnColorDialog.h"
#include "wincomponents/dialogs/COwnFileDialog.h"

#include <vector>

namespace
{
// What the file dialog was asked, with the filter's NUL-separated list made readable.
struct FileRequest
{
    BOOL bOpen = FALSE;
    DWORD dwFlags = 0;
    CString strDefExt, strFilter, strTitle, strInitial;
};

class OwnDialogsTest : public GuiTest
{
protected:
    void SetUp() override
    {
        std::fill(CColorDialog::GetSavedCustomColors(), CColorDialog::GetSavedCustomColors() + 16, 0xFFFFFFu);
    }
    void TearDown() override
    {
        CColorDialog::SetChooser(nullptr);
        CFileDialog::SetChooser(nullptr);
        GuiTest::TearDown();
    }

    // The next file dialog answers with the path, or cancels when it is null.
    void AnswerFileDialog(const wchar_t* pszAnswer)
    {
        CFileDialog::SetChooser([this, pszAnswer](OPENFILENAMEW& ofn, BOOL bOpen) {
            m_request.bOpen = bOpen;
            m_request.dwFlags = ofn.Flags;
            m_request.strDefExt = ofn.lpstrDefExt;
            m_request.strTitle = ofn.lpstrTitle;
            m_request.strInitial = ofn.lpstrFile;
            m_request.strFilter.Empty();
            for (const wchar_t* p = ofn.lpstrFilter; p && *p; p += wcslen(p) + 1)
                m_request.strFilter += CString(p) + L"|";
            if (!pszAnswer)
                return FALSE;
            lstrcpynW(ofn.lpstrFile, pszAnswer, (int)ofn.nMaxFile);
            return TRUE;
        });
    }

    FileRequest m_request;
};
} // namespace

TEST_F(OwnDialogsTest, CustomColoursComeFromTheProfileAndGoBackOnEveryClose)
{
    GetAppProfile().WriteInt(L"Custom Colour 3", 0x123456);
    std::vector<COLORREF> seen;
    CHOOSECOLORW asked = {};
    CColorDialog::SetChooser([&](CHOOSECOLORW& cc) {
        asked = cc;
        seen.assign(cc.lpCustColors, cc.lpCustColors + 16);
        cc.lpCustColors[5] = 0xABCDEF;
        return FALSE; // cancelled
    });
    {
        COwnColorDialog dialog(RGB(10, 20, 30), CC_FULLOPEN, &Host());
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
    }
    ASSERT_EQ(16u, seen.size());
    EXPECT_EQ(0x123456u, seen[3]);
    // Colours never stored keep the dialog's own.
    EXPECT_EQ(0xFFFFFFu, seen[0]);
    EXPECT_EQ(RGB(10, 20, 30), asked.rgbResult);
    EXPECT_EQ((DWORD)(CC_FULLOPEN | CC_RGBINIT), asked.Flags);
    EXPECT_EQ(Host().m_hWnd, asked.hwndOwner);
    EXPECT_EQ(0xABCDEF, GetAppProfile().GetInt(L"Custom Colour 5", 0));
    EXPECT_EQ(0xFFFFFF, GetAppProfile().GetInt(L"Custom Colour 15", 0));

    // After a restart the colours come back from the profile.
    std::fill(CColorDialog::GetSavedCustomColors(), CColorDialog::GetSavedCustomColors() + 16, 0u);
    CColorDialog::SetChooser([&](CHOOSECOLORW& cc) {
        seen.assign(cc.lpCustColors, cc.lpCustColors + 16);
        cc.rgbResult = RGB(1, 2, 3);
        return TRUE;
    });
    COwnColorDialog again;
    EXPECT_EQ(IDOK, again.DoModal());
    EXPECT_EQ(RGB(1, 2, 3), again.GetColor());
    EXPECT_EQ(0xABCDEFu, seen[5]);
    EXPECT_EQ(0x123456u, seen[3]);
}

TEST_F(OwnDialogsTest, OpenDialogsWantExistingFiles)
{
    CString strPath = L"C:\\data\\start.txt";
    AnswerFileDialog(L"C:\\data\\chosen.txt");
    EXPECT_TRUE(COwnFileDialog::OpenTextFile(&Host(), strPath, L"Import definitions"));
    EXPECT_STREQ(L"C:\\data\\chosen.txt", strPath);
    EXPECT_TRUE(m_request.bOpen);
    EXPECT_EQ(0x1006u, m_request.dwFlags & 0x1006u);
    EXPECT_STREQ(L"txt", m_request.strDefExt);
    EXPECT_STREQ(L"Text Files (*.TXT)|*.TXT|", m_request.strFilter);
    EXPECT_STREQ(L"Import definitions", m_request.strTitle);
    EXPECT_STREQ(L"C:\\data\\start.txt", m_request.strInitial);

    AnswerFileDialog(nullptr);
    EXPECT_FALSE(COwnFileDialog::OpenWaveFile(&Host(), strPath));
    EXPECT_STREQ(L"C:\\data\\chosen.txt", strPath);
    EXPECT_STREQ(L"wav", m_request.strDefExt);
    EXPECT_STREQ(L"Wave Files (*.WAV)|*.WAV|", m_request.strFilter);
    // Without a title the dialog keeps its own.
    EXPECT_STREQ(L"", m_request.strTitle);
}

TEST_F(OwnDialogsTest, SaveDialogsAskBeforeOverwriting)
{
    CString strPath = L"log.rtf";
    AnswerFileDialog(L"C:\\out\\log.rtf");
    EXPECT_TRUE(COwnFileDialog::SaveRtfFile(&Host(), strPath));
    EXPECT_STREQ(L"C:\\out\\log.rtf", strPath);
    EXPECT_FALSE(m_request.bOpen);
    EXPECT_EQ((DWORD)(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT), m_request.dwFlags & 0x1006u);
    EXPECT_STREQ(L"rtf", m_request.strDefExt);
    EXPECT_STREQ(L"Rich Text Files (*.RTF)|*.RTF|", m_request.strFilter);

    EXPECT_TRUE(COwnFileDialog::SaveTextFile(&Host(), strPath));
    EXPECT_STREQ(L"txt", m_request.strDefExt);
    EXPECT_STREQ(L"log.rtf", m_request.strInitial.Right(7));
}
