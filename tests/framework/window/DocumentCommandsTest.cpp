#include "GuiTest.h"

#include "MetafileTexts.h"
#include "WindowTestsRes.h"
#include "framework/frames/CDocument.h"
#include "framework/frames/CFormView.h"
#include "framework/frames/CMDIChildWnd.h"
#include "framework/frames/CMDIFrameWnd.h"
#include "framework/frames/CMultiDocTemplate.h"
#include "framework/frames/CPreviewWnd.h"
#include "framework/frames/CPrintInfo.h"
#include "framework/gdi/CDC.h"
#include "framework/window/AfxMessageBox.h"

#include <vector>

namespace
{
class CPagesDoc : public CDocument
{
    DECLARE_DYNCREATE(CPagesDoc)
};
IMPLEMENT_DYNCREATE(CPagesDoc, CDocument)

// A form whose print makes s_nPages pages, each with its number on it.
class CPagesForm : public CFormView
{
    DECLARE_DYNCREATE(CPagesForm)
public:
    CPagesForm() : CFormView(IDD_FORM) {}
    static UINT s_nPages;
    static int s_nPagesPrinted;

    void OnBeginPrinting(CDC*, CPrintInfo* pInfo) override { pInfo->m_nMaxPage = s_nPages; }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        CString strText;
        strText.Format(L"Page %u of %u", pInfo->m_nCurPage, pInfo->m_nMaxPage);
        pDC->TextOut(10, 10, strText);
        ++s_nPagesPrinted;
    }
};
IMPLEMENT_DYNCREATE(CPagesForm, CFormView)
UINT CPagesForm::s_nPages = 3;
int CPagesForm::s_nPagesPrinted = 0;

// Takes the enabled state that the command's update gives.
class CStateCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = FALSE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
};

class DocumentCommandsTest : public GuiTest
{
protected:
    void SetUp() override
    {
        CPagesForm::s_nPages = 3;
        CPagesForm::s_nPagesPrinted = 0;
        m_pMain = new CMDIFrameWnd;
        ASSERT_TRUE(ShowMainFrame(m_pMain, IDR_MAINFRAME, 800, 600));
        m_pTemplate = new CMultiDocTemplate(IDR_REPORT, RUNTIME_CLASS(CPagesDoc), RUNTIME_CLASS(CMDIChildWnd),
                                            RUNTIME_CLASS(CPagesForm));
        m_app.AddDocTemplate(m_pTemplate);
        m_pDoc = m_pTemplate->OpenDocumentFile(nullptr);
        PumpUntilIdle();
        ASSERT_TRUE(m_pDoc != nullptr);
        POSITION pos = m_pDoc->GetFirstViewPosition();
        m_pForm = (CPagesForm*)m_pDoc->GetNextView(pos);
        m_hEdit = GetDlgItem(m_pForm->m_hWnd, IDC_FORM_EDIT);
    }
    ~DocumentCommandsTest() override
    {
        CPrintDialog::SetChooser(nullptr);
        AfxSetMessageBoxFunction(nullptr);
        if (m_app.m_pMainWnd == m_pMain)
            m_pMain->DestroyWindow();
        PumpUntilIdle();
    }

    void Command(UINT nID)
    {
        m_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0));
        PumpUntilIdle();
    }
    BOOL IsCommandEnabled(UINT nID)
    {
        CStateCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(m_pMain, TRUE);
        return ui.m_bEnabled;
    }
    // The edit commands' states, in the order Undo, Cut, Copy, Paste, as "1" and "0".
    std::string EditStates()
    {
        std::string strStates;
        for (UINT nID : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
            strStates += IsCommandEnabled(nID) ? '1' : '0';
        return strStates;
    }
    void PutOnClipboard(const wchar_t* pszText)
    {
        ASSERT_TRUE(OpenClipboard(m_pMain->m_hWnd));
        EmptyClipboard();
        if (pszText)
        {
            size_t nBytes = (wcslen(pszText) + 1) * sizeof(wchar_t);
            HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, nBytes);
            memcpy(GlobalLock(hText), pszText, nBytes);
            GlobalUnlock(hText);
            SetClipboardData(CF_UNICODETEXT, hText);
        }
        CloseClipboard();
    }
    CString EditText() { return CWnd::FromHandle(m_hEdit)->GetWindowText(); }
    // The preview windows this thread has open.
    std::vector<HWND> PreviewWindows()
    {
        std::vector<HWND> windows;
        EnumThreadWindows(GetCurrentThreadId(), CollectPreview, (LPARAM)&windows);
        return windows;
    }
    static BOOL CALLBACK CollectPreview(HWND hWnd, LPARAM lParam)
    {
        wchar_t szTitle[128] = L"";
        GetWindowTextW(hWnd, szTitle, 127);
        if (IsWindowVisible(hWnd) && wcsncmp(szTitle, L"Print Preview", 13) == 0)
            ((std::vector<HWND>*)lParam)->push_back(hWnd);
        return TRUE;
    }

    CMDIFrameWnd* m_pMain = nullptr;
    CMultiDocTemplate* m_pTemplate = nullptr;
    CDocument* m_pDoc = nullptr;
    CPagesForm* m_pForm = nullptr;
    HWND m_hEdit = nullptr;
};
} // namespace

// Undo, Cut, Copy and Paste reach the edit that has the focus, enabled by what it can do.
TEST_F(DocumentCommandsTest, EditCommandsActOnTheFocusedEditAsFarAsItCan)
{
    PutOnClipboard(nullptr);
    ::SetFocus(m_hEdit);
    SetWindowTextW(m_hEdit, L"hello");
    SendMessageW(m_hEdit, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(m_hEdit, EM_SETSEL, 5, 5);
    EXPECT_EQ("0000", EditStates()) << "nothing to undo, no selection, an empty clipboard";

    SendMessageW(m_hEdit, EM_SETSEL, 0, 5);
    EXPECT_EQ("0110", EditStates());
    Command(ID_EDIT_CUT);
    EXPECT_EQ(CString(), EditText());
    EXPECT_EQ("1001", EditStates()) << "the cut text can be undone and pasted";
    Command(ID_EDIT_PASTE);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(CString(L"hellohello"), EditText());
    Command(ID_EDIT_UNDO);
    EXPECT_NE(CString(L"hellohello"), EditText());

    // A read-only edit only copies.
    SendMessageW(m_hEdit, EM_SETREADONLY, TRUE, 0);
    SetWindowTextW(m_hEdit, L"fixed");
    SendMessageW(m_hEdit, EM_SETSEL, 0, 5);
    EXPECT_EQ("0010", EditStates());
    Command(ID_EDIT_CUT);
    EXPECT_EQ(CString(L"fixed"), EditText()) << "the accelerator of a greyed Cut changes nothing";
    PutOnClipboard(L"x");
    Command(ID_EDIT_COPY);
    ASSERT_TRUE(OpenClipboard(m_pMain->m_hWnd));
    HANDLE hText = GetClipboardData(CF_UNICODETEXT);
    EXPECT_STREQ(L"fixed", hText ? (const wchar_t*)GlobalLock(hText) : L"<none>");
    if (hText)
        GlobalUnlock(hText);
    CloseClipboard();

    // A password is neither cut nor copied.
    SendMessageW(m_hEdit, EM_SETREADONLY, FALSE, 0);
    SetWindowLongPtrW(m_hEdit, GWL_STYLE, GetWindowLongPtrW(m_hEdit, GWL_STYLE) | ES_PASSWORD);
    SendMessageW(m_hEdit, EM_SETSEL, 0, 5);
    EXPECT_EQ("0001", EditStates());

    // Elsewhere they are greyed and do nothing.
    ::SetFocus(GetDlgItem(m_pForm->m_hWnd, IDC_FORM_BUTTON));
    EXPECT_EQ("0000", EditStates());
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(CString(L"fixed"), EditText());
}

// File Close closes the active document with all its windows, and is greyed without one.
TEST_F(DocumentCommandsTest, FileCloseClosesTheActiveDocumentWithItsWindows)
{
    Command(ID_WINDOW_NEW);
    EXPECT_TRUE(IsCommandEnabled(ID_FILE_CLOSE));
    Command(ID_FILE_CLOSE);
    EXPECT_TRUE(m_pMain->MDIGetActive() == nullptr) << "both windows of the document closed";
    EXPECT_TRUE(m_pTemplate->GetFirstDocPosition() == nullptr);
    EXPECT_FALSE(IsCommandEnabled(ID_FILE_CLOSE));
    EXPECT_FALSE(IsCommandEnabled(ID_FILE_PRINT)) << "no view, nothing to print";
}

// The print asks for the printer on the application's printer; a cancel prints nothing, a
// printer that refuses the document is reported rather than taken for a print.
TEST_F(DocumentCommandsTest, PrintGoesThroughThePrintDialogAndReportsAFailedPrint)
{
    std::vector<CString> boxes;
    AfxSetMessageBoxFunction([&](HWND, const wchar_t* pszText, const wchar_t*, UINT) {
        boxes.push_back(pszText);
        return IDOK;
    });
    int nAsked = 0;
    HGLOBAL hDevNames = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + 64);
    CPrintDialog::SetChooser([&](PRINTDLGW& pd) {
        ++nAsked;
        EXPECT_TRUE(pd.Flags & PD_RETURNDC);
        EXPECT_EQ(m_app.m_hDevNames, pd.hDevNames) << "the printer chosen before";
        pd.hDevNames = hDevNames;
        return FALSE;
    });
    EXPECT_TRUE(IsCommandEnabled(ID_FILE_PRINT));
    Command(ID_FILE_PRINT);
    EXPECT_EQ(1, nAsked);
    EXPECT_EQ(0, CPagesForm::s_nPagesPrinted);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(hDevNames, m_app.m_hDevNames) << "the dialog's choice stays the application's";

    // A context that takes no document: no page is taken for printed.
    CPrintDialog::SetChooser([&](PRINTDLGW& pd) {
        pd.hDC = CreateCompatibleDC(nullptr);
        return TRUE;
    });
    Command(ID_FILE_PRINT);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_STREQ(L"The document could not be printed.", boxes[0]);
}

// The preview records the pages that the print makes and shows them one at a time; its Print
// button closes it and prints.
TEST_F(DocumentCommandsTest, PreviewShowsEveryPageAndPrintsFromItsButton)
{
    CSize sizePage;
    std::vector<HENHMETAFILE> pages = m_pForm->RecordPages(sizePage);
    ASSERT_EQ(3u, pages.size());
    EXPECT_GT(sizePage.cy, sizePage.cx) << "an upright page";
    std::vector<CString> expected = {L"Page 1 of 3", L"Page 2 of 3", L"Page 3 of 3"};
    EXPECT_EQ(expected, PagesTexts(pages));
    DeletePages(pages);

    Command(ID_FILE_PRINT_PREVIEW);
    std::vector<HWND> previews = PreviewWindows();
    ASSERT_EQ(1u, previews.size());
    CPreviewWnd* pPreview = (CPreviewWnd*)CWnd::FromHandlePermanent(previews[0]);
    ASSERT_TRUE(pPreview != nullptr);
    EXPECT_EQ(3u, pPreview->GetPageCount());
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(previews[0], CPreviewWnd::IDC_PREVIEW_PREV)));
    for (int i = 0; i < 3; i++)
        pPreview->SendMessage(WM_COMMAND, CPreviewWnd::IDC_PREVIEW_NEXT);
    EXPECT_EQ(3u, pPreview->GetCurrentPage()) << "the last page is as far as it goes";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(previews[0], CPreviewWnd::IDC_PREVIEW_NEXT)));

    int nAsked = 0;
    CPrintDialog::SetChooser([&](PRINTDLGW&) {
        ++nAsked;
        return FALSE;
    });
    pPreview->SendMessage(WM_COMMAND, CPreviewWnd::IDC_PREVIEW_PRINT);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(previews[0]));
    EXPECT_EQ(1, nAsked);

    // Closing the view's window first leaves a Print with nothing to print.
    Command(ID_FILE_PRINT_PREVIEW);
    previews = PreviewWindows();
    ASSERT_EQ(1u, previews.size());
    Command(ID_FILE_CLOSE);
    SendMessageW(previews[0], WM_COMMAND, CPreviewWnd::IDC_PREVIEW_PRINT, 0);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(previews[0]));
    EXPECT_EQ(1, nAsked);
}

namespace
{
// Refuses the creation of preview windows and keeps the handle it refused.
HWND g_hRefusedPreview = nullptr;
LRESULT CALLBACK RefusePreviewHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND)
    {
        const wchar_t* pszName = ((CBT_CREATEWNDW*)lParam)->lpcs->lpszName;
        if (pszName && !IS_INTRESOURCE(pszName) && wcsncmp(pszName, L"Print Preview", 13) == 0)
        {
            g_hRefusedPreview = (HWND)wParam;
            return 1;
        }
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
} // namespace

// A preview whose window cannot be made says so and leaves neither the preview nor its pages.
TEST_F(DocumentCommandsTest, APreviewThatCannotOpenSaysSoAndKeepsNothing)
{
    CString strShown;
    AfxSetMessageBoxFunction([&](HWND, const wchar_t* pszText, const wchar_t*, UINT) {
        strShown = pszText;
        return IDOK;
    });
    g_hRefusedPreview = nullptr;
    HHOOK hHook = SetWindowsHookExW(WH_CBT, RefusePreviewHook, nullptr, GetCurrentThreadId());
    Command(ID_FILE_PRINT_PREVIEW);
    UnhookWindowsHookEx(hHook);
    ASSERT_TRUE(g_hRefusedPreview != nullptr);
    EXPECT_TRUE(CWnd::FromHandlePermanent(g_hRefusedPreview) == nullptr) << "the preview was left behind";
    EXPECT_TRUE(PreviewWindows().empty());
    EXPECT_EQ(CString(L"The print preview could not be opened."), strShown);

    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(1u, PreviewWindows().size()) << "the next preview opens";
}
