// The Criteria page of the alarm-definition sheet: one row per criterion (field label, match
// operator label, values with "\t , \t" between alternatives), edited through the criterion
// dialog or taken whole from a collector record on the clipboard.
#pragma once

#include "alarmmodel/AlarmDefinition.h"
#include "console/definitions/CDefinitionListPage.h"

class CDefineAlarmCriteria : public CDefinitionListPage
{
public:
    CDefineAlarmCriteria();

    void SetCriteria(const CAlarmDefinition& definition);
    // One stored criterion per row, in list order; the array is emptied first.
    void GetCriteria(CStringArray& arrCriteria) const;
    void LoadFromClipboard();

protected:
    BOOL OnInitDialog() override;
    void OnAdd() override;
    void OnModify() override;
    DECLARE_MESSAGE_MAP()

private:
    void SetRow(int nItem, UINT nField, UINT nOperator, const CString& strValues);
    UINT GetSelectedClass() const;
};
