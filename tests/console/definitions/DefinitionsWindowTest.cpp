#include "GuiTest.h"

#include "ComboChoice.h"
#include "ImageListWatch.h"
#include "alarmmodel/AlarmVocabulary.h"
#include "console/definitions/CBelvaneDoc.h"
#include "console/definitions/CBelvaneFrame.h"
#include "console/definitions/CBelvaneView.h"
#include "console/definitions/CTestAllCriteriaDialog.h"
#include "MetafileTexts.h"
#include "framework/frames/CMDIFrameWnd.h"
#include "framework/frames/CMultiDocTemplate.h"
#include "framework/window/AfxIds.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CFileDialog.h"
#include "resources/console/BelvaneRes.h"
#include "resources/console/DefinitionsRes.h"
#include "support/SystemErrorText.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

namespace
{
std::string ReadFile(const wchar_t* pszPath)
{
    std::ifstream file(pszPath, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// The system's text for a refused write, as the messages show it.
CString AccessDenied()
{
    CString strText = CSystemErrorText(ERROR_ACCESS_DENIED, nullptr, nullptr, nullptr, nullptr, nullptr).m_strText;
    return strText.Trim();
}

CAlarmDefinition* MakeDefinition(const wchar_t* pszTitle, int nClass)
{
    auto* pDefinition = new CAlarmDefinition;
    pDefinition->m_strTitle = pszTitle;
    pDefinition->m_nClass = nClass;
    pDefinition->StampCreated();
    return pDefinition;
}

// Records what the framework would show for one command.
class CEnableRecorder : public CCmdUI
{
public:
    void Enable(BOOL bOn) override { m_bEnabled = bOn; }
    BOOL m_bEnabled = -1;
};

// The window as the console opens it (its document, frame and view from the template, in an
// MDI main frame), and its definitions file, the one file in the program folder: the checks
// that use it run in one test case, so that they never run side by side.
class DefinitionsWindowTest : public GuiTest
{
protected:
    DefinitionsWindowTest() : m_strFile(CAlarmDefinitionList::DefaultPath())
    {
        AfxSetMessageBoxFunction([this](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT) {
            m_strBox = pszText;
            m_strBoxCaption = pszCaption ? pszCaption : L"";
            ++m_nBoxes;
            return m_nAnswer;
        });
        m_pMain = new CMDIFrameWnd;
        EXPECT_TRUE(ShowMainFrame(m_pMain, IDR_MAINFRAME, 900, 600));
        m_pTemplate = new CMultiDocTemplate(IDR_DEFINITIONS, RUNTIME_CLASS(CBelvaneDoc), RUNTIME_CLASS(CBelvaneFrame),
                                            RUNTIME_CLASS(CBelvaneView));
        m_app.AddDocTemplate(m_pTemplate);
    }
    ~DefinitionsWindowTest() override
    {
        CloseView();
        m_pMain->DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        PumpUntilIdle();
        ::RemoveDirectoryW(m_strFile);
        ::DeleteFileW(m_strFile);
        AfxSetMessageBoxFunction(nullptr);
    }

    // Writes the file with the titles and classes given, in that collection order.
    void WriteDefinitions(std::initializer_list<std::pair<const wchar_t*, int>> definitions)
    {
        CAlarmDefinitionList list;
        for (const auto& entry : definitions)
            list.Add(MakeDefinition(entry.first, entry.second));
        ASSERT_TRUE(list.SaveFile(m_strFile));
    }

    // A definitions window on a new document, which reads the file.
    CBelvaneView& OpenView()
    {
        CloseView();
        CDocument* pDoc = m_pTemplate->OpenDocumentFile(nullptr);
        EXPECT_TRUE(pDoc != nullptr);
        PumpUntilIdle();
        m_pView = ViewOf(pDoc, 0);
        return *m_pView;
    }

    // Window > New Window on the active definitions window.
    CBelvaneView& OpenSecondWindow()
    {
        m_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_WINDOW_NEW, 0));
        PumpUntilIdle();
        CBelvaneView* pSecond = ViewOf(m_pView->GetDocument(), 1);
        EXPECT_TRUE(pSecond != nullptr && pSecond != m_pView);
        return *pSecond;
    }

    static CBelvaneView* ViewOf(CDocument* pDoc, int nIndex)
    {
        POSITION pos = pDoc ? pDoc->GetFirstViewPosition() : nullptr;
        for (CView* pView = nullptr; pos;)
        {
            pView = pDoc->GetNextView(pos);
            if (nIndex-- == 0)
                return (CBelvaneView*)pView;
        }
        return nullptr;
    }

    // Closes the document and with it every window on it.
    void CloseView()
    {
        if (m_pView && m_pView->GetDocument())
            m_pView->GetDocument()->OnCloseDocument();
        m_pView = nullptr;
        PumpUntilIdle();
    }

    // The titles of the rows in list order.
    CString RowTitles() { return RowTitles(*m_pView); }
    static CString RowTitles(CBelvaneView& view)
    {
        CString strTitles;
        CSortListCtrl& list = view.GetList();
        for (int i = 0; i < list.GetItemCount(); ++i)
            strTitles += list.GetItemText(i, 2) + L";";
        return strTitles;
    }

    // The titles in the definitions file, in file order.
    CString FileTitles()
    {
        CAlarmDefinitionList list;
        list.LoadFile(m_strFile);
        CString strTitles;
        for (int i = 0; i < list.GetCount(); ++i)
            strTitles += list.GetAt(i)->m_strTitle + L";";
        return strTitles;
    }

    void SelectRows(std::initializer_list<int> rows) { SelectRows(*m_pView, rows); }
    static void SelectRows(CBelvaneView& view, std::initializer_list<int> rows)
    {
        CSortListCtrl& list = view.GetList();
        list.SelectNone();
        for (int nRow : rows)
            list.SelectItem(nRow, TRUE);
    }

    static void SelectTitle(CBelvaneView& view, const wchar_t* pszTitle)
    {
        view.GetList().SelectNone();
        view.GetList().SelectByText(pszTitle, 2);
    }

    BOOL IsCommandEnabled(UINT nID)
    {
        CEnableRecorder state;
        state.m_nID = nID;
        m_pView->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        return state.m_bEnabled;
    }

    // Lists, deletes, activates, refuses a file without records and shows a failed save.
    void CheckEditing();
    // Copy proposes its title, selects the new row and keeps the original.
    void CheckCopy();
    // Test All lists the chosen source's definitions from the file.
    void CheckTestAll();
    // Two windows on the one collection: what one changes, the other shows and keeps.
    void CheckTwoWindows();
    // The window's image list goes once, with the window.
    void CheckImageList();
    // File Save writes the definitions file, Save As another one; the print lists the rows.
    void CheckFileCommands();

    CString m_strFile;
    CMDIFrameWnd* m_pMain = nullptr;
    CMultiDocTemplate* m_pTemplate = nullptr;
    CBelvaneView* m_pView = nullptr;
    CString m_strBox;
    CString m_strBoxCaption;
    int m_nBoxes = 0;
    int m_nAnswer = IDYES;
};
} // namespace

void DefinitionsWindowTest::CheckEditing()
{
    {
        SCOPED_TRACE("an empty window offers Add but no Test All");
        ::DeleteFileW(m_strFile);
        CBelvaneView& view = OpenView();
        EXPECT_EQ(0, view.GetList().GetItemCount());
        EXPECT_FALSE(IsCommandEnabled(ID_DEFINITIONS_TEST_ALL));
        EXPECT_FALSE(IsCommandEnabled(ID_DEFINITIONS_MODIFY));
    }
    // Source names sort as: Quorvex: Database (1) ... the rows follow the class column's text.
    WriteDefinitions({{L"A", 2}, {L"B", 0}, {L"C", 1}, {L"D", 0}, {L"E", 2}, {L"F", 1}, {L"G", 0}});
    CBelvaneView& view = OpenView();
    CSortListCtrl& list = view.GetList();
    {
        SCOPED_TRACE("rows sorted by class, one per definition");
        ASSERT_EQ(7, list.GetItemCount());
        for (int i = 1; i < list.GetItemCount(); ++i)
            EXPECT_LE(list.GetItemText(i - 1, 1).Compare(list.GetItemText(i, 1)), 0);
        EXPECT_EQ(0, list.GetItemImage(0));
        EXPECT_TRUE(IsCommandEnabled(ID_DEFINITIONS_TEST_ALL));
        EXPECT_FALSE(IsCommandEnabled(ID_DEFINITIONS_DELETE));
        SelectRows({0, 1});
        EXPECT_TRUE(IsCommandEnabled(ID_DEFINITIONS_DELETE));
        EXPECT_FALSE(IsCommandEnabled(ID_DEFINITIONS_TRIGGER));
    }
    {
        SCOPED_TRACE("No keeps everything");
        m_nAnswer = IDNO;
        SelectRows({1});
        view.OnDelete();
        EXPECT_EQ(7, list.GetItemCount());
        m_nAnswer = IDYES;
    }
    {
        SCOPED_TRACE("three non-adjacent rows go, and exactly those");
        SelectRows({0, 3, 5});
        CString strGone = list.GetItemText(0, 2) + list.GetItemText(3, 2) + list.GetItemText(5, 2);
        CString strKept = RowTitles();
        for (int nRow : {0, 3, 5})
            strKept.Replace(list.GetItemText(nRow, 2) + L";", L"");
        m_nBoxes = 0;
        view.OnDelete();
        EXPECT_EQ(1, m_nBoxes);
        EXPECT_EQ(CString(L"Delete"), m_strBoxCaption);
        EXPECT_EQ(4, list.GetItemCount());
        EXPECT_EQ(strKept, RowTitles());
        CString strFile = FileTitles();
        EXPECT_EQ(4, strFile.Remove(L';'));
        for (int i = 0; i < strGone.GetLength(); ++i)
            EXPECT_EQ(-1, strFile.Find(strGone[i])) << (char)strGone[i];
    }
    {
        SCOPED_TRACE("Deactivate and Activate change the image and the file");
        SelectRows({1});
        int nIndex = (int)list.GetItemData(1);
        view.OnDeactivate();
        EXPECT_EQ(2, list.GetItemImage(1));
        CAlarmDefinitionList file;
        file.LoadFile(m_strFile);
        EXPECT_FALSE(file.GetAt(nIndex)->m_bActive);
        view.OnActivate();
        EXPECT_EQ(0, list.GetItemImage(1));
        file.LoadFile(m_strFile);
        EXPECT_TRUE(file.GetAt(nIndex)->m_bActive);
    }
    {
        SCOPED_TRACE("a file without a whole record is refused and nothing is lost");
        std::string before = ReadFile(m_strFile);
        const wchar_t szOther[] = L"no-records.txt";
        std::ofstream(szOther) << "Tervok Alarm Definitions\nTITLE=cut short\n";
        m_nBoxes = 0;
        EXPECT_FALSE(view.LoadFromFile(szOther));
        EXPECT_EQ(1, m_nBoxes);
        EXPECT_EQ(4, view.GetDefinitions().GetCount());
        EXPECT_EQ(4, list.GetItemCount());
        EXPECT_EQ(before, ReadFile(m_strFile));
        ::DeleteFileW(szOther);
    }
    {
        SCOPED_TRACE("a failed save is shown with its reason");
        // A folder in the file's place cannot be replaced: refused as a standard user's write
        // to the program folder is.
        ::DeleteFileW(m_strFile);
        ASSERT_TRUE(::CreateDirectoryW(m_strFile, nullptr));
        SelectRows({0});
        m_nBoxes = 0;
        view.OnDeactivate();
        EXPECT_EQ(1, m_nBoxes);
        EXPECT_STREQ(L"The alarm definitions could not be written to " + m_strFile + L". " + AccessDenied() +
                         L" The changes are kept in the open definitions windows only.",
                     m_strBox);
        EXPECT_STREQ(L"Save Definitions", m_strBoxCaption);
        ::RemoveDirectoryW(m_strFile);
    }
}

namespace
{
CString g_strProposedTitle;

// Answers the modal sheet from inside its loop: notes the proposed title and presses OK.
void CALLBACK PressSheetOk(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    HWND hSheet = ::FindWindowW(nullptr, L"Copy Definition");
    if (!hSheet)
        return;
    ::KillTimer(nullptr, nIDEvent);
    HWND hPage = (HWND)::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    wchar_t szTitle[100] = {};
    ::GetDlgItemTextW(hPage, IDC_GENERAL_TITLE, szTitle, 100);
    g_strProposedTitle = szTitle;
    ::SendMessageW(hSheet, WM_COMMAND, IDOK, 0);
}
} // namespace

void DefinitionsWindowTest::CheckCopy()
{
    WriteDefinitions({{L"Disk", 0}, {L"Net", 2}});
    CBelvaneView& view = OpenView();
    CSortListCtrl& list = view.GetList();
    int nRow = list.GetItemText(0, 2) == L"Disk" ? 0 : 1;
    SelectRows({nRow});
    UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, PressSheetOk);
    view.OnCopy();
    ::KillTimer(nullptr, nTimer);
    EXPECT_EQ(CString(L"Copy of Disk"), g_strProposedTitle);
    ASSERT_EQ(3, list.GetItemCount());
    EXPECT_EQ(CString(L"Copy of Disk"), list.GetSelectedText(2));
    EXPECT_EQ(CString(L"Disk;Net;Copy of Disk;"), FileTitles());
}

TEST(TriggerRecordTest, AgentNameThenEveryFieldOfTheSourceAsTest)
{
    CAlarmDefinition definition;
    definition.m_nClass = 2;
    CStringArray arrNames;
    CStringArray arrValues;
    CBelvaneView::BuildTriggerRecord(definition, arrNames, arrValues);
    CUIntArray arrIds;
    CStringArray arrColumns;
    CStringArray arrLabels;
    GetAlarmFields(2, arrIds, arrColumns, arrLabels);
    ASSERT_EQ(arrColumns.GetSize() + 1, arrNames.GetSize());
    ASSERT_EQ(arrNames.GetSize(), arrValues.GetSize());
    EXPECT_EQ(CString(L"Agent Name"), arrNames[0]);
    EXPECT_EQ(CString(L"Local"), arrValues[0]);
    EXPECT_EQ(arrColumns[0], arrNames[1]);
    EXPECT_EQ(CString(L"Test"), arrValues[arrValues.GetSize() - 1]);
}

namespace
{
class CModelessTestAllDialog : public CTestAllCriteriaDialog
{
public:
    using CTestAllCriteriaDialog::CTestAllCriteriaDialog;
};
} // namespace

void DefinitionsWindowTest::CheckTestAll()
{
    CAlarmDefinitionList definitions;
    CAlarmDefinition* pDisk = MakeDefinition(L"Disk", 0);
    pDisk->m_arrCriteria.Add(L"101:0:disk");
    definitions.Add(pDisk);
    CAlarmDefinition* pOff = MakeDefinition(L"Off", 0);
    pOff->m_bActive = FALSE;
    definitions.Add(pOff);
    ASSERT_TRUE(definitions.SaveFile(m_strFile));

    auto pDialog = std::make_unique<CModelessTestAllDialog>(m_pMain);
    CModelessTestAllDialog& dialog = *pDialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_ALL_CRITERIA, m_pMain));
    HWND hClass = ::GetDlgItem(dialog.m_hWnd, IDC_TEST_CLASS);
    int nWindows = (int)::SendMessageW(hClass, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(const wchar_t*)TriggerSourceName(0));
    ChooseComboItem(&dialog, IDC_TEST_CLASS, nWindows);
    CSortListCtrl& results = dialog.GetResults();
    ASSERT_EQ(2, results.GetItemCount());
    EXPECT_EQ(CString(L"2 definition(s)"), GetText(&dialog, IDC_TEST_COUNT));
    EXPECT_EQ(2, results.GetItemImage(0));
    EXPECT_EQ(4, results.GetItemImage(1));
    EXPECT_EQ(CString(L"Not active"), results.GetItemText(1, 2));

    // A field chosen and a matching value: the active definition fires.
    HWND hField = ::GetDlgItem(dialog.m_hWnd, IDC_TEST_FIELD0);
    int nItem = (int)::SendMessageW(hField, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(const wchar_t*)AlarmFieldLabel(101));
    ChooseComboItem(&dialog, IDC_TEST_FIELD0, nItem);
    SetText(&dialog, IDC_TEST_VALUE0, L"Disk is full");
    EXPECT_EQ(0, results.GetItemImage(0));
    results.SelectItem(0, TRUE);
    PumpUntilIdle();
    EXPECT_TRUE(IsEnabled(&dialog, IDC_TEST_TRIGGER));
    results.SelectItem(0, FALSE);
    results.SelectItem(1, TRUE);
    PumpUntilIdle();
    EXPECT_FALSE(IsEnabled(&dialog, IDC_TEST_TRIGGER));

    // A source without definitions.
    int nOther = (int)::SendMessageW(hClass, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(const wchar_t*)TriggerSourceName(2));
    ChooseComboItem(&dialog, IDC_TEST_CLASS, nOther);
    EXPECT_EQ(CString(L"0 definition(s)"), GetText(&dialog, IDC_TEST_COUNT));
    EXPECT_FALSE(IsEnabled(&dialog, IDC_TEST_FIELD0));
    EXPECT_FALSE(IsEnabled(&dialog, IDC_TEST_VALUE0));

    CImageListWatch watch(results.GetImageList(LVSIL_SMALL));
    ASSERT_TRUE(watch.IsWatching());
    dialog.DestroyWindow();
    pDialog.reset();
    EXPECT_EQ(1, watch.DestroyCount()) << "the result list's pictures, destroyed by one owner";
}

void DefinitionsWindowTest::CheckTwoWindows()
{
    WriteDefinitions({{L"A", 0}, {L"B", 1}, {L"C", 2}});
    CBelvaneView& first = OpenView();
    CBelvaneView& second = OpenSecondWindow();
    ASSERT_EQ(3, second.GetList().GetItemCount());
    {
        SCOPED_TRACE("a definition deleted in one window");
        SelectTitle(first, L"B");
        first.OnDelete();
        EXPECT_STREQ(L"A;C;", FileTitles());
        EXPECT_STREQ(RowTitles(first), RowTitles(second)) << "goes from the other at once";
        EXPECT_EQ(2, second.GetList().GetItemCount());
    }
    {
        SCOPED_TRACE("and one deactivated in the other");
        SelectTitle(first, L"A");
        SelectTitle(second, L"C");
        second.OnDeactivate();
        EXPECT_STREQ(L"A;C;", FileTitles()) << "the deleted one stays deleted";
        CAlarmDefinitionList file;
        file.LoadFile(m_strFile);
        ASSERT_EQ(2, file.GetCount());
        EXPECT_TRUE(file.GetAt(0)->m_bActive);
        EXPECT_FALSE(file.GetAt(1)->m_bActive);
        EXPECT_STREQ(RowTitles(first), RowTitles(second));
        CSortListCtrl& list = first.GetList();
        for (int i = 0; i < list.GetItemCount(); ++i)
            EXPECT_EQ(list.GetItemText(i, 2) == L"C" ? 2 : 0, list.GetItemImage(i)) << list.GetItemText(i, 2);
        EXPECT_STREQ(L"A", list.GetSelectedText(2)) << "a flag changed elsewhere keeps the selection";
    }
}

void DefinitionsWindowTest::CheckImageList()
{
    WriteDefinitions({{L"A", 0}});
    CBelvaneView& view = OpenView();
    CImageListWatch watch(view.GetList().GetImageList(LVSIL_SMALL));
    ASSERT_TRUE(watch.IsWatching());
    CloseView();
    EXPECT_EQ(1, watch.DestroyCount()) << "the list's pictures, destroyed by one owner";
}

void DefinitionsWindowTest::CheckFileCommands()
{
    WriteDefinitions({{L"Disk", 1}, {L"Memory", 2}});
    OpenView();
    ASSERT_TRUE(::DeleteFileW(m_strFile));
    m_pMain->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    EXPECT_STREQ(L"Disk;Memory;", FileTitles()) << "Save wrote the definitions file again";

    CString strOther = m_strFile + L".other.txt";
    CString strTitle;
    CFileDialog::SetChooser([&](OPENFILENAMEW& ofn, BOOL) {
        strTitle = ofn.lpstrTitle;
        lstrcpynW(ofn.lpstrFile, strOther, (int)ofn.nMaxFile);
        return TRUE;
    });
    m_pMain->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
    CFileDialog::SetChooser(nullptr);
    EXPECT_STREQ(L"Select Alarm Definitions", strTitle);
    CAlarmDefinitionList other;
    other.LoadFile(strOther);
    EXPECT_EQ(2, other.GetCount()) << "Save As is Save To File";
    ::DeleteFileW(strOther);
    ASSERT_TRUE(::CreateDirectoryW(strOther, nullptr));
    CFileDialog::SetChooser([&](OPENFILENAMEW& ofn, BOOL) {
        lstrcpynW(ofn.lpstrFile, strOther, (int)ofn.nMaxFile);
        return TRUE;
    });
    m_nBoxes = 0;
    m_pMain->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
    CFileDialog::SetChooser(nullptr);
    ::RemoveDirectoryW(strOther);
    EXPECT_EQ(1, m_nBoxes);
    EXPECT_STREQ(L"The alarm definitions could not be written to " + strOther + L". " + AccessDenied(), m_strBox);
    EXPECT_STREQ(L"Save To File", m_strBoxCaption);

    CSize sizePage;
    std::vector<HENHMETAFILE> pages = m_pView->RecordPages(sizePage);
    std::vector<CString> texts = PagesTexts(pages);
    DeletePages(pages);
    for (const wchar_t* pszText : {L"Class", L"Title", L"Disk", L"Memory"})
        EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), CString(pszText))) << pszText;
    CloseView();
}

TEST_F(DefinitionsWindowTest, EditsTestsAndRewritesTheDefinitionsFile)
{
    {
        SCOPED_TRACE("editing");
        CheckEditing();
    }
    {
        SCOPED_TRACE("copy");
        CheckCopy();
    }
    {
        SCOPED_TRACE("test all");
        CheckTestAll();
    }
    {
        SCOPED_TRACE("two windows");
        CheckTwoWindows();
    }
    {
        SCOPED_TRACE("image list");
        CheckImageList();
    }
    {
        SCOPED_TRACE("file commands");
        CheckFileCommands();
    }
}
