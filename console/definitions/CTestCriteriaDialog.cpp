#include "console/definitions/CTestCriteriaDialog.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/CriteriaMatcher.h"
#include "console/definitions/DefinitionTexts.h"
#include "framework/window/CDataExchange.h"

BEGIN_MESSAGE_MAP(CTestCriteriaDialog, CCriteriaTestRowsDialog)
END_MESSAGE_MAP()

CTestCriteriaDialog::CTestCriteriaDialog(CWnd* pParentWnd, const CAlarmDefinition& definition)
    : CCriteriaTestRowsDialog(IDD_TEST_CRITERIA, pParentWnd)
{
    m_definition.CopyFrom(definition);
}

void CTestCriteriaDialog::DoDataExchange(CDataExchange* pDX)
{
    for (int i = 0; i < nRows; ++i)
        DDX_Control(pDX, TestRowFieldId(nRows - 1 - i), m_comboFields[i]);
}

BOOL CTestCriteriaDialog::OnInitDialog()
{
    CCriteriaTestRowsDialog::OnInitDialog();
    m_arrCriterionFields.Add((UINT)-1);
    m_arrCriterionOperators.Add((UINT)-1);
    m_arrColumns.Add(CString());
    m_arrLabels.Add(CString());
    m_arrOperatorLabels.Add(CString());
    m_arrValues.Add(CString());
    for (int i = 0; i < m_definition.m_arrCriteria.GetSize(); ++i)
    {
        UINT nField = 0;
        UINT nOperator = 0;
        CString strValues;
        if (!ParseStoredCriterion(m_definition.m_arrCriteria[i], nField, nOperator, strValues))
            continue;
        m_arrCriterionFields.Add(nField);
        m_arrCriterionOperators.Add(nOperator);
        m_arrColumns.Add(AlarmFieldColumnName(nField));
        m_arrLabels.Add(AlarmFieldLabel(nField));
        m_arrOperatorLabels.Add(MatchOperatorLabel(nOperator));
        m_arrValues.Add(strValues);
    }
    for (CDataComboBox& combo : m_comboFields)
    {
        for (int i = 0; i < m_arrLabels.GetSize(); ++i)
            combo.AddItem(m_arrLabels[i], m_arrCriterionFields[i]);
        combo.SetCurSel(0);
    }
    Evaluate();
    return TRUE;
}

int CTestCriteriaDialog::GetRowCriterion(int nRow) const
{
    int nSel = (int)::SendDlgItemMessageW(m_hWnd, TestRowFieldId(nRow), CB_GETCURSEL, 0, 0);
    return nSel > 0 ? nSel : 0;
}

void CTestCriteriaDialog::OnFieldChosen(int nRow)
{
    CString strLabel = m_arrLabels[GetRowCriterion(nRow)];
    if (!strLabel.IsEmpty())
    {
        for (int k = 0; k < nRows; ++k)
        {
            if (k != nRow && m_arrLabels[GetRowCriterion(k)] == strLabel)
                ::SendDlgItemMessageW(m_hWnd, TestRowFieldId(k), CB_SETCURSEL, 0, 0);
        }
    }
    Evaluate();
}

void CTestCriteriaDialog::Evaluate()
{
    m_arrFieldNames.RemoveAll();
    m_arrFieldValues.RemoveAll();
    int nInUse = 0;
    BOOL bAllMatch = TRUE;
    for (int k = 0; k < nRows; ++k)
    {
        int nCriterion = GetRowCriterion(k);
        BOOL bInUse = !m_arrLabels[nCriterion].IsEmpty();
        CString strMatch;
        if (bInUse)
            strMatch = m_arrOperatorLabels[nCriterion] + L" " + CriterionValuesForDisplay(m_arrValues[nCriterion]);
        SetDlgItemText(TestRowDisplayId(k), bInUse ? m_arrLabels[nCriterion] : CString());
        SetDlgItemText(TestRowMatchTextId(k), strMatch);
        for (int nID : {TestRowValueId(k), TestRowDisplayLabelId(k), TestRowMatchLabelId(k)})
            ::EnableWindow(::GetDlgItem(m_hWnd, nID), bInUse);
        BOOL bMatch = FALSE;
        if (bInUse)
        {
            ++nInUse;
            CString strValue = GetDlgItemText(TestRowValueId(k));
            // The first criterion with the chosen label names the record field.
            for (int i = 1; i < m_arrLabels.GetSize(); ++i)
            {
                if (m_arrLabels[i] == m_arrLabels[nCriterion])
                {
                    m_arrFieldNames.Add(m_arrColumns[i]);
                    break;
                }
            }
            m_arrFieldValues.Add(strValue);
            bMatch = MatchCriterionValue(m_arrValues[nCriterion], strValue, m_arrCriterionOperators[nCriterion]);
            bAllMatch = bAllMatch && bMatch;
        }
        ::EnableWindow(::GetDlgItem(m_hWnd, TestRowMatchId(k)), bInUse && bMatch);
        ::EnableWindow(::GetDlgItem(m_hWnd, TestRowNoMatchId(k)), bInUse && !bMatch);
    }
    CString strResult;
    TestDefinitionCriteria(m_definition, m_arrFieldNames, m_arrFieldValues, strResult);
    SetDlgItemText(IDC_TEST_RESULT, strResult);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), nInUse > 0 && bAllMatch);
}
