#include "GuiTest.h"
#include "ModalAnswers.h"

#include "alarmmodel/AlarmDefinition.h"
#include "alarmmodel/AlarmDefinitionList.h"
#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/ScriptDefinitionMap.h"
#include "alarmmodel/channels/ScriptRunner.h"
#include "console/definitions/CAddActionDialog.h"
#include "console/scripts/CScriptDefine.h"
#include "console/scripts/CScriptManager.h"
#include "console/scripts/CScriptPreview.h"
#include "console/scripts/CScriptSelect.h"
#include "console/scripts/CScriptTest.h"
#include "console/scripts/ScriptTexts.h"
#include "framework/window/AfxMessageBox.h"
#include "resources/console/DefinitionsRes.h"
#include "resources/console/ScriptsRes.h"
#include "support/AppPaths.h"
#include "support/AppProfile.h"
#include "support/LinesFile.h"
#include "support/RegistryStore.h"
#include "support/StringEx.h"
#include "support/SystemErrorText.h"
#include "tests/support/TestSupport.h"

#include <string>

using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace
{
// Each batch run gets a console of its own (see the script runner's tests).
const BOOL DetachedFromConsole = FreeConsole();

// The script dialogs on a registry key and a scripts file of their own. Every test of this
// fixture writes the scripts file in the program folder: they take turns (the name's prefix).
class ScriptsFileDialogTest : public GuiTest
{
protected:
    ScriptsFileDialogTest()
    {
        m_strStoreKey.Format(L"SOFTWARE\\Tervok AG\\ScriptsTests-%lu", GetCurrentProcessId());
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_strStoreKey, L"Volatile");
        GetAppPaths().MakeUserDataFolder();
        DeleteFileW(CScriptDefinitionMap::DefaultPath());
        AfxSetMessageBoxFunction([this](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT) {
            m_arrBoxes.Add(CString(pszCaption) + L": " + pszText);
            return m_nBoxAnswer;
        });
    }
    ~ScriptsFileDialogTest() override
    {
        AfxSetMessageBoxFunction(nullptr);
        CScriptRunner::SetHostProgram(L"cscript");
        RemoveDirectoryW(CScriptDefinitionMap::DefaultPath());
        DeleteFileW(CScriptDefinitionMap::DefaultPath());
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strStoreKey);
    }

    void StoreScripts(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> scripts)
    {
        CScriptDefinitionMap map;
        for (const auto& script : scripts)
            map.SetScript(script.first, script.second);
        ASSERT_TRUE(map.Save());
    }

    static CString SortedStoredNames()
    {
        CScriptDefinitionMap map;
        map.Load();
        CStringArrayEx names;
        map.GetNames(names);
        names.Sort(TRUE);
        return names.Join(L"|");
    }

    static CString ListText(CSortListCtrl& list)
    {
        CString strText;
        for (int i = 0; i < list.GetItemCount(); ++i)
            strText += (i ? L"|" : L"") + list.GetItemText(i, 0);
        return strText;
    }

    void Open(CDialog& dialog, UINT nID)
    {
        ASSERT_TRUE(dialog.Create(nID, &Host()));
        dialog.ShowWindow(SW_SHOW);
        PumpUntilIdle();
    }

    // Fills the Define Script dialog and presses OK.
    static void Define(HWND hDialog, const wchar_t* pszTitle, const wchar_t* pszScript)
    {
        TypeItemText(hDialog, IDC_DEFINE_TITLE, pszTitle);
        TypeItemText(hDialog, IDC_DEFINE_SCRIPT, pszScript);
        ClickItem(hDialog, IDOK);
    }

    // Define Script as the Script Test dialog opens it: OK takes the text without a word.
    void ExpectTakenFromTheTestDialog(const wchar_t* pszScript)
    {
        CScriptDefine fromTest(&Host(), L".", pszScript, FALSE);
        Open(fromTest, IDD_SCRIPT_DEFINE);
        m_arrBoxes.RemoveAll();
        Click(&fromTest, IDOK);
        EXPECT_EQ(0, m_arrBoxes.GetSize());
        EXPECT_FALSE(fromTest.IsWindowVisible());
        fromTest.DestroyWindow();
    }

    // Defines twice, the question answered No for the first title and Yes for the second;
    // whether No left the dialog open.
    bool DefineNoThenYes(HWND hDialog, const wchar_t* pszNoTitle, const wchar_t* pszYesTitle, const wchar_t* pszScript)
    {
        m_nBoxAnswer = IDNO;
        Define(hDialog, pszNoTitle, pszScript);
        const bool bOpen = ::IsWindowVisible(hDialog) != FALSE;
        m_nBoxAnswer = IDYES;
        Define(hDialog, pszYesTitle, pszScript);
        return bOpen;
    }

    CString m_strStoreKey;
    CStringArray m_arrBoxes;
    int m_nBoxAnswer = IDYES;
};

CString Joined(const CStringArray& arr)
{
    CString strText;
    for (int i = 0; i < arr.GetSize(); ++i)
        strText += (i ? L"|" : L"") + arr[i];
    return strText;
}
} // namespace

TEST_F(ScriptsFileDialogTest, DefineScriptInsertsClassVariablesAndLoadsASample)
{
    CScriptDefine dialog(&Host(), L"", L"WScript.Echo 1", TRUE);
    Open(dialog, IDD_SCRIPT_DEFINE);
    // A title is needed for OK; "Test" needs only the text.
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    EXPECT_TRUE(IsEnabled(&dialog, IDC_DEFINE_TEST));
    SetText(&dialog, IDC_DEFINE_TITLE, L"  ");
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    SetText(&dialog, IDC_DEFINE_TITLE, L"Notify  ");
    TypeItemText(dialog.m_hWnd, IDC_DEFINE_SCRIPT, L"x");
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));
    TypeItemText(dialog.m_hWnd, IDC_DEFINE_SCRIPT, L"WScript.Echo 1");

    // The second source and its second field.
    CUIntArray arrIds;
    CStringArray arrColumns;
    CStringArray arrLabels;
    GetAlarmFields(2, arrIds, arrColumns, arrLabels);
    ASSERT_GE(arrIds.GetSize(), 2);
    ASSERT_TRUE(dialog.m_comboClass.SelectByData(2));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEFINE_CLASS, CBN_SELENDOK), (LPARAM)dialog.m_comboClass.m_hWnd);
    EXPECT_EQ(arrIds.GetSize(), dialog.m_comboField.GetCount());
    dialog.m_comboField.SetCurSel(1);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEFINE_FIELD, CBN_SELENDOK), (LPARAM)dialog.m_comboField.m_hWnd);
    CString strName;
    strName.Format(L"Const str%u", arrIds[1]);
    EXPECT_EQ(strName, GetText(&dialog, IDC_DEFINE_NAME));

    Click(&dialog, IDC_DEFINE_INSERT);
    CString strExpected = L"WScript.Echo 1";
    EnsureClassVariables(strExpected, ClassVariableLine(arrIds[1], TriggerSourceName(2), arrLabels[1]));
    EXPECT_EQ(strExpected, GetText(&dialog, IDC_DEFINE_SCRIPT));
    EXPECT_EQ(0, GetText(&dialog, IDC_DEFINE_SCRIPT).Find(L"\r\n' {{CLASS_VARIABLES (do not edit this block)\r\n" +
                                                           strName + L" = \"\"\t' "));

    // A sample replaces title and text: its title, the credit line, its body and the block.
    ASSERT_GT(dialog.m_comboSample.GetCount(), 0);
    dialog.m_comboSample.SetCurSel(0);
    CString strSample = dialog.m_comboSample.GetSelText();
    Click(&dialog, IDC_DEFINE_LOAD);
    CString strLoaded = GetText(&dialog, IDC_DEFINE_SCRIPT);
    EXPECT_EQ(strSample, GetText(&dialog, IDC_DEFINE_TITLE));
    EXPECT_EQ(0, strLoaded.Find(L"' " + strSample + L"\r\n' "));
    EXPECT_NE(-1, strLoaded.Find(L"' }}CLASS_VARIABLES (do not edit this block)"));
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));
    SaveScreenshot(L"script-define.png");
    dialog.DestroyWindow();

    // Opened from the Script Test dialog: no title to edit, no test.
    CScriptDefine fromTest(&Host(), L".", L"x", FALSE);
    Open(fromTest, IDD_SCRIPT_DEFINE);
    EXPECT_FALSE(IsEnabled(&fromTest, IDC_DEFINE_TITLE));
    EXPECT_FALSE(fromTest.GetDlgItem(IDC_DEFINE_TEST)->IsWindowVisible());
    EXPECT_TRUE(IsEnabled(&fromTest, IDOK));
    fromTest.DestroyWindow();
}

TEST_F(ScriptsFileDialogTest, ManagerListsAddsModifiesCopiesAndDeletesAndOnlyOkWritesTheFile)
{
    StoreScripts({{L"beta", L"WScript.Echo \"b\""}, {L"alpha", L"WScript.Echo \"a\""}});
    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    EXPECT_EQ(CString(L"alpha|beta"), ListText(manager.m_list));
    EXPECT_FALSE(IsEnabled(&manager, IDOK));
    EXPECT_FALSE(IsEnabled(&manager, IDC_SCRIPTS_MODIFY));

    manager.m_list.SelectItem(1, TRUE);
    PumpUntilIdle();
    EXPECT_EQ(CString(L"WScript.Echo \"b\""), GetText(&manager, IDC_SCRIPTS_TEXT));
    EXPECT_TRUE(IsEnabled(&manager, IDC_SCRIPTS_MODIFY));
    EXPECT_TRUE(IsEnabled(&manager, IDC_SCRIPTS_COPY));
    EXPECT_TRUE(IsEnabled(&manager, IDC_SCRIPTS_DELETE));

    // Add; a title that exists already replaces that script after a question.
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [](HWND h) { Define(h, L"gamma", L"WScript.Echo \"g\""); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    EXPECT_EQ(CString(L"alpha|beta|gamma"), ListText(manager.m_list));
    EXPECT_EQ(CString(L"gamma"), manager.m_list.GetSelectedText(0));
    EXPECT_EQ(CString(L"WScript.Echo \"g\""), GetText(&manager, IDC_SCRIPTS_TEXT));
    EXPECT_TRUE(IsEnabled(&manager, IDOK));
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [](HWND h) { Define(h, L"alpha", L"WScript.Echo \"A\""); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    EXPECT_EQ(CString(L"alpha|beta|gamma"), ListText(manager.m_list));
    EXPECT_EQ(CString(L"WScript.Echo \"A\""), GetText(&manager, IDC_SCRIPTS_TEXT));
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"Define Script: A script titled \"alpha\" exists already. Replace it ?"), m_arrBoxes[0]);
    m_arrBoxes.RemoveAll();

    // Modify under a new title leaves the script under that title only; Copy offers "Copy of".
    manager.m_list.SelectNone();
    manager.m_list.SelectByText(L"beta", 0);
    PumpUntilIdle();
    std::wstring strOffered;
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script",
                          [&](HWND h) {
                              strOffered = DialogItemText(h, IDC_DEFINE_TITLE) + L"=" + DialogItemText(h, IDC_DEFINE_SCRIPT);
                              Define(h, L"delta", L"WScript.Echo \"d\"");
                          })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_MODIFY); }));
    EXPECT_EQ(L"beta=WScript.Echo \"b\"", strOffered);
    EXPECT_EQ(CString(L"alpha|delta|gamma"), ListText(manager.m_list));
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script",
                          [&](HWND h) {
                              strOffered = DialogItemText(h, IDC_DEFINE_TITLE);
                              ClickItem(h, IDOK);
                          })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_COPY); }));
    EXPECT_EQ(L"Copy of delta", strOffered);
    EXPECT_EQ(CString(L"Copy of delta|alpha|delta|gamma"), ListText(manager.m_list));

    // Delete asks, and with No keeps everything.
    manager.m_list.SelectNone();
    manager.m_list.SelectByText(L"alpha", 0);
    manager.m_list.SelectByText(L"gamma", 0);
    PumpUntilIdle();
    m_nBoxAnswer = IDNO;
    Click(&manager, IDC_SCRIPTS_DELETE);
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"Delete: Really delete the selected scripts ?"), m_arrBoxes[0]);
    EXPECT_EQ(4, manager.m_list.GetItemCount());
    m_nBoxAnswer = IDYES;
    Click(&manager, IDC_SCRIPTS_DELETE);
    EXPECT_EQ(CString(L"Copy of delta|delta"), ListText(manager.m_list));

    // Nothing reached the file before OK.
    EXPECT_EQ(CString(L"alpha|beta"), SortedStoredNames());
    SaveScreenshot(L"script-manager.png");
    Click(&manager, IDOK);
    PumpUntilIdle();
    EXPECT_EQ(CString(L"Copy of delta|delta"), SortedStoredNames());
}

TEST_F(ScriptsFileDialogTest, CancelledManagerLeavesTheFile)
{
    StoreScripts({{L"alpha", L"WScript.Echo \"a\""}});
    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [](HWND h) { Define(h, L"beta", L"WScript.Echo \"b\""); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    // Delete without a selection asks nothing.
    manager.m_list.SelectNone();
    PumpUntilIdle();
    manager.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SCRIPTS_DELETE, BN_CLICKED), 0);
    EXPECT_EQ(0, m_arrBoxes.GetSize());
    Click(&manager, IDCANCEL);
    PumpUntilIdle();
    EXPECT_EQ(CString(L"alpha"), SortedStoredNames());
}

// Pasted text brings typographic quotes, dashes and the euro sign, which the 8-bit scripts file
// cannot hold: Define Script refuses them on OK, where they can still be changed.
TEST_F(ScriptsFileDialogTest, DefineScriptRefusesCharactersTheScriptsFileCannotHold)
{
    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    bool bStillOpen = false;
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script",
                          [&](HWND h) {
                              Define(h, L"pasted", L"WScript.Echo \u201Cdone\u201D");
                              bStillOpen = ::IsWindowVisible(h) != FALSE;
                              Define(h, L"pasted", L"WScript.Echo \"done\"");
                          })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    EXPECT_TRUE(bStillOpen);
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    EXPECT_EQ(0, m_arrBoxes[0].Find(L"Define Script: ")) << m_arrBoxes[0].GetString();
    EXPECT_NE(-1, m_arrBoxes[0].Find(L"\"\u201C\" (U+201C)")) << m_arrBoxes[0].GetString();
    EXPECT_EQ(CString(L"pasted"), ListText(manager.m_list));
    EXPECT_EQ(CString(L"WScript.Echo \"done\""), GetText(&manager, IDC_SCRIPTS_TEXT));
    Click(&manager, IDOK);
    PumpUntilIdle();
    EXPECT_EQ(CString(L"pasted"), SortedStoredNames());

    // Opened from the Script Test dialog the text is run, never stored: any character goes.
    ExpectTakenFromTheTestDialog(L"WScript.Echo \u20AC");
}

// The scripts file writes line breaks, TABs and form feeds as escape texts: the same text typed
// would come back as the character. Define Script refuses it on OK with the text selected.
TEST_F(ScriptsFileDialogTest, DefineScriptRefusesEscapeTextsOfTheScriptsFile)
{
    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    bool bStillOpen = false;
    DWORD dwScriptSelection = 0, dwTitleSelection = 0;
    HWND hFocusAfterScript = nullptr, hFocusAfterTitle = nullptr, hScript = nullptr, hTitle = nullptr;
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script",
                          [&](HWND h) {
                              hScript = ::GetDlgItem(h, IDC_DEFINE_SCRIPT);
                              hTitle = ::GetDlgItem(h, IDC_DEFINE_TITLE);
                              Define(h, L"typed", L"WScript.Echo \"a{{-\\n-}}b\"");
                              bStillOpen = ::IsWindowVisible(h) != FALSE;
                              dwScriptSelection = (DWORD)::SendMessageW(hScript, EM_GETSEL, 0, 0);
                              hFocusAfterScript = ::GetFocus();
                              PumpUntilIdle();
                              SaveScreenshot(L"script-define-refused.png");
                              Define(h, L"typed {{-\\t-}}", L"WScript.Echo \"a\"");
                              dwTitleSelection = (DWORD)::SendMessageW(hTitle, EM_GETSEL, 0, 0);
                              hFocusAfterTitle = ::GetFocus();
                              Define(h, L"typed", L"WScript.Echo \"a\"");
                          })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    EXPECT_TRUE(bStillOpen);
    ASSERT_EQ(2, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"Define Script: The scripts file cannot hold the text \"{{-\\n-}}\": it would read it back as "
                      L"a line feed. Please change it."),
              m_arrBoxes[0]);
    EXPECT_EQ(CString(L"Define Script: The scripts file cannot hold the text \"{{-\\t-}}\": it would read it back as "
                      L"a TAB. Please change it."),
              m_arrBoxes[1]);
    EXPECT_EQ(MAKELONG(15, 23), (LONG)dwScriptSelection);
    EXPECT_EQ(hScript, hFocusAfterScript);
    EXPECT_EQ(MAKELONG(6, 14), (LONG)dwTitleSelection);
    EXPECT_EQ(hTitle, hFocusAfterTitle);
    EXPECT_EQ(CString(L"typed"), ListText(manager.m_list));
    Click(&manager, IDOK);
    PumpUntilIdle();
    EXPECT_FALSE(manager.IsWindowVisible());

    // Opened from the Script Test dialog the text is run, never stored: it is taken as typed.
    ExpectTakenFromTheTestDialog(L"WScript.Echo \"{{-\\n-}}\"");
}

// A scripts file that cannot be written (here a folder in its place, refused as a standard
// user's write to the program folder is) is reported with the system's reason, and the Manager
// stays open with its changes, so that OK can be tried again.
TEST_F(ScriptsFileDialogTest, ManagerThatCannotSaveSaysWhyAndKeepsItsChanges)
{
    const CString strPath = CScriptDefinitionMap::DefaultPath();
    ASSERT_TRUE(CreateDirectoryW(strPath, nullptr));
    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [](HWND h) { Define(h, L"alpha", L"WScript.Echo 1"); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    Click(&manager, IDOK);
    PumpUntilIdle();
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    CString strReason = CSystemErrorText(ERROR_ACCESS_DENIED, nullptr, nullptr, nullptr, nullptr, nullptr).m_strText;
    EXPECT_EQ(0, m_arrBoxes[0].Find(L"Save Scripts: The scripts could not be written to " + strPath + L". " +
                                    strReason.Trim() + L" The changes are kept in the Script Manager only."))
        << m_arrBoxes[0].GetString();
    EXPECT_TRUE(manager.IsWindowVisible());
    EXPECT_EQ(CString(L"alpha"), ListText(manager.m_list));

    RemoveDirectoryW(strPath);
    Click(&manager, IDOK);
    PumpUntilIdle();
    EXPECT_FALSE(manager.IsWindowVisible());
    EXPECT_EQ(CString(L"alpha"), SortedStoredNames());
}

// Manager > Modify > Define Script > Test > Select > Script Manager opens a second Manager on
// the file. What it saves stays when the first one saves; where both changed one script, the
// first asks whether its own change wins.
TEST_F(ScriptsFileDialogTest, ManagerOpenedInsideAnotherKeepsWhatItSaved)
{
    StoreScripts({{L"alpha", L"a"}, {L"beta", L"b"}});
    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [](HWND h) { Define(h, L"outer", L"o"); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    manager.m_list.SelectNone();
    manager.m_list.SelectByText(L"alpha", 0);
    PumpUntilIdle();
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [](HWND h) { ClickItem(h, IDC_DEFINE_TEST); })
                    .Then(L"Script Test", [](HWND h) { ClickItem(h, IDC_RUN_SELECT); })
                    .Then(L"Script Select", [](HWND h) { ClickItem(h, IDC_SCRIPTS_MANAGER); })
                    .Then(L"Script Manager", [](HWND h) { ClickItem(h, IDC_SCRIPTS_ADD); })
                    .Then(L"Define Script", [](HWND h) { Define(h, L"inner", L"i"); })
                    .Then(L"Script Manager",
                          [](HWND h) {
                              SelectListRow(h, IDC_SCRIPTS_LIST, L"beta");
                              ClickItem(h, IDC_SCRIPTS_DELETE);
                              SelectListRow(h, IDC_SCRIPTS_LIST, L"alpha");
                              ClickItem(h, IDC_SCRIPTS_MODIFY);
                          })
                    .Then(L"Define Script",
                          [](HWND h) {
                              TypeItemText(h, IDC_DEFINE_SCRIPT, L"a2");
                              ClickItem(h, IDOK);
                          })
                    .Then(L"Script Manager", [](HWND h) { ClickItem(h, IDOK); })
                    .Then(L"Script Select", [](HWND h) { ClickItem(h, IDCANCEL); })
                    .Then(L"Script Test", [](HWND h) { ClickItem(h, IDCANCEL); })
                    .Then(L"Define Script",
                          [](HWND h) {
                              TypeItemText(h, IDC_DEFINE_SCRIPT, L"a3");
                              ClickItem(h, IDOK);
                          })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_MODIFY); }));
    EXPECT_STREQ(L"alpha|inner", SortedStoredNames());
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    m_arrBoxes.RemoveAll();

    m_nBoxAnswer = IDNO;
    Click(&manager, IDOK);
    PumpUntilIdle();
    EXPECT_FALSE(manager.IsWindowVisible());
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    EXPECT_EQ(0, m_arrBoxes[0].Find(L"Script Manager: ")) << m_arrBoxes[0].GetString();
    EXPECT_NE(-1, m_arrBoxes[0].Find(L"\"alpha\"")) << m_arrBoxes[0].GetString();
    EXPECT_STREQ(L"alpha|inner|outer", SortedStoredNames());
    CScriptDefinitionMap stored;
    stored.Load();
    EXPECT_EQ(CString(L"a2"), stored.Lookup(L"alpha"));
    EXPECT_EQ(CString(L"o"), stored.Lookup(L"outer"));
}

// A file that gives no script at OK (another program holding it, say) costs no script: the
// Manager then writes its whole copy.
TEST_F(ScriptsFileDialogTest, ManagerFindingNoScriptInTheFileAtOkWritesItsWholeCopy)
{
    StoreScripts({{L"alpha", L"a"}, {L"beta", L"b"}});
    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [](HWND h) { Define(h, L"gamma", L"g"); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    HANDLE hFile = CreateFileW(CScriptDefinitionMap::DefaultPath(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CloseHandle(hFile);
    Click(&manager, IDOK);
    PumpUntilIdle();
    EXPECT_FALSE(manager.IsWindowVisible());
    EXPECT_STREQ(L"alpha|beta|gamma", SortedStoredNames());
}

// A file cut inside a record at OK is damaged, not the truth: the Manager says so and writes
// nothing, so the scripts past the cut, which it never touched, stay in the file; once the file
// is whole again OK saves into it.
TEST_F(ScriptsFileDialogTest, ManagerFindingTheFileCutAtOkSaysSoAndLosesNoScript)
{
    StoreScripts({{L"alpha", L"a"}, {L"beta", L"b"}, {L"gamma", L"g"}});
    const CString strPath = CScriptDefinitionMap::DefaultPath();
    const std::string whole = ReadBytes(strPath);
    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [](HWND h) { Define(h, L"delta", L"d"); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    const size_t nSecond = whole.find("\r\n100 ", whole.find("@EOR@"));
    ASSERT_NE(std::string::npos, nSecond);
    const std::string cut = whole.substr(0, nSecond + 9);
    WriteBytes(strPath, cut);

    Click(&manager, IDOK);
    PumpUntilIdle();
    EXPECT_TRUE(cut == ReadBytes(strPath)) << "written: " << CStringA(SortedStoredNames()).GetString();
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"Save Scripts: The scripts file ") + strPath +
                  L" is damaged: its script record 2 is cut short. It was not written, so that the scripts past the "
                  L"damage are kept. The changes are kept in the Script Manager only.",
              m_arrBoxes[0]);
    EXPECT_TRUE(manager.IsWindowVisible());
    EXPECT_EQ(CString(L"alpha|beta|delta|gamma"), ListText(manager.m_list));

    WriteBytes(strPath, whole);
    Click(&manager, IDOK);
    PumpUntilIdle();
    EXPECT_FALSE(manager.IsWindowVisible());
    EXPECT_STREQ(L"alpha|beta|delta|gamma", SortedStoredNames());
}

// The list shows no trailing blanks: a title that differs from another only by them is asked
// about as the same title, and Yes replaces that script under its own title, so one row stays.
TEST_F(ScriptsFileDialogTest, TitleDifferingOnlyByTrailingBlanksIsTheSameTitle)
{
    StoreScripts({{L"alpha", L"a"}, {L"beta", L"b"}});
    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    bool bOpenAfterNo = false;
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script",
                          [&](HWND h) { bOpenAfterNo = DefineNoThenYes(h, L"alpha  ", L"alpha \t", L"a2"); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    EXPECT_TRUE(bOpenAfterNo);
    ASSERT_EQ(2, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"Define Script: A script titled \"alpha\" exists already. Replace it ?"), m_arrBoxes[0]);
    EXPECT_EQ(m_arrBoxes[0], m_arrBoxes[1]);
    EXPECT_EQ(CString(L"alpha|beta"), ListText(manager.m_list));
    EXPECT_EQ(CString(L"a2"), manager.m_scripts.Lookup(L"alpha"));

    // Modify: another script's title with a blank replaces it; the script's own title with a
    // blank is still its title.
    m_arrBoxes.RemoveAll();
    manager.m_list.SelectNone();
    manager.m_list.SelectByText(L"beta", 0);
    PumpUntilIdle();
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [](HWND h) { Define(h, L"beta ", L"b2"); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_MODIFY); }));
    EXPECT_EQ(0, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"alpha|beta"), ListText(manager.m_list));
    EXPECT_EQ(CString(L"b2"), manager.m_scripts.Lookup(L"beta"));
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [](HWND h) { Define(h, L"alpha ", L"b3"); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_MODIFY); }));
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"Define Script: A script titled \"alpha\" exists already. Replace it ?"), m_arrBoxes[0]);
    EXPECT_EQ(CString(L"alpha"), ListText(manager.m_list));
    EXPECT_EQ(CString(L"b3"), manager.m_scripts.Lookup(L"alpha"));
    Click(&manager, IDOK);
    PumpUntilIdle();
    EXPECT_STREQ(L"alpha", SortedStoredNames());
}

// A script pasted whole arrives whole, beyond the 30,000 characters an edit box takes at first:
// in Define Script (up to the Manager and the file), in the Script Test dialog and in the
// preview of its run.
TEST_F(ScriptsFileDialogTest, LongPastedScriptArrivesWhole)
{
    CString strLong;
    for (int i = 0; strLong.GetLength() < 40000; ++i)
        strLong.AppendFormat(L"WScript.Echo \"line %05d of a pasted script\"\r\n", i);
    strLong += L"WScript.Echo \"end\"";
    ASSERT_GT(strLong.GetLength(), 40000);

    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [&](HWND h) { Define(h, L"long", strLong); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    EXPECT_EQ(strLong.GetLength(), manager.m_scripts.Lookup(L"long").GetLength());
    EXPECT_TRUE(strLong == manager.m_scripts.Lookup(L"long"));
    Click(&manager, IDOK);
    PumpUntilIdle();
    CScriptDefinitionMap stored;
    stored.Load();
    EXPECT_TRUE(strLong == stored.Lookup(L"long"));

    CScriptTest test(&Host(), L"x = 1");
    Open(test, IDD_SCRIPT_TEST);
    TypeItemText(test.m_hWnd, IDC_RUN_SCRIPT, strLong);
    EXPECT_EQ(strLong.GetLength(), test.m_strScript.GetLength());
    test.DestroyWindow();

    CScriptPreview preview(&Host(), strLong);
    Open(preview, IDD_SCRIPT_PREVIEW);
    HWND hPreview = ::GetDlgItem(preview.m_hWnd, IDC_PREVIEW_SCRIPT);
    ::SendMessageW(hPreview, EM_SETSEL, strLong.GetLength(), strLong.GetLength());
    ::SendMessageW(hPreview, EM_REPLACESEL, TRUE, (LPARAM)L"\r\nWScript.Echo \"typed\"");
    Click(&preview, IDOK);
    EXPECT_TRUE(strLong + L"\r\nWScript.Echo \"typed\"" == preview.m_strScript) << preview.m_strScript.GetLength();
}

// A title of another script replaces it only after a question, also when Define Script's Load
// brings the title; a script that alarm definitions run is renamed only after a question that
// names them.
TEST_F(ScriptsFileDialogTest, ReplacingOrRenamingAScriptAsksFirstAndNamesTheDefinitions)
{
    StoreScripts({{L"alpha", L"a"}, {L"beta", L"b"}});
    const CString strDefinitions = CAlarmDefinitionList::DefaultPath();
    {
        CAlarmDefinitionList definitions;
        const wchar_t* const entries[][2] = {{L"Disk", L"5:alpha"}, {L"Net", L"0:ops@example.com"},
                                             {L"Service", L"5:alpha"}, {L"Other", L"5:beta"}};
        for (const auto& entry : entries)
        {
            auto* pDefinition = new CAlarmDefinition;
            pDefinition->m_strTitle = entry[0];
            pDefinition->m_arrActions.Add(entry[1]);
            definitions.Add(pDefinition);
        }
        ASSERT_TRUE(definitions.Save());
    }
    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    manager.m_list.SelectByText(L"alpha", 0);
    PumpUntilIdle();
    bool bOpenAfterNo = false;
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script", [&](HWND h) { bOpenAfterNo = DefineNoThenYes(h, L"beta", L"gamma", L"a"); })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_MODIFY); }));
    DeleteFileW(strDefinitions);
    EXPECT_TRUE(bOpenAfterNo);
    ASSERT_EQ(2, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"Define Script: A script titled \"beta\" exists already. Replace it ?"), m_arrBoxes[0]);
    EXPECT_NE(-1, m_arrBoxes[1].Find(L"\"alpha\"")) << m_arrBoxes[1].GetString();
    EXPECT_NE(-1, m_arrBoxes[1].Find(L"\"Disk\", \"Service\"")) << m_arrBoxes[1].GetString();
    EXPECT_EQ(-1, m_arrBoxes[1].Find(L"Other")) << m_arrBoxes[1].GetString();
    EXPECT_EQ(CString(L"beta|gamma"), ListText(manager.m_list));
    EXPECT_EQ(CString(L"a"), manager.m_scripts.Lookup(L"gamma"));
    EXPECT_EQ(CString(L"b"), manager.m_scripts.Lookup(L"beta"));

    // Load brings a sample's title: it may be the title of another script.
    std::wstring strSample;
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script",
                          [&](HWND h) {
                              ClickItem(h, IDC_DEFINE_LOAD);
                              strSample = DialogItemText(h, IDC_DEFINE_TITLE);
                              ClickItem(h, IDOK);
                          })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_ADD); }));
    ASSERT_FALSE(strSample.empty());
    const CString strSampleText = manager.m_scripts.Lookup(strSample.c_str());
    manager.m_list.SelectNone();
    manager.m_list.SelectByText(L"beta", 0);
    PumpUntilIdle();
    m_arrBoxes.RemoveAll();
    m_nBoxAnswer = IDNO;
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script",
                          [&](HWND h) {
                              ClickItem(h, IDC_DEFINE_LOAD);
                              ClickItem(h, IDOK);
                              ClickItem(h, IDCANCEL);
                          })
                    .Run([&] { Click(&manager, IDC_SCRIPTS_MODIFY); }));
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"Define Script: A script titled \"") + strSample.c_str() + L"\" exists already. Replace it ?",
              m_arrBoxes[0]);
    EXPECT_EQ(CString(L"b"), manager.m_scripts.Lookup(L"beta"));
    EXPECT_EQ(strSampleText, manager.m_scripts.Lookup(strSample.c_str()));
    manager.DestroyWindow();
}

// The action dialog's "..." picks a stored script; the Manager saves to the file that the
// alarm actions run their scripts from.
TEST_F(ScriptsFileDialogTest, ScriptSelectFillsTheActionsScriptNameFromTheFileTheActionsRead)
{
    StoreScripts({{L"alpha", L"WScript.Echo \"a\""}});
    CAddActionDialog action(&Host(), -1, CString(), L"Disk");
    Open(action, IDD_ADD_ACTION);
    ::SendDlgItemMessageW(action.m_hWnd, IDC_ACTION_SCRIPT_KIND, BM_CLICK, 0, 0);
    PumpUntilIdle();
    EXPECT_FALSE(IsEnabled(&action, IDOK));

    // In the Select dialog, the Manager adds a script; the list shows it at once.
    std::wstring strListed;
    bool bOkBeforeSelection = true;
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Script Select",
                          [&](HWND h) {
                              bOkBeforeSelection = ::IsWindowEnabled(::GetDlgItem(h, IDOK)) != FALSE;
                              ClickItem(h, IDC_SCRIPTS_MANAGER);
                          })
                    .Then(L"Script Manager", [](HWND h) { ClickItem(h, IDC_SCRIPTS_ADD); })
                    .Then(L"Define Script", [](HWND h) { Define(h, L"notify", L"WScript.Echo \"from \" & \"notify\""); })
                    .Then(L"Script Manager", [](HWND h) { ClickItem(h, IDOK); })
                    .Then(L"Script Select",
                          [&](HWND h) {
                              HWND hList = ::GetDlgItem(h, IDC_SCRIPTS_LIST);
                              int nCount = (int)::SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0);
                              for (int i = 0; i < nCount; ++i)
                              {
                                  wchar_t szText[64] = L"";
                                  LVITEMW item = {};
                                  item.iSubItem = 0;
                                  item.pszText = szText;
                                  item.cchTextMax = 64;
                                  ::SendMessageW(hList, LVM_GETITEMTEXTW, i, (LPARAM)&item);
                                  strListed += std::wstring(i ? L"|" : L"") + szText;
                                  if (wcscmp(szText, L"notify") == 0)
                                  {
                                      item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
                                      ::SendMessageW(hList, LVM_SETITEMSTATE, i, (LPARAM)&item);
                                  }
                              }
                              SaveScreenshot(L"script-select.png");
                              ClickItem(h, IDOK);
                          })
                    .Run([&] { Click(&action, IDC_ACTION_SCRIPT_BROWSE); }));
    EXPECT_FALSE(bOkBeforeSelection);
    EXPECT_NE(std::wstring::npos, strListed.find(L"notify"));
    EXPECT_EQ(CString(L"notify"), GetText(&action, IDC_ACTION_SCRIPT));
    EXPECT_TRUE(IsEnabled(&action, IDOK));
    Click(&action, IDOK);
    EXPECT_EQ(5, action.m_nKind);
    EXPECT_EQ(CString(L"notify"), action.m_strParameter);

    // A script action of that name runs the script the Manager saved.
    CScriptRunner::SetHostProgram(GetAppPaths().GetProgramFolder() + L"script_host.exe");
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    definition.m_arrActions.Add(L"5:" + action.m_strParameter);
    CStringArray arrNames;
    CStringArray arrValues;
    CStringArray arrTrigger;
    CStringArray arrLog;
    definition.ExecuteAlarmActions(L"console", L"1700000000", arrNames, arrValues, arrTrigger, arrLog);
    EXPECT_NE(-1, Joined(arrLog).Find(L"|from notify|")) << Joined(arrLog).GetString();
}

TEST_F(ScriptsFileDialogTest, PreviewAddsSampleValuesThenDiagnosticLinesOnce)
{
    CUIntArray arrIds;
    CStringArray arrColumns;
    CStringArray arrLabels;
    GetAlarmFields(998, arrIds, arrColumns, arrLabels);
    ASSERT_GT(arrIds.GetSize(), 0);
    CString strConstant;
    strConstant.Format(L"Const str%u = \"\"", arrIds[0]);
    CString strScript = L"' {{CLASS_VARIABLES (do not edit this block)\r\n" + strConstant +
                        L"\r\nConst str99999 = \"\"\r\n' }}CLASS_VARIABLES (do not edit this block)\r\nx = 1";
    CScriptPreview preview(&Host(), strScript);
    Open(preview, IDD_SCRIPT_PREVIEW);
    EXPECT_EQ(strScript, GetText(&preview, IDC_PREVIEW_SCRIPT));
    EXPECT_FALSE(IsEnabled(&preview, IDC_PREVIEW_DIAGNOSTICS));

    Click(&preview, IDC_PREVIEW_SAMPLE_VALUES);
    CString strFilled = GetText(&preview, IDC_PREVIEW_SCRIPT);
    CString strVariable;
    strVariable.Format(L"str%u", arrIds[0]);
    ASSERT_EQ(1, preview.m_arrNames.GetSize());
    EXPECT_EQ(strVariable, preview.m_arrNames[0]);
    EXPECT_NE(-1, strFilled.Find(L"\"" + arrLabels[0] + L"\""));
    // A constant of no field gets no value.
    EXPECT_NE(-1, strFilled.Find(L"Const str99999 = \"\""));
    EXPECT_FALSE(IsEnabled(&preview, IDC_PREVIEW_SAMPLE_VALUES));
    EXPECT_TRUE(IsEnabled(&preview, IDC_PREVIEW_DIAGNOSTICS));

    Click(&preview, IDC_PREVIEW_DIAGNOSTICS);
    CString strEcho;
    strEcho.Format(L"WScript.Echo \"%s = \" + %s", (const wchar_t*)strVariable, (const wchar_t*)strVariable);
    EXPECT_NE(-1, GetText(&preview, IDC_PREVIEW_SCRIPT).Find(L"' {{DIAGNOSTICS\r\n" + strEcho + L"\r\n' }}DIAGNOSTICS"));
    EXPECT_FALSE(IsEnabled(&preview, IDC_PREVIEW_DIAGNOSTICS));
    SaveScreenshot(L"script-preview.png");
    Click(&preview, IDOK);
    EXPECT_NE(-1, preview.m_strScript.Find(L"' {{DIAGNOSTICS"));
}

// Run goes through the preview to the script host (Wine's cscript behind the stand-in that
// drops the time limit) and shows the script and what it wrote.
TEST_F(ScriptsFileDialogTest, RunShowsTheScriptAndItsOutputAndRemembersTheText)
{
    CScriptRunner::SetHostProgram(GetAppPaths().GetProgramFolder() + L"script_host.exe");
    CScriptTest dialog(&Host(), L"Dim i\r\nFor i = 1 To 2\r\n    WScript.Echo \"line \" & i\r\nNext");
    Open(dialog, IDD_SCRIPT_TEST);
    EXPECT_FALSE(IsEnabled(&dialog, IDC_RUN_VIEW_OUTPUT));
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));
    // Everything the run wrote is shown until "Script only" is chosen.
    EXPECT_TRUE(::IsDlgButtonChecked(dialog.m_hWnd, IDC_RUN_OUTPUT_ALL));
    ::SendDlgItemMessageW(dialog.m_hWnd, IDC_RUN_OUTPUT_SCRIPT, BM_CLICK, 0, 0);
    ASSERT_TRUE(CModalAnswers().Then(L"Preview Script", [](HWND h) { ClickItem(h, IDOK); }).Run([&] {
        Click(&dialog, IDOK);
    }));
    EXPECT_STREQ(CString(L"--- S c r i p t ---\r\nDim i\r\nFor i = 1 To 2\r\n    WScript.Echo \"line \" & i\r\nNext"
                      L"\r\n\r\n--- O u t p u t ---\r\nline 1\r\nline 2"),
              GetText(&dialog, IDC_RUN_OUTPUT));
    EXPECT_TRUE(IsEnabled(&dialog, IDC_RUN_VIEW_OUTPUT));
    SaveScreenshot(L"script-test.png");
    dialog.DestroyWindow();

    // Opened without a text it shows the last run's.
    CScriptTest again(&Host(), CString());
    EXPECT_EQ(CString(L"Dim i\r\nFor i = 1 To 2\r\n    WScript.Echo \"line \" & i\r\nNext"), again.m_strScript);
}

// The output reaches the dialog whole: umlauts, CJK, what went to standard error, and a line of
// 100,000 characters (a host that writes as Windows' cscript does).
TEST_F(ScriptsFileDialogTest, LongAndNonAsciiOutputReachesTheDialogWhole)
{
    CScriptRunner::SetHostProgram(GetAppPaths().GetProgramFolder() + L"echo_host.exe");
    CString strLong(L'\u00F6', 100000);
    CScriptTest dialog(&Host(), L"WScript.Echo \"Gr\u00FC\u00DFe \u4E2D\u6587\"\r\nWScript.Echo \"" + strLong +
                                    L"\"\r\nWScript.StdErr.WriteLine \"Fehler \u65E5\u672C\"");
    Open(dialog, IDD_SCRIPT_TEST);
    ::SendDlgItemMessageW(dialog.m_hWnd, IDC_RUN_OUTPUT_SCRIPT, BM_CLICK, 0, 0);
    ASSERT_TRUE(CModalAnswers().Then(L"Preview Script", [](HWND h) { ClickItem(h, IDOK); }).Run([&] {
        Click(&dialog, IDOK);
    }));
    CString strShown = GetText(&dialog, IDC_RUN_OUTPUT);
    int nOutput = strShown.Find(L"--- O u t p u t ---\r\n");
    ASSERT_NE(-1, nOutput);
    CString strExpected = L"Gr\u00FC\u00DFe \u4E2D\u6587\r\n" + strLong + L"\r\nFehler \u65E5\u672C";
    EXPECT_TRUE(strExpected == strShown.Mid(nOutput + 21)) << CStringA(strShown.Left(400)).GetString();

    // "View Output" hands the whole text to Notepad through the UTF-8 scratch file.
    CLinesFile scratch;
    scratch.DeleteAndWait();
    Click(&dialog, IDC_RUN_VIEW_OUTPUT);
    CStringArray lines;
    ASSERT_TRUE(scratch.ReadLines(lines, FALSE, TRUE));
    CStringArray shown;
    SplitScriptLines(strShown, shown);
    ASSERT_EQ(shown.GetSize(), lines.GetSize());
    EXPECT_TRUE(lines[lines.GetSize() - 2] == strLong);
    EXPECT_STREQ(L"Fehler \u65E5\u672C", lines[lines.GetSize() - 1]);
    HWND hNotepad = nullptr;
    for (int i = 0; i < 200 && !hNotepad; ++i)
    {
        ::Sleep(50);
        hNotepad = ::FindWindowW(L"Notepad", nullptr);
    }
    EXPECT_TRUE(hNotepad != nullptr);
    if (hNotepad)
        ::PostMessageW(hNotepad, WM_CLOSE, 0, 0);
    dialog.DestroyWindow();
}

TEST_F(ScriptsFileDialogTest, CancelledPreviewRunsNothingButRemembersOptionsAndText)
{
    CScriptRunner::SetHostProgram(GetAppPaths().GetProgramFolder() + L"script_host.exe");
    CScriptTest dialog(&Host(), L"WScript.Echo \"kept\"");
    Open(dialog, IDD_SCRIPT_TEST);
    ::SendDlgItemMessageW(dialog.m_hWnd, IDC_RUN_TIMEOUT, BM_CLICK, 0, 0);
    SetText(&dialog, IDC_RUN_SECONDS, L"120");
    ASSERT_TRUE(CModalAnswers().Then(L"Preview Script", [](HWND h) { ClickItem(h, IDCANCEL); }).Run([&] {
        Click(&dialog, IDOK);
    }));
    EXPECT_EQ(CString(), GetText(&dialog, IDC_RUN_OUTPUT));
    EXPECT_FALSE(IsEnabled(&dialog, IDC_RUN_VIEW_OUTPUT));
    EXPECT_EQ(CString(L"WScript.Echo \"kept\""), GetAppProfile().GetString(L"CScriptTest::m_strScript", L""));
    EXPECT_EQ(120, GetAppProfile().GetInt(L"CScriptTest::m_nSeconds", 0));
    EXPECT_FALSE(GetAppProfile().GetBool(L"CScriptTest::m_bTimeout", TRUE));

    // A seconds value outside 10 to 999 is refused with the range message and runs nothing.
    SetText(&dialog, IDC_RUN_SECONDS, L"5");
    m_arrBoxes.RemoveAll();
    Click(&dialog, IDOK);
    ASSERT_GE(m_arrBoxes.GetSize(), 1);
    EXPECT_NE(-1, m_arrBoxes[0].Find(L"10"));
    EXPECT_NE(-1, m_arrBoxes[0].Find(L"999"));
    dialog.DestroyWindow();
}

// The test dialog opened from Define Script offers its changed text back.
TEST_F(ScriptsFileDialogTest, DefineScriptOffersTheTextChangedInTheTestDialog)
{
    CScriptDefine dialog(&Host(), L"Notify", L"WScript.Echo 1", TRUE);
    Open(dialog, IDD_SCRIPT_DEFINE);
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Script Test",
                          [](HWND h) {
                              TypeItemText(h, IDC_RUN_SCRIPT, L"WScript.Echo 2");
                              ClickItem(h, IDCANCEL);
                          })
                    .Run([&] { Click(&dialog, IDC_DEFINE_TEST); }));
    ASSERT_EQ(1, m_arrBoxes.GetSize());
    EXPECT_EQ(CString(L"Select Script: Use changed script from test window ?"), m_arrBoxes[0]);
    EXPECT_EQ(CString(L"WScript.Echo 2"), GetText(&dialog, IDC_DEFINE_SCRIPT));
    dialog.DestroyWindow();
}

// The list and the text grow with the dialog; the buttons keep their size and follow the bottom
// edge; it never shrinks below its template size.
TEST_F(ScriptsFileDialogTest, ManagerControlsFollowTheDialogsGrowth)
{
    CScriptManager manager(&Host());
    Open(manager, IDD_SCRIPT_MANAGER);
    auto place = [&](int nID) {
        CRect rect;
        manager.GetDlgItem(nID)->GetWindowRect(&rect);
        ::MapWindowPoints(nullptr, manager.m_hWnd, (POINT*)&rect, 2);
        return rect;
    };
    CRect rectList = place(IDC_SCRIPTS_LIST);
    CRect rectText = place(IDC_SCRIPTS_TEXT);
    CRect rectOk = place(IDOK);
    CRect rectDialog;
    manager.GetWindowRect(&rectDialog);
    manager.SetWindowPos(nullptr, 0, 0, rectDialog.Width() + 40, rectDialog.Height() + 30, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    EXPECT_EQ(rectList.Width() + 40, place(IDC_SCRIPTS_LIST).Width());
    EXPECT_EQ(rectList.Height() + 30, place(IDC_SCRIPTS_LIST).Height());
    EXPECT_EQ(rectText.Width() + 40, place(IDC_SCRIPTS_TEXT).Width());
    EXPECT_EQ(rectText.Height(), place(IDC_SCRIPTS_TEXT).Height());
    EXPECT_EQ(rectText.top + 30, place(IDC_SCRIPTS_TEXT).top);
    CRect rectOkMoved = rectOk;
    rectOkMoved.OffsetRect(0, 30);
    EXPECT_EQ(rectOkMoved, place(IDOK));

    manager.SetWindowPos(nullptr, 0, 0, rectDialog.Width() - 50, rectDialog.Height() - 50, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    CRect rectNow;
    manager.GetWindowRect(&rectNow);
    EXPECT_EQ(rectDialog.Width(), rectNow.Width());
    EXPECT_EQ(rectDialog.Height(), rectNow.Height());
    EXPECT_EQ(rectOk, place(IDOK));
    manager.DestroyWindow();
}

// "Select" takes a stored script's text, "Edit" the text changed in Define Script.
TEST_F(ScriptsFileDialogTest, TestDialogTakesASelectedScriptAndAnEditedText)
{
    StoreScripts({{L"alpha", L"WScript.Echo \"a\""}});
    CScriptTest dialog(&Host(), L"x = 1");
    Open(dialog, IDD_SCRIPT_TEST);
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Script Select",
                          [](HWND h) {
                              LVITEMW item = {};
                              item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
                              ::SendDlgItemMessageW(h, IDC_SCRIPTS_LIST, LVM_SETITEMSTATE, 0, (LPARAM)&item);
                              ClickItem(h, IDOK);
                          })
                    .Run([&] { Click(&dialog, IDC_RUN_SELECT); }));
    EXPECT_EQ(CString(L"WScript.Echo \"a\""), GetText(&dialog, IDC_RUN_SCRIPT));

    bool bTitleEnabled = true;
    ASSERT_TRUE(CModalAnswers()
                    .Then(L"Define Script",
                          [&](HWND h) {
                              bTitleEnabled = ::IsWindowEnabled(::GetDlgItem(h, IDC_DEFINE_TITLE)) != FALSE;
                              TypeItemText(h, IDC_DEFINE_SCRIPT, L"WScript.Echo \"edited\"");
                              ClickItem(h, IDOK);
                          })
                    .Run([&] { Click(&dialog, IDC_RUN_EDIT); }));
    EXPECT_FALSE(bTitleEnabled);
    EXPECT_EQ(CString(L"WScript.Echo \"edited\""), GetText(&dialog, IDC_RUN_SCRIPT));
    EXPECT_EQ(CString(L"WScript.Echo \"edited\""), dialog.m_strScript);
    dialog.DestroyWindow();
}
