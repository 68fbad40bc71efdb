#include "console/scripts/CScriptPreview.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/ScriptDefinitionMap.h"
#include "console/scripts/ScriptTexts.h"
#include "resources/console/ScriptsRes.h"
#include "wincomponents/controls/CFontFactory.h"

namespace
{
const LAYOUT_ANCHOR layout[] = {
    {IDC_PREVIEW_SCRIPT, 2, 2, 0, 0},
    {IDC_PREVIEW_SAMPLE_VALUES, 0, 0, 0, 2},
    {IDC_PREVIEW_DIAGNOSTICS, 0, 0, 0, 2},
    {IDOK, 0, 0, 0, 2},
    {IDCANCEL, 0, 0, 0, 2},
};

// The fields of every trigger source.
const UINT nAllSources = 998;
const wchar_t szScratchName[] = L"Test";
} // namespace

BEGIN_MESSAGE_MAP(CScriptPreview, CResizableToolDialog)
    ON_CONTROL(BN_CLICKED, IDC_PREVIEW_SAMPLE_VALUES, OnAddSampleValues)
    ON_CONTROL(BN_CLICKED, IDC_PREVIEW_DIAGNOSTICS, OnAddDiagnostics)
END_MESSAGE_MAP()

CScriptPreview::CScriptPreview(CWnd* pParentWnd, const CString& strScript)
    : CResizableToolDialog(IDD_SCRIPT_PREVIEW, pParentWnd), m_strScript(strScript)
{
    SetLayout(layout, (int)(sizeof layout / sizeof layout[0]));
}

CScriptPreview::~CScriptPreview()
{
}

BOOL CScriptPreview::OnInitDialog()
{
    CResizableToolDialog::OnInitDialog();
    m_pFont.reset(CFontFactory(this).CreateCourierFont(10, FALSE));
    GetDlgItem(IDC_PREVIEW_SCRIPT)->SetFont(m_pFont.get());
    // An edit takes 30,000 characters at first: in a longer script nothing could be typed.
    GetDlgItem(IDC_PREVIEW_SCRIPT)->SendMessage(EM_SETLIMITTEXT, 0);
    SetDlgItemText(IDC_PREVIEW_SCRIPT, m_strScript);
    GetDlgItem(IDC_PREVIEW_DIAGNOSTICS)->EnableWindow(FALSE);
    return TRUE;
}

void CScriptPreview::OnAddSampleValues()
{
    m_strScript = GetDlgItemText(IDC_PREVIEW_SCRIPT);
    CScriptDefinitionMap scripts;
    scripts.SetScript(szScratchName, m_strScript);
    CUIntArray arrIds;
    CStringArray arrColumns;
    CStringArray arrLabels;
    GetAlarmFields(nAllSources, arrIds, arrColumns, arrLabels);
    scripts.BuildVbScript(szScratchName, arrIds, arrLabels, m_arrNames);
    m_strScript = scripts.Lookup(szScratchName);
    SetDlgItemText(IDC_PREVIEW_SCRIPT, m_strScript);
    GetDlgItem(IDC_PREVIEW_SAMPLE_VALUES)->EnableWindow(FALSE);
    GetDlgItem(IDC_PREVIEW_DIAGNOSTICS)->EnableWindow(TRUE);
}

void CScriptPreview::OnAddDiagnostics()
{
    m_strScript = GetDlgItemText(IDC_PREVIEW_SCRIPT);
    if (AddDiagnosticLines(m_strScript, m_arrNames))
        SetDlgItemText(IDC_PREVIEW_SCRIPT, m_strScript);
    GetDlgItem(IDC_PREVIEW_DIAGNOSTICS)->EnableWindow(FALSE);
}

void CScriptPreview::OnOK()
{
    m_strScript = GetDlgItemText(IDC_PREVIEW_SCRIPT);
    EndDialog(IDOK);
}
