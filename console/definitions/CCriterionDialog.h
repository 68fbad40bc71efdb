// Edits one criterion: a record field of the trigger source, a match operator and a value with
// up to five alternatives ("Or:", or "And:" for the operators that need every alternative).
// OK needs at least one value.
#pragma once

#include "framework/window/CDialog.h"
#include "wincomponents/lists/CDataComboBox.h"

class CCriterionDialog : public CDialog
{
public:
    static const int nAlternatives = 5;

    CCriterionDialog(CWnd* pParentWnd, UINT nClass, UINT nField, const CString& strValues, UINT nOperator);

    // Valid after OK.
    UINT m_nChosenField;
    UINT m_nChosenOperator;
    CString m_strJoinedValues;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnMatchChange();
    void OnValueChange();
    DECLARE_MESSAGE_MAP()

private:
    void ApplyOperatorRule();
    void ApplyOkRule();
    // The value and the enabled, non-empty alternatives, joined.
    CString JoinValues();

    CDataComboBox m_comboMatch;
    CDataComboBox m_comboField;
    CString m_strClassName;
    CString m_strValue;
    CString m_arrAlternatives[nAlternatives];
    UINT m_nClass;
    UINT m_nField;
    UINT m_nOperator;
    BOOL m_bInitialised;
};
