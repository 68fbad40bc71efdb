#include "console/definitions/CBelvaneView.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/database/AlarmsDatabase.h"
#include "console/definitions/CAlarmActionsDlg.h"
#include "console/definitions/CDefineAlarm.h"
#include "console/app/CMainFrame.h"
#include "console/definitions/CTestAllCriteriaDialog.h"
#include "console/definitions/CTestCriteriaDialog.h"
#include "console/definitions/DefinitionTexts.h"
#include "console/app/RegisteredMessage.h"
#include "framework/controls/CMenu.h"
#include "framework/frames/CPrintInfo.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWinApp.h"
#include "resources/console/BelvaneRes.h"
#include "resources/console/DefinitionsRes.h"
#include "support/AppPaths.h"
#include "support/FileVersionInfo.h"
#include "support/SystemErrorText.h"
#include "support/TimeText.h"
#include "wincomponents/dialogs/COwnFileDialog.h"

#include <ctime>
#include <vector>
#include <windowsx.h>

IMPLEMENT_DYNCREATE(CBelvaneView, CResizableFormView)

BEGIN_MESSAGE_MAP(CBelvaneView, CResizableFormView)
    ON_COMMAND(ID_DEFINITIONS_ADD, OnAdd)
    ON_COMMAND(ID_DEFINITIONS_COPY, OnCopy)
    ON_COMMAND(ID_DEFINITIONS_MODIFY, OnModify)
    ON_COMMAND(ID_DEFINITIONS_DELETE, OnDelete)
    ON_COMMAND(ID_DEFINITIONS_ACTIVATE, OnActivate)
    ON_COMMAND(ID_DEFINITIONS_DEACTIVATE, OnDeactivate)
    ON_COMMAND(ID_DEFINITIONS_SAVE_TO_FILE, OnSaveToFile)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnSaveToFile)
    ON_COMMAND(ID_DEFINITIONS_LOAD_FROM_FILE, OnLoadFromFile)
    ON_COMMAND(ID_DEFINITIONS_TEST_SELECTED, OnTestSelected)
    ON_COMMAND(ID_DEFINITIONS_TEST_ALL, OnTestAll)
    ON_COMMAND(ID_DEFINITIONS_TRIGGER, OnTriggerSelected)
    ON_UPDATE_COMMAND_UI(ID_DEFINITIONS_COPY, OnUpdateOneSelected)
    ON_UPDATE_COMMAND_UI(ID_DEFINITIONS_MODIFY, OnUpdateOneSelected)
    ON_UPDATE_COMMAND_UI(ID_DEFINITIONS_TEST_SELECTED, OnUpdateOneSelected)
    ON_UPDATE_COMMAND_UI(ID_DEFINITIONS_TRIGGER, OnUpdateOneSelected)
    ON_UPDATE_COMMAND_UI(ID_DEFINITIONS_DELETE, OnUpdateAnySelected)
    ON_UPDATE_COMMAND_UI(ID_DEFINITIONS_ACTIVATE, OnUpdateAnySelected)
    ON_UPDATE_COMMAND_UI(ID_DEFINITIONS_DEACTIVATE, OnUpdateAnySelected)
    ON_UPDATE_COMMAND_UI(ID_DEFINITIONS_TEST_ALL, OnUpdateTestAll)
    ON_NOTIFY(NM_DBLCLK, IDC_DEFINITION_LIST, OnDoubleClick)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_DEFINITION_LIST, OnColumnClick)
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
const SORTLIST_COLUMN definitionColumns[] = {
    {L"Active", LVCFMT_LEFT},   {L"Class", LVCFMT_LEFT},    {L"Title", LVCFMT_LEFT},
    {L"Assigned To", LVCFMT_LEFT}, {L"Priority", LVCFMT_LEFT}, {L"Repeat", LVCFMT_LEFT},
    {L"Threshold", LVCFMT_LEFT}, {L"Description", LVCFMT_LEFT}, {L"Criteria", LVCFMT_LEFT},
};
const int nImageActive = 0;
const int nImageInactive = 2;
const wchar_t szFileDialogTitle[] = L"Select Alarm Definitions";
} // namespace

CBelvaneView::CBelvaneView() : CResizableFormView(IDD_DEFINITIONS_FORM)
{
    m_strFilePath = CAppPaths().GetProgramFolder() + L"TervokAlarmDefinitions.txt";
}

CBelvaneView::~CBelvaneView()
{
}

void CBelvaneView::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_DEFINITION_LIST, m_list);
}

void CBelvaneView::OnInitialUpdate()
{
    CResizableFormView::OnInitialUpdate();
    static const LAYOUT_ANCHOR layout[] = {{IDC_DEFINITION_LIST, 4, 4, 0, 0}};
    SetLayout(layout, 1);
    m_list.SetColumns(definitionColumns, (int)(sizeof(definitionColumns) / sizeof(definitionColumns[0])));
    m_list.SetFullRowSelect();
    m_images.AddBitmap(IDB_DEFINITION_ACTIVE);
    m_images.AddBitmap(IDB_DEFINITION_INACTIVE);
    // The list only shares the holder's images (LVS_SHAREIMAGELISTS in the form).
    if (m_images.Create(RGB(255, 0, 255)))
        m_list.SetImageList(m_images.GetImageList(), LVSIL_SMALL);
    FillList(-1);
    RepositionControls(TRUE);
}

void CBelvaneView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // The initial update fills the list itself.
    if (lHint != DEFINITIONS_HINT_EDITED && lHint != DEFINITIONS_HINT_REPLACED)
    {
        CResizableFormView::OnUpdate(pSender, lHint, pHint);
        return;
    }
    CUIntArray arrSelected;
    if (lHint == DEFINITIONS_HINT_EDITED)
        GetSelectedIndexes(arrSelected);
    FillList(-1);
    SelectDefinitions(arrSelected);
}

void CBelvaneView::GetSelectedIndexes(CUIntArray& arrIndexes) const
{
    for (int nItem = -1; (nItem = m_list.GetNextItem(nItem, LVNI_SELECTED)) >= 0;)
        arrIndexes.Add((UINT)m_list.GetItemData(nItem));
}

void CBelvaneView::SelectDefinitions(const CUIntArray& arrIndexes)
{
    for (int nItem = 0; nItem < m_list.GetItemCount(); ++nItem)
    {
        UINT nIndex = (UINT)m_list.GetItemData(nItem);
        for (int i = 0; i < arrIndexes.GetSize(); ++i)
            if (arrIndexes[i] == nIndex)
                m_list.SelectItem(nItem, TRUE);
    }
}

void CBelvaneView::FillList(int nSelect)
{
    // Without redraw the list view neither repaints nor updates its scroll bars for every row.
    m_list.SetRedraw(FALSE);
    CStringArray arrTexts;
    const CAlarmDefinitionList& definitions = GetDefinitions();
    std::vector<SORTLIST_ROW> rows((size_t)definitions.GetCount());
    for (int i = 0; i < definitions.GetCount(); ++i)
    {
        const CAlarmDefinition& definition = *definitions.GetAt(i);
        SORTLIST_ROW& row = rows[(size_t)i];
        row.nImage = definition.m_bActive ? nImageActive : nImageInactive;
        row.dwData = (DWORD_PTR)i;
        row.bSelected = i == nSelect;
        DefinitionRowTexts(definition, arrTexts);
        row.arrTexts.push_back(CString());
        for (int nColumn = 0; nColumn < arrTexts.GetSize(); ++nColumn)
            row.arrTexts.push_back(arrTexts[nColumn]);
    }
    // Sorted by class before the rows go in: sorting the filled list reads every row back.
    m_list.SetSortedRows(rows, 1);
    m_list.AutoSizeColumns();
    m_list.SetRedraw(TRUE);
    m_list.Invalidate(FALSE);
}

int CBelvaneView::GetSelectedCount() const
{
    return m_list.m_hWnd ? (int)m_list.SendMessage(LVM_GETSELECTEDCOUNT) : 0;
}

CAlarmDefinition* CBelvaneView::GetSelectedDefinition() const
{
    int nItem = m_list.GetSelectedIndex();
    if (nItem < 0)
        return nullptr;
    int nIndex = (int)m_list.GetItemData(nItem);
    return nIndex < GetDefinitions().GetCount() ? GetDefinitions().GetAt(nIndex) : nullptr;
}

BOOL CBelvaneView::SaveDefinitions(LPARAM lHint)
{
    DWORD dwError = ERROR_SUCCESS;
    if (GetDocument()->SaveAndUpdate(this, lHint, dwError))
        return TRUE;
    CString strMessage = NotWrittenText(CAlarmDefinitionList::DefaultPath(), dwError) +
                         L" The changes are kept in the open definitions windows only.";
    AfxShowMessageBox(m_hWnd, strMessage, L"Save Definitions", MB_OK | MB_ICONSTOP);
    return FALSE;
}

CString CBelvaneView::NotWrittenText(const wchar_t* pszPath, DWORD dwError)
{
    CString strText;
    strText.Format(L"The alarm definitions could not be written to %s.", pszPath);
    if (dwError != ERROR_SUCCESS)
        strText += L" " + CSystemErrorText::Reason(dwError);
    return strText;
}

BOOL CBelvaneView::EditDefinition(const wchar_t* pszCaption, const CAlarmDefinition* pDefinition,
                                  CAlarmDefinition& result)
{
    CDefineAlarm sheet(pszCaption, GetDefinitions().GetAssignedToList(), GetDefinitions().GetPriorityList(), this,
                       pDefinition);
    if (sheet.DoModal() != IDOK)
        return FALSE;
    result.CopyFrom(sheet.GetDefinition());
    return TRUE;
}

void CBelvaneView::OnAdd()
{
    auto* pDefinition = new CAlarmDefinition;
    if (!EditDefinition(L"Add Definition", nullptr, *pDefinition))
    {
        delete pDefinition;
        return;
    }
    GetDefinitions().Add(pDefinition);
    SaveDefinitions(DEFINITIONS_HINT_EDITED);
    FillList(-1);
}

void CBelvaneView::OnCopy()
{
    const CAlarmDefinition* pSource = GetSelectedDefinition();
    if (!pSource)
        return;
    CAlarmDefinition copy;
    copy.CopyFrom(*pSource);
    copy.m_strTitle = L"Copy of " + pSource->m_strTitle;
    copy.StampCreated();
    auto* pDefinition = new CAlarmDefinition;
    if (!EditDefinition(L"Copy Definition", &copy, *pDefinition))
    {
        delete pDefinition;
        return;
    }
    int nIndex = GetDefinitions().Add(pDefinition);
    SaveDefinitions(DEFINITIONS_HINT_EDITED);
    FillList(nIndex);
}

void CBelvaneView::OnModify()
{
    CAlarmDefinition* pDefinition = GetSelectedDefinition();
    if (!pDefinition || !EditDefinition(L"Modify Definition", pDefinition, *pDefinition))
        return;
    pDefinition->StampModified();
    SaveDefinitions(DEFINITIONS_HINT_EDITED);
    FillList(-1);
}

void CBelvaneView::OnDelete()
{
    if (GetSelectedCount() == 0)
        return;
    if (AfxShowMessageBox(m_hWnd, L"Really delete the selected definitions ?", L"Delete",
                          MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The indexes all refer to the collection before the removal.
    CUIntArray arrIndexes;
    GetSelectedIndexes(arrIndexes);
    GetDefinitions().RemoveAt(arrIndexes);
    SaveDefinitions(DEFINITIONS_HINT_REPLACED);
    FillList(-1);
}

void CBelvaneView::SetActiveFlag(BOOL bActive)
{
    if (GetSelectedCount() == 0)
        return;
    for (int nItem = -1; (nItem = m_list.GetNextItem(nItem, LVNI_SELECTED)) >= 0;)
    {
        GetDefinitions().GetAt((int)m_list.GetItemData(nItem))->m_bActive = bActive;
        m_list.SetItemImage(nItem, bActive ? nImageActive : nImageInactive, TRUE);
    }
    SaveDefinitions(DEFINITIONS_HINT_EDITED);
}

void CBelvaneView::OnActivate()
{
    SetActiveFlag(TRUE);
}

void CBelvaneView::OnDeactivate()
{
    SetActiveFlag(FALSE);
}

void CBelvaneView::OnFileSave()
{
    SaveDefinitions(DEFINITIONS_HINT_EDITED);
}

void CBelvaneView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    pInfo->m_nMaxPage = m_printout.Layout(m_list, pDC, pInfo->m_rectDraw);
}

void CBelvaneView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    m_printout.PrintPage(m_list, pDC, pInfo->m_nCurPage);
}

void CBelvaneView::OnSaveToFile()
{
    CString strPath = m_strFilePath;
    if (!COwnFileDialog::SaveTextFile(this, strPath, szFileDialogTitle))
        return;
    m_strFilePath = strPath;
    if (!GetDefinitions().SaveFile(strPath))
        AfxShowMessageBox(m_hWnd, NotWrittenText(strPath, GetLastError()), L"Save To File", MB_OK | MB_ICONSTOP);
}

void CBelvaneView::OnLoadFromFile()
{
    CString strPath = m_strFilePath;
    if (!COwnFileDialog::OpenTextFile(this, strPath, szFileDialogTitle))
        return;
    m_strFilePath = strPath;
    LoadFromFile(strPath);
}

BOOL CBelvaneView::LoadFromFile(const wchar_t* pszPath)
{
    // The loader keeps the collection as it was when the file holds no whole record.
    if (GetDefinitions().LoadFile(pszPath) == 0)
    {
        CString strMessage;
        strMessage.Format(L"%s holds no complete alarm definition. Nothing was loaded.", pszPath);
        AfxShowMessageBox(m_hWnd, strMessage, L"Load From File", MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    SaveDefinitions(DEFINITIONS_HINT_REPLACED);
    FillList(-1);
    return TRUE;
}

void CBelvaneView::OnTestSelected()
{
    const CAlarmDefinition* pDefinition = GetSelectedDefinition();
    if (!pDefinition)
        return;
    CTestCriteriaDialog dialog(this, *pDefinition);
    if (dialog.DoModal() == IDOK)
        TriggerDefinitionAlarm(*pDefinition, dialog.m_arrFieldNames, dialog.m_arrFieldValues);
}

void CBelvaneView::OnTestAll()
{
    CTestAllCriteriaDialog dialog(this);
    dialog.DoModal();
}

void CBelvaneView::BuildTriggerRecord(const CAlarmDefinition& definition, CStringArray& arrNames,
                                      CStringArray& arrValues)
{
    arrNames.RemoveAll();
    arrValues.RemoveAll();
    arrNames.Add(L"Agent Name");
    arrValues.Add(L"Local");
    CUIntArray arrIds;
    CStringArray arrColumns;
    CStringArray arrLabels;
    GetAlarmFields((UINT)definition.m_nClass, arrIds, arrColumns, arrLabels);
    for (int i = 0; i < arrColumns.GetSize(); ++i)
    {
        arrNames.Add(arrColumns[i]);
        arrValues.Add(L"Test");
    }
}

void CBelvaneView::OnTriggerSelected()
{
    const CAlarmDefinition* pDefinition = GetSelectedDefinition();
    if (!pDefinition)
        return;
    CStringArray arrNames;
    CStringArray arrValues;
    BuildTriggerRecord(*pDefinition, arrNames, arrValues);
    TriggerDefinitionAlarm(*pDefinition, arrNames, arrValues);
}

void CBelvaneView::TriggerDefinitionAlarm(const CAlarmDefinition& definition, const CStringArray& arrFieldNames,
                                          const CStringArray& arrFieldValues)
{
    CAlarmsDatabase database;
    CFileVersionInfo version;
    CString strProduct = version.GetProductName();
    CStringArray arrLines;
    CString strLine;
    strLine.Format(L"Triggered ..: %s", (const wchar_t*)strProduct);
    arrLines.Add(strLine);
    strLine.Format(L"Created ....: %s", (const wchar_t*)CTimeText().FormatCurrentTime());
    arrLines.Add(strLine);
    strLine.Format(L"By .........: %s", (const wchar_t*)strProduct);
    arrLines.Add(strLine);
    arrLines.Add(CString());
    CString strTime;
    strTime.Format(L"%u", (UINT)::time(nullptr));
    CAlarmActionsDlg dialog(this, definition, strProduct, strTime, arrFieldNames, arrFieldValues);
    dialog.DoModal();
    arrLines.Append(dialog.GetReportLines());
    BOOL bAdded = database.AddAlarmRecordFromLines(definition, arrFieldNames, arrFieldValues, arrLines, L"Open");
    if (CMainFrame* pFrame = GetMainFrame())
    {
        pFrame->AddLogfileMessage(bAdded ? 0 : 1, bAdded ? L"Alarm added: %s" : L"Alarm not added: %s",
                                  (const wchar_t*)definition.m_strTitle);
        pFrame->PostMessage(RegisteredMessage::nMsgRefresh, 0, 0);
    }
}

void CBelvaneView::OnUpdateOneSelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSelectedCount() == 1);
}

void CBelvaneView::OnUpdateAnySelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSelectedCount() >= 1);
}

void CBelvaneView::OnUpdateTestAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetDefinitions().GetCount() > 0);
}

void CBelvaneView::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    OnModify();
    *pResult = 0;
}

void CBelvaneView::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_list.SortOnColumnClick(reinterpret_cast<NMLISTVIEW*>(pNMHDR));
    *pResult = 0;
}

LRESULT CBelvaneView::OnContextMenu(WPARAM, LPARAM lParam)
{
    CWnd* pMain = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    HMENU hPopup = pMain ? FindMenuPopup(::GetMenu(pMain->m_hWnd), L"Definitions") : nullptr;
    CWnd* pFrame = (CWnd*)GetParentFrame();
    if (hPopup)
        ::TrackPopupMenu(hPopup, TPM_RIGHTBUTTON, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), 0,
                         pFrame ? pFrame->m_hWnd : m_hWnd, nullptr);
    return 0;
}

void CBelvaneView::OnSize(UINT nType, int cx, int cy)
{
    CResizableFormView::OnSize(nType, cx, cy);
    RepositionControls(TRUE);
    m_list.AutoSizeColumns();
}
