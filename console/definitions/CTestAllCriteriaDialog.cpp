#include "console/definitions/CTestAllCriteriaDialog.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/CriteriaMatcher.h"
#include "framework/window/CDataExchange.h"

BEGIN_MESSAGE_MAP(CTestAllCriteriaDialog, CCriteriaTestRowsDialog)
    ON_CONTROL(CBN_SELCHANGE, IDC_TEST_CLASS, OnClassChange)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_TEST_RESULTS, OnResultChanged)
END_MESSAGE_MAP()

namespace
{
const SORTLIST_COLUMN resultColumns[] = {
    {L"Status", LVCFMT_LEFT},
    {L"Title", LVCFMT_LEFT},
    {L"Test Result", LVCFMT_LEFT},
};
const int nImageMatch = 0;
const int nImageNoMatch = 2;
const int nImageInactive = 4;
} // namespace

CTestAllCriteriaDialog::CTestAllCriteriaDialog(CWnd* pParentWnd)
    : CCriteriaTestRowsDialog(IDD_TEST_ALL_CRITERIA, pParentWnd), m_nClass(0)
{
    m_definitions.Load();
}

void CTestAllCriteriaDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_TEST_RESULTS, m_listResults);
    for (int i = 0; i < nRows; ++i)
        DDX_Control(pDX, TestRowFieldId(nRows - 1 - i), m_comboFields[i]);
    DDX_Control(pDX, IDC_TEST_CLASS, m_comboClass);
}

BOOL CTestAllCriteriaDialog::OnInitDialog()
{
    CCriteriaTestRowsDialog::OnInitDialog();
    for (UINT nID : {IDB_TEST_MATCH, IDB_TEST_NO_MATCH, IDB_DEFINITION_INACTIVE})
        m_images.AddBitmap(nID);
    // The list only shares the holder's images (LVS_SHAREIMAGELISTS in the template).
    if (m_images.Create(RGB(255, 0, 255)))
        m_listResults.SetImageList(m_images.GetImageList(), LVSIL_SMALL);
    m_listResults.SetColumns(resultColumns, 3);
    m_listResults.SetFullRowSelect();
    m_listResults.AutoSizeColumns();
    CUIntArray arrIds;
    CStringArray arrNames;
    CStringArray arrDescriptions;
    GetTriggerSourcesEx(arrIds, arrNames, arrDescriptions);
    m_comboClass.AddItemsWithData(arrNames, arrIds);
    m_comboClass.SetCurSel(0);
    OnClassChange();
    return TRUE;
}

int CTestAllCriteriaDialog::GetRowField(int nRow) const
{
    int nSel = (int)::SendDlgItemMessageW(m_hWnd, TestRowFieldId(nRow), CB_GETCURSEL, 0, 0);
    if (nSel <= 0)
        return 0;
    // The lists sort their items: the entry is found by its id.
    UINT nFieldId = (UINT)::SendDlgItemMessageW(m_hWnd, TestRowFieldId(nRow), CB_GETITEMDATA, (WPARAM)nSel, 0);
    for (int i = 1; i < m_arrFieldIds.GetSize(); ++i)
    {
        if (m_arrFieldIds[i] == nFieldId)
            return i;
    }
    return 0;
}

void CTestAllCriteriaDialog::OnClassChange()
{
    for (CDataComboBox& combo : m_comboFields)
        combo.SendMessage(CB_RESETCONTENT);
    m_nClass = m_comboClass.GetSelData();
    GetAlarmFields(m_nClass, m_arrFieldIds, m_arrColumns, m_arrLabels);
    m_arrFieldIds.InsertAt(0, 0);
    m_arrColumns.InsertAt(0, CString());
    m_arrLabels.InsertAt(0, CString());
    for (CDataComboBox& combo : m_comboFields)
        combo.AddItemsWithData(m_arrLabels, m_arrFieldIds);
    Evaluate();
    CString strCount;
    strCount.Format(L"%d definition(s)", m_listResults.GetItemCount());
    SetDlgItemText(IDC_TEST_COUNT, strCount);
    BOOL bRows = m_listResults.GetItemCount() > 0;
    for (int k = 0; k < nRows; ++k)
    {
        ::EnableWindow(::GetDlgItem(m_hWnd, TestRowFieldId(k)), bRows);
        ::EnableWindow(::GetDlgItem(m_hWnd, TestRowValueId(k)), bRows);
    }
}

void CTestAllCriteriaDialog::OnFieldChosen(int nRow)
{
    int nField = GetRowField(nRow);
    if (nField > 0)
    {
        for (int k = 0; k < nRows; ++k)
        {
            if (k != nRow && GetRowField(k) == nField)
                ::SendDlgItemMessageW(m_hWnd, TestRowFieldId(k), CB_SETCURSEL, 0, 0);
        }
    }
    RefreshRowLabels();
    Evaluate();
}

void CTestAllCriteriaDialog::RefreshRowLabels()
{
    for (int k = 0; k < nRows; ++k)
    {
        int nField = GetRowField(k);
        ::EnableWindow(::GetDlgItem(m_hWnd, TestRowDisplayLabelId(k)), nField > 0);
        SetDlgItemText(TestRowDisplayId(k), m_arrColumns[nField]);
    }
    int nSelected = m_listResults.GetSelectedIndex();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_TEST_TRIGGER),
                   nSelected >= 0 && m_listResults.GetItemImage(nSelected) == nImageMatch);
}

void CTestAllCriteriaDialog::Evaluate()
{
    CStringArray arrNames;
    CStringArray arrValues;
    for (int k = 0; k < nRows; ++k)
    {
        int nField = GetRowField(k);
        if (nField == 0)
            continue;
        arrNames.Add(m_arrColumns[nField]);
        arrValues.Add(GetDlgItemText(TestRowValueId(k)));
    }
    m_listResults.SetRedraw(FALSE);
    m_listResults.DeleteAllItems();
    for (int i = 0; i < m_definitions.GetCount(); ++i)
    {
        const CAlarmDefinition& definition = *m_definitions.GetAt(i);
        if ((UINT)definition.m_nClass != m_nClass)
            continue;
        int nImage = nImageInactive;
        CString strResult = L"Not active";
        if (definition.m_bActive)
        {
            strResult.Empty();
            BOOL bMatch = arrNames.GetSize() > 0 &&
                          TestDefinitionCriteria(definition, arrNames, arrValues, strResult);
            nImage = bMatch ? nImageMatch : nImageNoMatch;
        }
        int nItem = m_listResults.InsertItem(m_listResults.GetItemCount(), L"", nImage);
        m_listResults.SetItemText(nItem, 1, definition.m_strTitle);
        m_listResults.SetItemText(nItem, 2, strResult);
    }
    m_listResults.AutoSizeColumns();
    m_listResults.SetRedraw(TRUE);
    m_listResults.EnableWindow(m_listResults.GetItemCount() > 0);
    RefreshRowLabels();
}

void CTestAllCriteriaDialog::OnResultChanged(NMHDR*, LRESULT* pResult)
{
    RefreshRowLabels();
    *pResult = 0;
}
