#include "GuiTest.h"

#include "framework/window/AfxMessageBox.h"
#include "support/AppPaths.h"
#include "support/LinesFile.h"
#include "wincomponents/controls/CInfoEdit.h"
#include "wincomponents/dialogs/ExternalEditor.h"

namespace
{
const wchar_t* const pszEditorKey = L"SOFTWARE\\Microsoft\\Internet Explorer\\Default HTML Editor\\shell\\edit\\command";

// Stands in for the editor: records how it was started, reads the scratch file the bridge
// wrote and, when given lines, saves them as the editor would (UTF-8).
class ExternalEditorTest : public GuiTest
{
protected:
    void SetUp() override
    {
        m_fnPrevious = SetExternalProgramRunner([this](const CString& strProgram, const CString& strCommandLine,
                                                       BOOL bWait) {
            m_strProgram = strProgram;
            m_strCommandLine = strCommandLine;
            m_bWaited = bWait;
            ++m_nRuns;
            CLinesFile file(ScratchFile());
            file.ReadLines(m_written, FALSE, TRUE);
            if (m_saved.GetSize())
                file.Write(m_saved, FALSE);
            return TRUE;
        });
        ASSERT_TRUE(m_edit.Create(ES_MULTILINE | ES_WANTRETURN | WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 80), &Host(),
                                  1));
    }
    void TearDown() override
    {
        SetExternalProgramRunner(m_fnPrevious);
        AfxSetMessageBoxFunction(nullptr);
        if (m_bEditorRegistered)
            ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Internet Explorer\\Default HTML Editor");
        m_edit.DestroyWindow();
        GuiTest::TearDown();
    }
    // The program's own file stands in for an HTML editor that can be read.
    CString RegisterHtmlEditor()
    {
        wchar_t szPath[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
        CString strCommand = L"\"" + CString(szPath) + L"\" /edit";
        m_bEditorRegistered = TRUE;
        ::RegSetKeyValueW(HKEY_CURRENT_USER, pszEditorKey, nullptr, REG_SZ, (const wchar_t*)strCommand,
                          (DWORD)((strCommand.GetLength() + 1) * sizeof(wchar_t)));
        return szPath;
    }
    CString ScratchFile() const
    {
        BOOL bHtml = m_strCommandLine.Find(L"Qxm-Tmp.htm") >= 0;
        return GetAppPaths().GetWorkFolder() + (bHtml ? L"\\Qxm-Tmp.htm" : L"\\Qxm Tmp.txt");
    }
    void SetLines(CStringArray& lines, std::initializer_list<const wchar_t*> texts)
    {
        lines.RemoveAll();
        for (const wchar_t* psz : texts)
            lines.Add(psz);
    }

    ExternalProgramRunner m_fnPrevious;
    CInfoEdit m_edit;
    CString m_strProgram, m_strCommandLine;
    BOOL m_bWaited = FALSE;
    int m_nRuns = 0;
    BOOL m_bEditorRegistered = FALSE;
    CStringArray m_written, m_saved;
};
} // namespace

TEST_F(ExternalEditorTest, TextOutsideAsciiSurvivesTheRoundTripThroughNotepad)
{
    m_edit.SetWindowText(L"Gr\x00FC\x00DF" L"e\r\nline two");
    SetLines(m_saved, {L"Gr\x00FC\x00DF" L"e aus K\x00F6ln", L"\x65E5\x672C \x2713", L""});
    ASSERT_TRUE(EditTextExternally(m_edit, FALSE));
    EXPECT_TRUE(m_bWaited);
    EXPECT_NE(-1, m_strProgram.MakeLower().Find(L"notepad.exe"));
    ASSERT_EQ(2, m_written.GetSize());
    EXPECT_EQ(CString(L"Gr\x00FC\x00DF" L"e"), m_written[0]);
    EXPECT_EQ(CString(L"Gr\x00FC\x00DF" L"e aus K\x00F6ln\r\n\x65E5\x672C \x2713\r\n"), m_edit.GetWindowText());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(ScratchFile())) << "the scratch file is gone";
}

TEST_F(ExternalEditorTest, AnUnchangedTextComesBackAsItWasFinalLineBreakIncluded)
{
    m_edit.SetWindowText(L"first\r\n\r\nthird\r\n");
    ASSERT_TRUE(EditTextExternally(m_edit, FALSE));
    EXPECT_EQ(CString(L"first\r\n\r\nthird\r\n"), m_edit.GetWindowText());
}

TEST_F(ExternalEditorTest, TheHtmlEditorOpensOnTheTemplateOrOnTheWrappedText)
{
    CString strEditor = RegisterHtmlEditor();
    m_edit.SetWindowText(L"  \r\n \r\n");
    ASSERT_TRUE(EditTextExternally(m_edit, TRUE));
    EXPECT_EQ(strEditor, m_strProgram);
    EXPECT_NE(-1, m_strCommandLine.Find(L"Qxm-Tmp.htm /edit")) << "the path, then the command's own arguments";
    ASSERT_EQ(3, m_written.GetSize());
    EXPECT_EQ(CString(L"<p>Help text goes here...</p>"), m_written[1]);
    EXPECT_EQ(CString(L"<body>\r\n<p>Help text goes here...</p>\r\n</body>"), m_edit.GetWindowText());

    CString strQuestion;
    AfxSetMessageBoxFunction([&](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT) {
        strQuestion = CString(pszCaption) + L": " + pszText;
        return IDYES;
    });
    m_edit.SetWindowText(L"plain\r\ntext");
    ASSERT_TRUE(EditTextExternally(m_edit, TRUE));
    EXPECT_EQ(0, strQuestion.Find(L"HTML Editor: This doesn't look like an HTML file")) << (const char*)CStringA(strQuestion) << (const char*)CStringA(m_strCommandLine);
    ASSERT_EQ(6, m_written.GetSize());
    EXPECT_EQ(CString(L"<body>"), m_written[0]);
    EXPECT_EQ(CString(L"<p>"), m_written[1]);
    EXPECT_EQ(CString(L"</p>"), m_written[4]);
    EXPECT_EQ(CString(L"</body>"), m_written[5]);

    // Already HTML: nothing is asked.
    strQuestion.Empty();
    m_edit.SetWindowText(L"<BODY>x</BODY>");
    ASSERT_TRUE(EditTextExternally(m_edit, TRUE));
    EXPECT_TRUE(strQuestion.IsEmpty());
}

TEST_F(ExternalEditorTest, ADoubleClickEditsTheTextOrOnlyShowsAReadOnlyOne)
{
    m_edit.SetWindowText(L"before");
    SetLines(m_saved, {L"after"});
    m_edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(1, m_nRuns);
    EXPECT_TRUE(m_bWaited);
    EXPECT_EQ(CString(L"after"), m_edit.GetWindowText());

    m_edit.SendMessage(EM_SETREADONLY, TRUE);
    m_edit.SetWindowText(L"kept");
    SetLines(m_saved, {L"changed"});
    m_edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(2, m_nRuns);
    EXPECT_FALSE(m_bWaited) << "Notepad is not waited for";
    EXPECT_EQ(CString(L"kept"), m_edit.GetWindowText());
}
