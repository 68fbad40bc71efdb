#include "console/definitions/CDefineAlarmCriteria.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "console/definitions/CClipboardReader.h"
#include "console/definitions/CCriterionDialog.h"
#include "console/definitions/CDefineAlarmGeneral.h"
#include "console/definitions/DefinitionTexts.h"
#include "framework/window/AfxMessageBox.h"
#include "resources/console/DefinitionsRes.h"

BEGIN_MESSAGE_MAP(CDefineAlarmCriteria, CDefinitionListPage)
    ON_CONTROL(BN_CLICKED, IDC_LOAD_FROM_CLIPBOARD, LoadFromClipboard)
END_MESSAGE_MAP()

namespace
{
const SORTLIST_COLUMN criteriaColumns[] = {
    {L"Field", LVCFMT_LEFT},
    {L"Match", LVCFMT_LEFT},
    {L"Value", LVCFMT_LEFT},
};
} // namespace

CDefineAlarmCriteria::CDefineAlarmCriteria() : CDefinitionListPage(IDD_DEFINE_CRITERIA)
{
}

BOOL CDefineAlarmCriteria::OnInitDialog()
{
    CDefinitionListPage::OnInitDialog();
    InitList(criteriaColumns, 3);
    return TRUE;
}

UINT CDefineAlarmCriteria::GetSelectedClass() const
{
    return m_pGeneralPage ? m_pGeneralPage->GetClass() : 0;
}

void CDefineAlarmCriteria::SetRow(int nItem, UINT nField, UINT nOperator, const CString& strValues)
{
    if (nItem < 0)
        nItem = m_list.InsertItem(m_list.GetItemCount(), AlarmFieldLabel(nField));
    else
        m_list.SetItemText(nItem, 0, AlarmFieldLabel(nField));
    m_list.SetItemData(nItem, nField);
    m_list.SetItemText(nItem, 1, MatchOperatorLabel(nOperator));
    m_list.SetItemText(nItem, 2, CriterionValuesForDisplay(strValues));
}

void CDefineAlarmCriteria::SetCriteria(const CAlarmDefinition& definition)
{
    m_list.DeleteAllItems();
    for (int i = 0; i < definition.m_arrCriteria.GetSize(); ++i)
    {
        UINT nField = 0;
        UINT nOperator = 0;
        CString strValues;
        if (ParseStoredCriterion(definition.m_arrCriteria[i], nField, nOperator, strValues))
            SetRow(-1, nField, nOperator, strValues);
    }
    m_list.AutoSizeColumns();
}

void CDefineAlarmCriteria::GetCriteria(CStringArray& arrCriteria) const
{
    arrCriteria.RemoveAll();
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        arrCriteria.Add(FormatStoredCriterion((UINT)m_list.GetItemData(i),
                                              MatchOperatorFromLabel(m_list.GetItemText(i, 1)),
                                              CriterionValuesFromDisplay(m_list.GetItemText(i, 2))));
}

void CDefineAlarmCriteria::OnAdd()
{
    CCriterionDialog dialog(this, GetSelectedClass(), 0, CString(), 0);
    if (dialog.DoModal() != IDOK)
        return;
    SetRow(-1, dialog.m_nChosenField, dialog.m_nChosenOperator, dialog.m_strJoinedValues);
    m_list.EnsureVisible(m_list.GetItemCount() - 1, FALSE);
    m_list.AutoSizeColumns();
}

void CDefineAlarmCriteria::OnModify()
{
    int nItem = m_list.GetSelectedIndex();
    if (nItem < 0)
        return;
    CCriterionDialog dialog(this, GetSelectedClass(), (UINT)m_list.GetItemData(nItem),
                            CriterionValuesFromDisplay(m_list.GetItemText(nItem, 2)),
                            MatchOperatorFromLabel(m_list.GetItemText(nItem, 1)));
    if (dialog.DoModal() != IDOK)
        return;
    SetRow(nItem, dialog.m_nChosenField, dialog.m_nChosenOperator, dialog.m_strJoinedValues);
    m_list.AutoSizeColumns();
}

void CDefineAlarmCriteria::LoadFromClipboard()
{
    CStringArray arrLines;
    CClipboardReader().ReadClipboardLines(arrLines);
    UINT nRecordClass = ClipboardRecordClass(arrLines);
    UINT nClass = GetSelectedClass();
    if (nRecordClass != nClass)
    {
        CString strMessage;
        strMessage.Format(L"The record on the clipboard (%s) does not match the class selected on the General page (%s).",
                          (const wchar_t*)TriggerSourceName(nRecordClass), (const wchar_t*)TriggerSourceName(nClass));
        AfxShowMessageBox(m_hWnd, strMessage, L"Invalid Class", MB_OK | MB_ICONSTOP);
        return;
    }
    CUIntArray arrIds;
    CStringArray arrColumns;
    CStringArray arrLabels;
    GetAlarmFields(nClass, arrIds, arrColumns, arrLabels);
    m_list.DeleteAllItems();
    for (int i = 0; i < arrLines.GetSize(); ++i)
    {
        CString strLabel;
        CString strValue;
        if (!ParseClipboardField(arrLines[i], strLabel, strValue))
            continue;
        for (int k = 0; k < arrLabels.GetSize(); ++k)
        {
            if (arrLabels[k] == strLabel)
            {
                SetRow(-1, arrIds[k], MATCH_TEXT_EXACT, strValue);
                break;
            }
        }
    }
    m_list.SortByFirstColumn();
    m_list.AutoSizeColumns();
}
