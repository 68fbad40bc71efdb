// A page of the alarm-definition sheet that is one list with Add, Modify and Delete: Add always
// enabled, Modify for exactly one selected row (also by double click), Delete for any. When the
// page grows, the list grows with it and the buttons below the list move down.
#pragma once

#include "framework/gdi/CRect.h"
#include "framework/window/CPropertyPage.h"
#include "wincomponents/lists/CSortListCtrl.h"

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
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CSortListCtrl m_list;

private:
    void ApplyButtonRule();
    // The control's place in the page's client area.
    CRect ControlRect(UINT nID) const;

    // The page's client area and its controls' places at initialisation, in the order list,
    // Add, Modify, Delete, Load from Clipboard (absent on some pages).
    CRect m_rectInitial;
    CRect m_rectControls[5];
};
