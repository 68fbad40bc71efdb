// "Advanced DSN Settings": every data source with its additional connection parameters, on a
// copy of the caller's store that the caller takes back after OK.
#pragma once

#include "alarmmodel/database/DsnParameterStore.h"
#include "framework/controls/CButton.h"
#include "framework/window/CDialog.h"
#include "wincomponents/lists/CSortListCtrl.h"

class CDsnParametersDlg : public CDialog
{
public:
    CDsnParametersDlg(CWnd* pParentWnd, CDsnParameterStore* pSource);

    CSortListCtrl m_list;
    CButton m_btnModify;
    CButton m_btnClear;
    CDsnParameterStore m_store;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnModify();
    void OnClear();
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void SetButtonStates();
};
