#include "GuiTest.h"

#include "ComboChoice.h"
#include "alarmmodel/AlarmVocabulary.h"
#include "console/definitions/CAddActionDialog.h"
#include "console/definitions/CCriterionDialog.h"
#include "console/definitions/CDefineAlarm.h"
#include "framework/window/AfxClipboard.h"
#include "framework/window/AfxMessageBox.h"
#include "resources/console/DefinitionsRes.h"

#include <functional>

namespace
{
class DefinitionSheetTest : public GuiTest
{
protected:
    DefinitionSheetTest()
    {
        AfxSetMessageBoxFunction([this](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT) {
            m_strBox = pszText;
            m_strBoxCaption = pszCaption ? pszCaption : L"";
            ++m_nBoxes;
            return IDOK;
        });
        AfxSetClipboardTextFunction([this](CString& strText) {
            strText = m_strClipboard;
            return !m_strClipboard.IsEmpty();
        });
    }
    ~DefinitionSheetTest() override
    {
        if (m_pSheet && m_pSheet->m_hWnd)
            m_pSheet->DestroyWindow();
        AfxSetClipboardTextFunction(nullptr);
        AfxSetMessageBoxFunction(nullptr);
    }

    CDefineAlarm& Open(const CAlarmDefinition* pDefinition)
    {
        CStringArray arrAssignees;
        arrAssignees.Add(L"Alice");
        arrAssignees.Add(L"Bob");
        CStringArray arrPriorities;
        m_pSheet = std::make_unique<CDefineAlarm>(L"Add Definition", arrAssignees, arrPriorities, nullptr, pDefinition);
        EXPECT_TRUE(m_pSheet->Create(&Host()));
        PumpUntilIdle();
        return *m_pSheet;
    }

    // OK as the user presses it; TRUE when the sheet ended with it.
    BOOL PressOk()
    {
        Click(m_pSheet.get(), IDOK);
        PumpUntilIdle();
        return m_pSheet->GetResult() == IDOK;
    }

    CListCtrl& CriteriaList() { return *static_cast<CListCtrl*>(m_pSheet->m_pageCriteria.GetDlgItem(IDC_DEFINITION_LIST)); }

    std::unique_ptr<CDefineAlarm> m_pSheet;
    CString m_strClipboard;
    CString m_strBox;
    CString m_strBoxCaption;
    int m_nBoxes = 0;
};
} // namespace

TEST_F(DefinitionSheetTest, NewDefinitionNeedsATitleBeyondBlanksAndStoresItTrimmed)
{
    CDefineAlarm& sheet = Open(nullptr);
    CDefineAlarmGeneral& general = sheet.m_pageGeneral;
    EXPECT_EQ(0u, general.GetClass());
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(general.m_hWnd, IDC_GENERAL_ACTIVE));
    EXPECT_FALSE(IsEnabled(&sheet, IDOK));
    EXPECT_EQ(GetText(&general, IDC_GENERAL_CREATED), GetText(&general, IDC_GENERAL_MODIFIED));
    EXPECT_FALSE(GetText(&general, IDC_GENERAL_CREATED).Trim().IsEmpty());

    SetText(&general, IDC_GENERAL_TITLE, L"   ");
    PumpUntilIdle();
    EXPECT_FALSE(IsEnabled(&sheet, IDOK));
    SetText(&general, IDC_GENERAL_TITLE, L"Disk full ");
    PumpUntilIdle();
    EXPECT_TRUE(IsEnabled(&sheet, IDOK));

    ASSERT_TRUE(PressOk());
    const CAlarmDefinition& result = sheet.GetDefinition();
    EXPECT_EQ(CString(L"Disk full"), result.m_strTitle);
    EXPECT_EQ(0, result.m_nClass);
    EXPECT_TRUE(result.m_bActive);
    EXPECT_EQ(result.m_tCreated, result.m_tModified);
}

TEST_F(DefinitionSheetTest, TitleAndDescriptionStopAtTheirLimits)
{
    CDefineAlarm& sheet = Open(nullptr);
    EXPECT_EQ(64u, (UINT)::SendDlgItemMessageW(sheet.m_pageGeneral.m_hWnd, IDC_GENERAL_TITLE, EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(255u,
              (UINT)::SendDlgItemMessageW(sheet.m_pageGeneral.m_hWnd, IDC_GENERAL_DESCRIPTION, EM_GETLIMITTEXT, 0, 0));
}

TEST_F(DefinitionSheetTest, OverlongTextWrittenPastTheLimitGivesTheFrameworksMessage)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    CDefineAlarm& sheet = Open(&definition);
    // Written as a program would, past the edits' own limits.
    HWND hTitle = ::GetDlgItem(sheet.m_pageGeneral.m_hWnd, IDC_GENERAL_TITLE);
    ::SendMessageW(hTitle, EM_LIMITTEXT, 0, 0);
    ::SetWindowTextW(hTitle, CString(L'x', 65));
    PumpUntilIdle();
    EXPECT_EQ(CString(L"Please enter no more than 64 characters."), m_strBox);
    ::SetWindowTextW(hTitle, L"Disk");
    HWND hDescription = ::GetDlgItem(sheet.m_pageGeneral.m_hWnd, IDC_GENERAL_DESCRIPTION);
    ::SendMessageW(hDescription, EM_LIMITTEXT, 0, 0);
    ::SetWindowTextW(hDescription, CString(L'x', 256));
    m_strBox.Empty();
    EXPECT_FALSE(PressOk());
    EXPECT_EQ(CString(L"Please enter no more than 255 characters."), m_strBox);
    EXPECT_TRUE(sheet.IsWindowVisible());
}

TEST_F(DefinitionSheetTest, ModifyKeepsCreatedAndRenewsModified)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    definition.m_tCreated = 1000000000;
    definition.m_tModified = 1000000500;
    definition.m_nClass = 2;
    definition.m_bActive = FALSE;
    CDefineAlarm& sheet = Open(&definition);
    EXPECT_EQ(2u, sheet.m_pageGeneral.GetClass());
    EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(sheet.m_pageGeneral.m_hWnd, IDC_GENERAL_ACTIVE));
    EXPECT_TRUE(IsEnabled(&sheet, IDOK));
    ASSERT_TRUE(PressOk());
    EXPECT_EQ(1000000000, sheet.GetDefinition().m_tCreated);
    EXPECT_GT(sheet.GetDefinition().m_tModified, 1000000500);
    EXPECT_FALSE(sheet.GetDefinition().m_bActive);
    EXPECT_EQ(2, sheet.GetDefinition().m_nClass);
}

TEST_F(DefinitionSheetTest, CriteriaShowTheSeparatorAndGoBackUnchanged)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    definition.m_arrCriteria.Add(L"101:0:disk\x0C" L"full");
    definition.m_arrCriteria.Add(L"broken");
    CDefineAlarm& sheet = Open(&definition);
    CListCtrl& list = CriteriaList();
    ASSERT_EQ(1, list.GetItemCount());
    EXPECT_EQ(AlarmFieldLabel(101), list.GetItemText(0, 0));
    EXPECT_EQ(MatchOperatorLabel(0), list.GetItemText(0, 1));
    EXPECT_EQ(CString(L"disk\t , \tfull"), list.GetItemText(0, 2));
    ASSERT_TRUE(PressOk());
    ASSERT_EQ(1, sheet.GetDefinition().m_arrCriteria.GetSize());
    EXPECT_EQ(CString(L"101:0:disk\x0C" L"full"), sheet.GetDefinition().m_arrCriteria[0]);
}

TEST_F(DefinitionSheetTest, ClipboardRecordSelectsItsClassAndFillsTheCriteria)
{
    CDefineAlarm& sheet = Open(nullptr);
    m_strClipboard = L"QuorvexClass=2\r\nQuorvex:Trap=linkDown\r\nQuorvex:Trap=again\r\nQuorvex:Nonsense=1\r\nother";
    Click(&sheet.m_pageGeneral, IDC_LOAD_FROM_CLIPBOARD);
    PumpUntilIdle();
    EXPECT_EQ(2u, sheet.m_pageGeneral.GetClass());

    // The page's own button reads the clipboard.
    Click(&sheet.m_pageCriteria, IDC_LOAD_FROM_CLIPBOARD);
    CListCtrl& list = CriteriaList();
    ASSERT_EQ(2, list.GetItemCount());
    EXPECT_EQ(CString(L"Trap"), list.GetItemText(0, 0));
    EXPECT_EQ(MatchOperatorLabel(MATCH_TEXT_EXACT), list.GetItemText(0, 1));
    EXPECT_EQ(304u, (UINT)list.GetItemData(0));
    EXPECT_EQ(0, m_nBoxes);

    // A class the list lacks leaves the choice; another source's record leaves the rows.
    m_strClipboard = L"QuorvexClass=9";
    Click(&sheet.m_pageGeneral, IDC_LOAD_FROM_CLIPBOARD);
    PumpUntilIdle();
    EXPECT_EQ(2u, sheet.m_pageGeneral.GetClass());
    m_strClipboard = L"QuorvexClass=0\r\nQuorvex:From=x";
    sheet.m_pageCriteria.LoadFromClipboard();
    EXPECT_EQ(1, m_nBoxes);
    EXPECT_EQ(CString(L"Invalid Class"), m_strBoxCaption);
    EXPECT_NE(-1, m_strBox.Find(TriggerSourceName(0)));
    EXPECT_EQ(2, list.GetItemCount());
}

TEST_F(DefinitionSheetTest, ThresholdPageFollowsTheNumbersAndChecksTheirRange)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    definition.m_nRepeatSecs = 300;
    definition.m_nThresholdCount = 5;
    definition.m_nThresholdSecs = 60;
    CDefineAlarm& sheet = Open(&definition);
    CDefineAlarmThreshold& page = sheet.m_pageThreshold;
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(page.m_hWnd, IDC_REPEAT_LIMITED));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(page.m_hWnd, IDC_THRESHOLD_MATCHED));
    EXPECT_EQ(CString(L"300"), GetText(&page, IDC_REPEAT_SECS));

    SetText(&page, IDC_REPEAT_SECS, L"0");
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(page.m_hWnd, IDC_REPEAT_EVERY_TIME));
    SetText(&page, IDC_REPEAT_SECS, L"45");
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(page.m_hWnd, IDC_REPEAT_LIMITED));

    SetText(&page, IDC_THRESHOLD_SECS, L"10000");
    EXPECT_EQ(CString(L"Please enter an integer between 0 and 9999."), m_strBox);
    SetText(&page, IDC_THRESHOLD_SECS, L"60");

    // "No threshold" with numbers beside it stores no count but keeps the window.
    ::CheckRadioButton(page.m_hWnd, IDC_THRESHOLD_NONE, IDC_THRESHOLD_MATCHED, IDC_THRESHOLD_NONE);
    ASSERT_TRUE(PressOk());
    EXPECT_EQ(0, sheet.GetDefinition().m_nThresholdCount);
    EXPECT_EQ(60, sheet.GetDefinition().m_nThresholdSecs);
    EXPECT_EQ(45, sheet.GetDefinition().m_nRepeatSecs);
}

TEST_F(DefinitionSheetTest, OutOfRangeNumberKeepsTheSheetOpen)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    CDefineAlarm& sheet = Open(&definition);
    sheet.SetActivePage(4);
    PumpUntilIdle();
    // Written without the page seeing it, as a paste that the change handler refused.
    ::SendDlgItemMessageW(sheet.m_pageThreshold.m_hWnd, IDC_REPEAT_SECS, WM_SETTEXT, 0, (LPARAM)L"12345");
    m_strBox.Empty();
    EXPECT_FALSE(PressOk());
    EXPECT_EQ(CString(L"Please enter an integer between 0 and 9999."), m_strBox);
    EXPECT_TRUE(sheet.IsWindowVisible());
}

TEST_F(DefinitionSheetTest, AssigneeTypedNewIsStoredAndActionsRoundTrip)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    definition.m_strAssignedTo = L"Bob";
    definition.m_arrActions.Add(L"2:C:\\bell.wav");
    definition.m_arrActions.Add(L"without colon");
    CDefineAlarm& sheet = Open(&definition);
    EXPECT_EQ(CString(L"Bob"), sheet.m_pageAssign.GetAssignedTo());
    EXPECT_EQ(2, (int)::SendDlgItemMessageW(sheet.m_pageAssign.m_hWnd, IDC_ASSIGN_TO, CB_GETCOUNT, 0, 0));
    ::SetDlgItemTextW(sheet.m_pageAssign.m_hWnd, IDC_ASSIGN_TO, L"Carol");
    ASSERT_TRUE(PressOk());
    EXPECT_EQ(CString(L"Carol"), sheet.GetDefinition().m_strAssignedTo);
    ASSERT_EQ(1, sheet.GetDefinition().m_arrActions.GetSize());
    EXPECT_EQ(CString(L"2:C:\\bell.wav"), sheet.GetDefinition().m_arrActions[0]);
}

TEST_F(DefinitionSheetTest, CancelLeavesTheRecordAsGiven)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    CDefineAlarm& sheet = Open(&definition);
    SetText(&sheet.m_pageGeneral, IDC_GENERAL_TITLE, L"Other");
    Click(&sheet, IDCANCEL);
    PumpUntilIdle();
    EXPECT_EQ(IDCANCEL, sheet.GetResult());
    EXPECT_EQ(CString(L"Disk"), sheet.GetDefinition().m_strTitle);
}

namespace
{
class CTestActionDialog : public CAddActionDialog
{
public:
    using CAddActionDialog::CAddActionDialog;
    INT_PTR Result() const { return m_nModalResult; }
};
} // namespace

TEST_F(DefinitionSheetTest, ActionDialogOffersTheChosenKindAndNeedsItsParameter)
{
    CTestActionDialog fresh(&Host(), -1, CString(), L"Disk");
    ASSERT_TRUE(fresh.Create(IDD_ADD_ACTION, &Host()));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(fresh.m_hWnd, IDC_ACTION_EMAIL_KIND));
    EXPECT_EQ(CString(L"address1[;...]"), GetText(&fresh, IDC_ACTION_EMAIL));
    EXPECT_TRUE(IsEnabled(&fresh, IDOK));
    ::CheckRadioButton(fresh.m_hWnd, IDC_ACTION_EMAIL_KIND, IDC_ACTION_NETSEND_KIND, IDC_ACTION_SOUND_KIND);
    ::CheckDlgButton(fresh.m_hWnd, IDC_ACTION_EMAIL_KIND, BST_UNCHECKED);
    Click(&fresh, IDC_ACTION_SOUND_KIND);
    EXPECT_FALSE(IsEnabled(&fresh, IDOK));
    EXPECT_FALSE(IsEnabled(&fresh, IDC_ACTION_SOUND_PLAY));
    EXPECT_FALSE(IsEnabled(&fresh, IDC_ACTION_SPEECH_PLAY));
    fresh.DestroyWindow();

    // The net send button sits after three other buttons and their controls.
    CTestActionDialog netSend(&Host(), ACTION_NET_SEND, L"/users hello", L"Disk");
    ASSERT_TRUE(netSend.Create(IDD_ADD_ACTION, &Host()));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(netSend.m_hWnd, IDC_ACTION_NETSEND_KIND));
    EXPECT_FALSE(IsEnabled(&netSend, IDC_ACTION_EMAIL));
    Click(&netSend, IDOK);
    EXPECT_EQ(ACTION_NET_SEND, (UINT)netSend.m_nKind);
    EXPECT_EQ(CString(L"/users hello"), netSend.m_strParameter);
    netSend.DestroyWindow();
}

// The title is text within the speech markup, as the action runner speaks it.
TEST(AddActionPreviewTest, SpeechPreviewLowersTheTextButKeepsTheTitleAsItIsAndEscaped)
{
    EXPECT_EQ(CString(L"alarm Disk raised"), CAddActionDialog::PreviewText(L"ALARM {TITLE} Raised", L"Disk"));
    EXPECT_STREQ(L"<emph>R&amp;D &lt;disk&gt;</emph> down",
                 CAddActionDialog::PreviewText(L"<EMPH>{title}</EMPH> DOWN", L"R&D <disk>"));
}

namespace
{
class CTestCriterionDialog : public CCriterionDialog
{
public:
    using CCriterionDialog::CCriterionDialog;
};

int FindItemData(CWnd* pDialog, int nID, UINT nData)
{
    HWND hCombo = ::GetDlgItem(pDialog->m_hWnd, nID);
    int nCount = (int)::SendMessageW(hCombo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i)
    {
        if ((UINT)::SendMessageW(hCombo, CB_GETITEMDATA, (WPARAM)i, 0) == nData)
            return i;
    }
    return -1;
}
} // namespace

TEST_F(DefinitionSheetTest, CriterionDialogJoinsOnlyTheValuesItsOperatorTakes)
{
    CTestCriterionDialog dialog(&Host(), 0, 101, L"disk\x0C" L"full", MATCH_TEXT_NOT_CONTAINS);
    ASSERT_TRUE(dialog.Create(IDD_CRITERION, &Host()));
    EXPECT_EQ(CString(L"disk"), GetText(&dialog, IDC_CRITERION_VALUE));
    EXPECT_EQ(CString(L"full"), GetText(&dialog, IDC_CRITERION_OR1));
    EXPECT_EQ(CString(L"And:"), GetText(&dialog, IDC_CRITERION_LABEL1));
    EXPECT_TRUE(IsEnabled(&dialog, IDOK));

    ChooseComboItem(&dialog, IDC_CRITERION_MATCH, FindItemData(&dialog, IDC_CRITERION_MATCH, MATCH_NUMBER_GREATER));
    EXPECT_FALSE(IsEnabled(&dialog, IDC_CRITERION_OR1));
    EXPECT_EQ(CString(L"Or:"), GetText(&dialog, IDC_CRITERION_LABEL1));
    SetText(&dialog, IDC_CRITERION_VALUE, L"");
    EXPECT_FALSE(IsEnabled(&dialog, IDOK));
    SetText(&dialog, IDC_CRITERION_VALUE, L"90");
    Click(&dialog, IDOK);
    EXPECT_EQ(CString(L"90"), dialog.m_strJoinedValues);
    EXPECT_EQ(MATCH_NUMBER_GREATER, dialog.m_nChosenOperator);
    EXPECT_EQ(101u, dialog.m_nChosenField);
    dialog.DestroyWindow();
}

TEST_F(DefinitionSheetTest, EveryPageIsMadeAtTheStartAndGeneralComesFirst)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk full";
    definition.m_strDescription = L"The system disk of a server is nearly full.";
    definition.m_strAssignedTo = L"Operations";
    definition.m_strPriority = L"High";
    definition.m_nRepeatSecs = 300;
    definition.m_nThresholdCount = 5;
    definition.m_nThresholdSecs = 60;
    definition.m_arrCriteria.Add(L"101:0:disk\x0C" L"full");
    definition.m_arrActions.Add(L"0:operator@example.com");
    definition.m_arrActions.Add(L"1:+41790000000");
    definition.m_tCreated = 1700000000;
    definition.m_tModified = 1700003600;
    CDefineAlarm& sheet = Open(&definition);
    sheet.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(0, sheet.GetActiveIndex());
    for (int nPage = 0; nPage < sheet.GetPageCount(); ++nPage)
        EXPECT_TRUE(::IsWindow(sheet.GetPage(nPage)->m_hWnd)) << nPage;
    // The pictures of the pages, for the documentation.
    const wchar_t* const names[] = {L"general", L"criteria", L"actions", L"assign", L"threshold"};
    for (int nPage = 0; nPage < sheet.GetPageCount(); ++nPage)
    {
        sheet.SetActivePage(nPage);
        PumpUntilIdle();
        sheet.UpdateWindow();
        SaveScreenshot(CString(L"definition-sheet-") + names[nPage] + L".png");
    }
}

namespace
{
CRect PlaceIn(CWnd& page, int nID)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(page.m_hWnd, nID), &rect);
    ::MapWindowPoints(nullptr, page.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
} // namespace

TEST_F(DefinitionSheetTest, ListPagesGrowTheirListAndMoveTheButtonsBelowIt)
{
    CDefineAlarm& sheet = Open(nullptr);
    for (CWnd* pPage : {static_cast<CWnd*>(&sheet.m_pageCriteria), static_cast<CWnd*>(&sheet.m_pageActions)})
    {
        CRect rectPage;
        pPage->GetWindowRect(&rectPage);
        CRect rectList = PlaceIn(*pPage, IDC_DEFINITION_LIST);
        CRect rectDelete = PlaceIn(*pPage, IDC_LIST_DELETE);
        pPage->SetWindowPos(nullptr, 0, 0, rectPage.Width() + 40, rectPage.Height() + 30, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(rectList.Width() + 40, PlaceIn(*pPage, IDC_DEFINITION_LIST).Width());
        EXPECT_EQ(rectList.Height() + 30, PlaceIn(*pPage, IDC_DEFINITION_LIST).Height());
        EXPECT_EQ(rectDelete.top + 30, PlaceIn(*pPage, IDC_LIST_DELETE).top);
        EXPECT_EQ(rectDelete.left, PlaceIn(*pPage, IDC_LIST_DELETE).left);
        // Back to its first size, everything is where it was.
        pPage->SetWindowPos(nullptr, 0, 0, rectPage.Width(), rectPage.Height(), SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(rectList, PlaceIn(*pPage, IDC_DEFINITION_LIST));
        EXPECT_EQ(rectDelete, PlaceIn(*pPage, IDC_LIST_DELETE));
    }
    // The clipboard button of the Criteria page stays below the grown list.
    CRect rectClipboard = PlaceIn(sheet.m_pageCriteria, IDC_LOAD_FROM_CLIPBOARD);
    CRect rectPage;
    sheet.m_pageCriteria.GetWindowRect(&rectPage);
    sheet.m_pageCriteria.SetWindowPos(nullptr, 0, 0, rectPage.Width(), rectPage.Height() + 30, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(rectClipboard.top + 30, PlaceIn(sheet.m_pageCriteria, IDC_LOAD_FROM_CLIPBOARD).top);
}

namespace
{
const wchar_t* g_pszDialogCaption = nullptr;
std::function<void(HWND)> g_answerDialog;

// A dialog of this thread with the caption: tests running beside this one show theirs too.
BOOL CALLBACK FindOwnDialog(HWND hWnd, LPARAM lParam)
{
    wchar_t szClass[16] = L"", szCaption[256] = L"";
    ::GetClassNameW(hWnd, szClass, 16);
    ::GetWindowTextW(hWnd, szCaption, 256);
    if (wcscmp(szClass, L"#32770") != 0 || wcscmp(szCaption, g_pszDialogCaption) != 0)
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    HWND hDialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindOwnDialog, (LPARAM)&hDialog);
    if (!hDialog || !::IsWindowVisible(hDialog))
        return;
    ::KillTimer(nullptr, nIDEvent);
    g_answerDialog(hDialog);
}

// Runs open, which shows a modal dialog with the caption, and answers that dialog from inside
// its loop.
void AnswerModal(const wchar_t* pszCaption, std::function<void(HWND)> answer, const std::function<void()>& open)
{
    g_pszDialogCaption = pszCaption;
    g_answerDialog = std::move(answer);
    UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, AnswerDialog);
    open();
    ::KillTimer(nullptr, nTimer);
}

CString DialogText(HWND hDialog, int nID)
{
    wchar_t szText[256] = {};
    ::GetDlgItemTextW(hDialog, nID, szText, 256);
    return szText;
}

void SetTextAndOk(HWND hDialog, int nID, const wchar_t* pszText)
{
    ::SetDlgItemTextW(hDialog, nID, pszText);
    ::SendMessageW(hDialog, WM_COMMAND, IDOK, 0);
}

CSortListCtrl& PageList(CWnd& page)
{
    return *static_cast<CSortListCtrl*>(page.GetDlgItem(IDC_DEFINITION_LIST));
}
} // namespace

TEST_F(DefinitionSheetTest, ActionsGrowByAddAndModifyRewritesTheRowInItsPlace)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    definition.m_arrActions.Add(L"0:ops@example.com");
    definition.m_arrActions.Add(L"2:C:\\bell.wav");
    CDefineAlarm& sheet = Open(&definition);
    CDefineAlarmActions& page = sheet.m_pageActions;
    CSortListCtrl& list = PageList(page);
    EXPECT_FALSE(IsEnabled(&page, IDC_LIST_MODIFY));

    AnswerModal(L"Add Action", [](HWND hDialog) {
        ::SendDlgItemMessageW(hDialog, IDC_ACTION_SMS_KIND, BM_CLICK, 0, 0);
        SetTextAndOk(hDialog, IDC_ACTION_SMS, L"+41790000002");
    }, [&] { Click(&page, IDC_LIST_ADD); });
    ASSERT_EQ(3, list.GetItemCount());
    EXPECT_EQ(ActionTypeName(ACTION_SMS), list.GetItemText(2, 0));
    EXPECT_EQ(CString(L"+41790000002"), list.GetItemText(2, 1));

    // Modify opens on the row's own kind and parameter and keeps the row where it was.
    list.SelectItem(0, TRUE);
    PumpUntilIdle();
    EXPECT_TRUE(IsEnabled(&page, IDC_LIST_MODIFY));
    CString strOffered;
    AnswerModal(L"Add Action", [&](HWND hDialog) {
        strOffered = DialogText(hDialog, IDC_ACTION_EMAIL);
        SetTextAndOk(hDialog, IDC_ACTION_EMAIL, L"ops2@example.com");
    }, [&] { Click(&page, IDC_LIST_MODIFY); });
    EXPECT_EQ(CString(L"ops@example.com"), strOffered);
    ASSERT_EQ(3, list.GetItemCount());
    EXPECT_EQ(CString(L"ops2@example.com"), list.GetItemText(0, 1));

    ASSERT_TRUE(PressOk());
    const CStringArray& arrActions = sheet.GetDefinition().m_arrActions;
    ASSERT_EQ(3, arrActions.GetSize());
    EXPECT_EQ(CString(L"0:ops2@example.com"), arrActions[0]);
    EXPECT_EQ(CString(L"2:C:\\bell.wav"), arrActions[1]);
    EXPECT_EQ(CString(L"1:+41790000002"), arrActions[2]);
}

TEST_F(DefinitionSheetTest, CriteriaGrowByAddAndModifyOffersTheRowsValues)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    definition.m_nClass = 2;
    definition.m_arrCriteria.Add(L"304:0:linkDown\x0C" L"linkUp");
    CDefineAlarm& sheet = Open(&definition);
    CDefineAlarmCriteria& page = sheet.m_pageCriteria;
    CSortListCtrl& list = PageList(page);

    // A new criterion of the class chosen on the General page.
    CString strClass;
    AnswerModal(L"Criteria", [&](HWND hDialog) {
        strClass = DialogText(hDialog, IDC_CRITERION_CLASS);
        SetTextAndOk(hDialog, IDC_CRITERION_VALUE, L"router");
    }, [&] { Click(&page, IDC_LIST_ADD); });
    EXPECT_EQ(TriggerSourceName(2), strClass);
    ASSERT_EQ(2, list.GetItemCount());
    EXPECT_EQ(MatchOperatorLabel(0), list.GetItemText(1, 1));
    EXPECT_EQ(CString(L"router"), list.GetItemText(1, 2));

    list.SelectItem(0, TRUE);
    PumpUntilIdle();
    CString strValue;
    CString strAlternative;
    AnswerModal(L"Criteria", [&](HWND hDialog) {
        strValue = DialogText(hDialog, IDC_CRITERION_VALUE);
        strAlternative = DialogText(hDialog, IDC_CRITERION_OR1);
        SetTextAndOk(hDialog, IDC_CRITERION_OR2, L"coldStart");
    }, [&] { Click(&page, IDC_LIST_MODIFY); });
    EXPECT_EQ(CString(L"linkDown"), strValue);
    EXPECT_EQ(CString(L"linkUp"), strAlternative);
    EXPECT_EQ(CString(L"linkDown\t , \tlinkUp\t , \tcoldStart"), list.GetItemText(0, 2));

    ASSERT_TRUE(PressOk());
    const CStringArray& arrCriteria = sheet.GetDefinition().m_arrCriteria;
    ASSERT_EQ(2, arrCriteria.GetSize());
    EXPECT_EQ(CString(L"304:0:linkDown\x0C" L"linkUp\x0C" L"coldStart"), arrCriteria[0]);
    // The field list offers the source's fields in table order, the first one chosen.
    CUIntArray arrIds;
    CStringArray arrColumns;
    CStringArray arrLabels;
    GetAlarmFields(2, arrIds, arrColumns, arrLabels);
    CString strAdded;
    strAdded.Format(L"%u:0:router", arrIds[0]);
    EXPECT_EQ(strAdded, arrCriteria[1]);
}
