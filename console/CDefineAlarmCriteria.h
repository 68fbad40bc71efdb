// The Criteria page of the alarm-definition sheet: one row per criterion (field label, match
// operator label, values with "\t , \t" between alternatives), edited through the criterion
// dialog or taken whole from a collector record on the clipboard.
#pragma once

#include "alarmmodel/AlarmDefinition.h"
#include "framework/window/CPropertyPage.h"
#include "wincomponents/CSortListCtrl.h"

class CDefineAlarmGeneral;

class CDefineAlarmCriteria : public CPropertyPage
{
public:
    CDefineAlarmCriteria();

    void SetCriteria(const CAlarmDefinition& definition);
    // One stored criterion per row, in list order; the array is emptied first.
    void GetCriteria(CStringArray& arrCriteria) const;
    void LoadFromClipboard();

    // The page whose class the criteria belong to.
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
    void SetRow(int nItem, UINT nField, UINT nOperator, const CString& strValues);
    void ApplyButtonRule();
    UINT GetSelectedClass() const;

    CSortListCtrl m_list;
};
