// Tries one definition against a record typed by hand: up to four of its criteria, each with a
// value, show at once whether they and the whole definition match. OK, possible only when
// every row in use matches, hands the record back.
#pragma once

#include "alarmmodel/AlarmDefinition.h"
#include "console/definitions/CCriteriaTestRowsDialog.h"
#include "wincomponents/lists/CDataComboBox.h"

class CTestCriteriaDialog : public CCriteriaTestRowsDialog
{
public:
    static const int nRows = nCriteriaTestRows;

    CTestCriteriaDialog(CWnd* pParentWnd, const CAlarmDefinition& definition);

    // The test record of the last evaluation: column names and values.
    CStringArray m_arrFieldNames;
    CStringArray m_arrFieldValues;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnFieldChosen(int nRow) override;
    void Evaluate() override;
    DECLARE_MESSAGE_MAP()

private:
    // The row's criterion index (0: the empty entry).
    int GetRowCriterion(int nRow) const;

    // In the order of the rows' controls 1037, 1036, 1035, 1034.
    CDataComboBox m_comboFields[nRows];
    CAlarmDefinition m_definition;
    // The definition's criteria; index 0 is the empty entry.
    CUIntArray m_arrCriterionFields;
    CUIntArray m_arrCriterionOperators;
    CStringArray m_arrColumns;
    CStringArray m_arrLabels;
    CStringArray m_arrOperatorLabels;
    CStringArray m_arrValues;
};
