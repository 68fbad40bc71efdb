#include "console/definitions/CAlarmActionsDlg.h"

#include "console/settings/CSettingsSheet.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/DefinitionsRes.h"
#include "wincomponents/controls/CFontFactory.h"

BEGIN_MESSAGE_MAP(CAlarmActionsDlg, CDialog)
    ON_COMMAND(IDC_ALARM_ACTIONS_START, RunActions)
    ON_COMMAND(IDC_ALARM_ACTIONS_OPTIONS, OnOptions)
END_MESSAGE_MAP()

CAlarmActionsDlg::CAlarmActionsDlg(CWnd* pParentWnd, const CAlarmDefinition& definition, const CString& strOrigin,
                                   const CString& strTime, const CStringArray& arrFieldNames,
                                   const CStringArray& arrFieldValues)
    : CDialog(IDD_ALARM_ACTIONS, pParentWnd), m_definition(definition), m_strOrigin(strOrigin), m_strTime(strTime)
{
    m_arrFieldNames.Copy(arrFieldNames);
    m_arrFieldValues.Copy(arrFieldValues);
}

CAlarmActionsDlg::~CAlarmActionsDlg()
{
}

BOOL CAlarmActionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pFont.reset(CFontFactory(this).CreateCourierFont(10, FALSE));
    if (m_pFont)
        ::SendMessageW(::GetDlgItem(m_hWnd, IDC_ALARM_ACTIONS_REPORT), WM_SETFONT, (WPARAM)m_pFont->m_hObject, TRUE);
    return TRUE;
}

void CAlarmActionsDlg::RunActions()
{
    CWaitCursor wait;
    CStringArray arrTrigger;
    arrTrigger.Add(L"Test mode -");
    arrTrigger.Add(L"No match information available.");
    CStringArray arrReport;
    m_definition.ExecuteAlarmActions(m_strOrigin, m_strTime, m_arrFieldNames, m_arrFieldValues, arrTrigger, arrReport);
    m_arrReport.Copy(arrReport);
    CString strText;
    for (int i = 0; i < m_arrReport.GetSize(); ++i)
    {
        if (i > 0)
            strText += L"\r\n";
        strText += m_arrReport[i];
    }
    SetDlgItemText(IDC_ALARM_ACTIONS_REPORT, strText);
}

// A failing channel can be set up here and the actions started again.
void CAlarmActionsDlg::OnOptions()
{
    CSettingsSheet sheet(L"Options", this, 0);
    sheet.DoModal();
}
