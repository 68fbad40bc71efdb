// Tries every definition of one trigger source against a record typed by hand: up to four
// record fields with values, and a row per definition telling whether it would fire.
#pragma once

#include "alarmmodel/AlarmDefinitionList.h"
#include "console/definitions/CCriteriaTestRowsDialog.h"
#include "wincomponents/lists/CDataComboBox.h"
#include "wincomponents/pictures/CImageListHolder.h"
#include "wincomponents/lists/CSortListCtrl.h"

class CTestAllCriteriaDialog : public CCriteriaTestRowsDialog
{
public:
    static const int nRows = nCriteriaTestRows;

    // Loads its own collection from the definitions file.
    explicit CTestAllCriteriaDialog(CWnd* pParentWnd);

    CSortListCtrl& GetResults() { return m_listResults; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnClassChange();
    void OnResultChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFieldChosen(int nRow) override;
    void Evaluate() override;
    DECLARE_MESSAGE_MAP()

private:
    void RefreshRowLabels();
    // The row's chosen field entry (0: none).
    int GetRowField(int nRow) const;

    CSortListCtrl m_listResults;
    // In the order of the rows' controls 1037, 1036, 1035, 1034; then the class list.
    CDataComboBox m_comboFields[nRows];
    CDataComboBox m_comboClass;
    CAlarmDefinitionList m_definitions;
    CImageListHolder m_images;
    UINT m_nClass;
    CUIntArray m_arrFieldIds;
    CStringArray m_arrColumns;
    CStringArray m_arrLabels;
};
