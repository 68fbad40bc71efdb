// A page of the alarm-definition sheet that is one list with Add, Modify and Delete: Add always
// enabled, Modify for exactly one selected row (also by double click), Delete for any.
#pragma once

#include "framework/window/CPropertyPage.h"
#include "wincomponents/CSortListCtrl.h"

class CDefineAlarmGeneral;

class CDefinitionListPage : public CPropertyPage
{
public:
    explicit CDefinitionListPage(UINT nIDTemplate);

    // The page that holds the definition's class and title.
    CDefineAlarmGeneral* m_pGeneralPage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The columns, full-row selection and the button rule.
    void InitList(const SORTLIST_COLUMN* pColumns, int nCount);
    virtual void OnAdd() = 0;
    virtual void OnModify() = 0;
    void OnAddCommand() { OnAdd(); }
    void OnModifyCommand() { OnModify(); }
    void OnDelete();
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CSortListCtrl m_list;

private:
    void ApplyButtonRule();
};
