// The Actions page of the alarm-definition sheet: one row per notification action (kind name
// and parameter), edited through the action dialog.
#pragma once

#include "alarmmodel/AlarmDefinition.h"
#include "console/definitions/CDefinitionListPage.h"

#include <memory>

class CDefineAlarmActions : public CDefinitionListPage
{
public:
    CDefineAlarmActions();
    ~CDefineAlarmActions() override;

    void SetActions(const CAlarmDefinition& definition);
    // "kind:parameter" per row, in list order; the array is emptied first.
    void GetActions(CStringArray& arrActions) const;

protected:
    BOOL OnInitDialog() override;
    void OnAdd() override;
    void OnModify() override;

private:
    void SetRow(int nItem, UINT nKind, const CString& strParameter);
    CString GetTitle() const;

    std::unique_ptr<CFont> m_pFont;
};
