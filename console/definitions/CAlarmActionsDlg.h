// Runs every notification action of one definition in test mode on demand and shows what the
// action runner reports; the caller reads the last run's report after the dialog closes.
#pragma once

#include "alarmmodel/AlarmDefinition.h"
#include "framework/window/CDialog.h"

#include <memory>

class CAlarmActionsDlg : public CDialog
{
public:
    CAlarmActionsDlg(CWnd* pParentWnd, const CAlarmDefinition& definition, const CString& strOrigin,
                     const CString& strTime, const CStringArray& arrFieldNames, const CStringArray& arrFieldValues);
    ~CAlarmActionsDlg() override;

    // Empty until the first run; each run replaces it.
    const CStringArray& GetReportLines() const { return m_arrReport; }
    // Runs every action once more and shows the report.
    void RunActions();

protected:
    BOOL OnInitDialog() override;
    // Only Cancel closes the dialog.
    void OnOK() override {}
    void OnOptions();
    DECLARE_MESSAGE_MAP()

private:
    const CAlarmDefinition& m_definition;
    std::unique_ptr<CFont> m_pFont;
    CStringArray m_arrReport;
    CString m_strOrigin;
    CString m_strTime;
    CStringArray m_arrFieldNames;
    CStringArray m_arrFieldValues;
};
