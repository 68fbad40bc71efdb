// The Actions page of the alarm-definition sheet: one row per notification action (kind name
// and parameter), edited through the action dialog.
#pragma once

#include "alarmmodel/AlarmDefinition.h"
#include "framework/window/CPropertyPage.h"
#include "wincomponents/CSortListCtrl.h"

#include <memory>

class CDefineAlarmGeneral;

class CDefineAlarmActions : public CPropertyPage
{
public:
    CDefineAlarmActions();
    ~CDefineAlarmActions() override;

    void SetActions(const CAlarmDefinition& definition);
    // "kind:parameter" per row, in list order; the array is emptied first.
    void GetActions(CStringArray& arrActions) const;

    // The page whose title a speech preview speaks.
    CDefineAlarmGeneral* m_pGeneralPage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void SetRow(int nItem, UINT nKind, const CString& strParameter);
    void ApplyButtonRule();
    CString GetTitle() const;

    CSortListCtrl m_list;
    std::unique_ptr<CFont> m_pFont;
};
