#include "console/definitions/CCriterionDialog.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "console/definitions/DefinitionTexts.h"
#include "framework/window/CDataExchange.h"
#include "resources/console/DefinitionsRes.h"

BEGIN_MESSAGE_MAP(CCriterionDialog, CDialog)
    ON_CONTROL(CBN_SELCHANGE, IDC_CRITERION_MATCH, OnMatchChange)
    ON_CONTROL(EN_CHANGE, IDC_CRITERION_VALUE, OnValueChange)
END_MESSAGE_MAP()

namespace
{
const int alternativeEdits[CCriterionDialog::nAlternatives] = {IDC_CRITERION_OR1, IDC_CRITERION_OR2, IDC_CRITERION_OR3,
                                                              IDC_CRITERION_OR4, IDC_CRITERION_OR5};
const int alternativeLabels[CCriterionDialog::nAlternatives] = {IDC_CRITERION_LABEL1, IDC_CRITERION_LABEL2,
                                                               IDC_CRITERION_LABEL3, IDC_CRITERION_LABEL4,
                                                               IDC_CRITERION_LABEL5};
} // namespace

CCriterionDialog::CCriterionDialog(CWnd* pParentWnd, UINT nClass, UINT nField, const CString& strValues, UINT nOperator)
    : CDialog(IDD_CRITERION, pParentWnd), m_nChosenField(nField), m_nChosenOperator(nOperator),
      m_strClassName(TriggerSourceName(nClass)), m_nClass(nClass), m_nField(nField), m_nOperator(nOperator), m_bInitialised(FALSE)
{
    CStringArray arrParts;
    SplitCriterionValues(strValues, arrParts, nAlternatives + 1);
    m_strValue = arrParts[0];
    for (int i = 0; i < nAlternatives; ++i)
        m_arrAlternatives[i] = arrParts[i + 1];
}

void CCriterionDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_CRITERION_MATCH, m_comboMatch);
    DDX_Control(pDX, IDC_CRITERION_FIELD, m_comboField);
    DDX_Text(pDX, IDC_CRITERION_CLASS, m_strClassName);
    DDX_Text(pDX, IDC_CRITERION_VALUE, m_strValue);
    for (int i = 0; i < nAlternatives; ++i)
        DDX_Text(pDX, alternativeEdits[i], m_arrAlternatives[i]);
}

BOOL CCriterionDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CUIntArray arrIds;
    CStringArray arrColumns;
    CStringArray arrLabels;
    GetAlarmFields(m_nClass, arrIds, arrColumns, arrLabels);
    m_comboField.AddItemsWithData(arrLabels, arrIds);
    CUIntArray arrOperators;
    CStringArray arrOperatorLabels;
    GetMatchOperators(arrOperators, arrOperatorLabels);
    m_comboMatch.AddItemsWithData(arrOperatorLabels, arrOperators);
    m_comboField.SetCurSel(0);
    m_comboField.SelectByData(m_nField);
    m_comboMatch.SetCurSel(0);
    m_comboMatch.SelectByData(m_nOperator);
    m_bInitialised = TRUE;
    ApplyOperatorRule();
    return TRUE;
}

void CCriterionDialog::ApplyOperatorRule()
{
    UINT nOperator = m_comboMatch.GetSelData();
    BOOL bAll = nOperator == MATCH_TEXT_NOT_CONTAINS || nOperator == MATCH_NUMBER_NOT_EQUAL;
    BOOL bAlternatives = nOperator <= MATCH_NUMBER_NOT_EQUAL;
    for (int i = 0; i < nAlternatives; ++i)
    {
        SetDlgItemText(alternativeLabels[i], bAll ? L"And:" : L"Or:");
        ::EnableWindow(::GetDlgItem(m_hWnd, alternativeLabels[i]), bAlternatives);
        ::EnableWindow(::GetDlgItem(m_hWnd, alternativeEdits[i]), bAlternatives);
    }
    ApplyOkRule();
}

CString CCriterionDialog::JoinValues()
{
    UpdateData(TRUE);
    CStringArray arrParts;
    arrParts.Add(m_strValue);
    for (int i = 0; i < nAlternatives; ++i)
    {
        if (::IsWindowEnabled(::GetDlgItem(m_hWnd, alternativeEdits[i])))
            arrParts.Add(m_arrAlternatives[i]);
    }
    return JoinCriterionValues(arrParts);
}

void CCriterionDialog::ApplyOkRule()
{
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), !JoinValues().IsEmpty());
}

void CCriterionDialog::OnMatchChange()
{
    ApplyOperatorRule();
}

void CCriterionDialog::OnValueChange()
{
    // The first writing of the controls would be read back half written.
    if (m_bInitialised)
        ApplyOkRule();
}

void CCriterionDialog::OnOK()
{
    m_strJoinedValues = JoinValues();
    m_nChosenField = m_comboField.GetSelData();
    m_nChosenOperator = m_comboMatch.GetSelData();
    EndDialog(IDOK);
}
