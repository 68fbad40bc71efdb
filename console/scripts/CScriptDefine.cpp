#include "console/scripts/CScriptDefine.h"

#include "alarmmodel/AlarmDefinitionList.h"
#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/NumberText.h"
#include "alarmmodel/ScriptDefinitionMap.h"
#include "console/scripts/CScriptTest.h"
#include "console/scripts/ScriptTexts.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CDataExchange.h"
#include "resources/console/ScriptsRes.h"
#include "wincomponents/controls/CFontFactory.h"

namespace
{
const LAYOUT_ANCHOR layout[] = {
    {IDC_DEFINE_SCRIPT, 2, 2, 0, 0},       {IDC_DEFINE_INSERT, 0, 0, 0, 2},
    {IDC_DEFINE_VARIABLES_GROUP, 0, 0, 0, 2}, {IDC_DEFINE_CLASS_LABEL, 0, 0, 0, 2},
    {IDC_DEFINE_FIELD_LABEL, 0, 0, 0, 2},  {IDC_DEFINE_NAME_LABEL, 0, 0, 0, 2},
    {IDC_DEFINE_SAMPLES_GROUP, 0, 0, 0, 2}, {IDC_DEFINE_CLASS, 0, 0, 0, 2},
    {IDC_DEFINE_FIELD, 0, 0, 0, 2},        {IDC_DEFINE_SAMPLE, 0, 0, 0, 2},
    {IDC_DEFINE_NAME, 0, 0, 0, 2},         {IDC_DEFINE_LOAD, 0, 0, 0, 2},
    {IDC_DEFINE_TEST, 0, 0, 0, 2},         {IDOK, 0, 0, 0, 2},
    {IDCANCEL, 0, 0, 0, 2},
};

const wchar_t szCredit[] = L"' From the sample scripts of the Tervok alarm console";
const wchar_t szCaption[] = L"Define Script";

BOOL RunsScript(const CString& strAction, const CString& strScript)
{
    const int nColon = strAction.Find(L':');
    return nColon >= 0 && NumberFromText(strAction.Left(nColon)) == ACTION_SCRIPT && strAction.Mid(nColon + 1) == strScript;
}

// The titles, each in double quotes, of the definitions in the definitions file (the ones the
// alarms are raised by) that have an action running the script.
CStringArrayEx DefinitionsRunning(const CString& strScript)
{
    CAlarmDefinitionList definitions;
    definitions.Load();
    CStringArrayEx arrTitles;
    for (int i = 0; i < definitions.GetCount(); ++i)
    {
        const CAlarmDefinition& definition = *definitions.GetAt(i);
        for (const CString& strAction : definition.m_arrActions)
        {
            if (!RunsScript(strAction, strScript))
                continue;
            arrTitles.Add(L"\"" + definition.m_strTitle + L"\"");
            break;
        }
    }
    return arrTitles;
}
} // namespace

BEGIN_MESSAGE_MAP(CScriptDefine, CResizableToolDialog)
    ON_CONTROL(BN_CLICKED, IDC_DEFINE_TEST, OnTest)
    ON_CONTROL(EN_CHANGE, IDC_DEFINE_TITLE, OnChangeText)
    ON_CONTROL(BN_CLICKED, IDC_DEFINE_INSERT, OnInsertVariable)
    ON_CONTROL(CBN_SELENDOK, IDC_DEFINE_CLASS, OnClassChanged)
    ON_CONTROL(CBN_SELENDOK, IDC_DEFINE_FIELD, OnFieldChanged)
    ON_CONTROL(EN_CHANGE, IDC_DEFINE_SCRIPT, OnChangeText)
    ON_CONTROL(BN_CLICKED, IDC_DEFINE_LOAD, OnLoad)
END_MESSAGE_MAP()

CScriptDefine::CScriptDefine(CWnd* pParentWnd, const CString& strTitle, const CString& strScript, BOOL bTitleAndTest)
    : CResizableToolDialog(IDD_SCRIPT_DEFINE, pParentWnd), m_strScript(strScript), m_strTitle(strTitle),
      m_bTitleAndTest(bTitleAndTest), m_bWriting(FALSE), m_pScripts(nullptr)
{
    SetLayout(layout, (int)(sizeof layout / sizeof layout[0]));
}

CScriptDefine::~CScriptDefine()
{
}

void CScriptDefine::CheckAgainst(const CScriptDefinitionMap* pScripts, const CString& strOldTitle)
{
    m_pScripts = pScripts;
    m_strOldTitle = strOldTitle;
}

void CScriptDefine::DoDataExchange(CDataExchange* pDX)
{
    CResizableToolDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEFINE_SAMPLE, m_comboSample);
    DDX_Control(pDX, IDC_DEFINE_FIELD, m_comboField);
    DDX_Control(pDX, IDC_DEFINE_CLASS, m_comboClass);
    DDX_Text(pDX, IDC_DEFINE_SCRIPT, m_strScript);
    DDX_Text(pDX, IDC_DEFINE_TITLE, m_strTitle);
    DDX_Text(pDX, IDC_DEFINE_NAME, m_strVariable);
}

BOOL CScriptDefine::OnInitDialog()
{
    m_bWriting = TRUE;
    CResizableToolDialog::OnInitDialog();
    m_bWriting = FALSE;
    m_pFont.reset(CFontFactory(this).CreateCourierFont(10, FALSE));
    for (int nID : {IDC_DEFINE_TITLE, IDC_DEFINE_SCRIPT, IDC_DEFINE_NAME})
        GetDlgItem(nID)->SetFont(m_pFont.get());
    // A pasted script may be longer than the 30,000 characters an edit takes at first.
    GetDlgItem(IDC_DEFINE_SCRIPT)->SendMessage(EM_SETLIMITTEXT, 0);
    GetDlgItem(IDC_DEFINE_TITLE)->EnableWindow(m_bTitleAndTest);
    GetDlgItem(IDC_DEFINE_TEST)->ShowWindow(m_bTitleAndTest ? SW_SHOW : SW_HIDE);

    CUIntArray arrIds;
    CStringArray arrNames;
    GetTriggerSources(arrIds, arrNames);
    m_comboClass.AddItemsWithData(arrNames, arrIds);
    m_comboClass.SelectByData(0);
    FillFields();
    ApplyEnablingRule();

    m_samples.LoadResource(IDR_SAMPLE_SCRIPTS);
    m_comboSample.AddItems(m_samples.GetTitles());
    m_comboSample.SetCurSel(0);
    return TRUE;
}

void CScriptDefine::ReadControls()
{
    UpdateData(TRUE);
}

// A change that the writing itself causes would read the controls half written.
void CScriptDefine::WriteControls()
{
    m_bWriting = TRUE;
    UpdateData(FALSE);
    m_bWriting = FALSE;
}

void CScriptDefine::ChangeControls(void (CScriptDefine::*fn)())
{
    ReadControls();
    (this->*fn)();
    WriteControls();
}

void CScriptDefine::ApplyEnablingRule()
{
    ReadControls();
    m_strTitle.TrimRight();
    m_strScript.TrimRight();
    GetDlgItem(IDOK)->EnableWindow(!m_strTitle.IsEmpty() && !m_strScript.IsEmpty());
    GetDlgItem(IDC_DEFINE_TEST)->EnableWindow(!m_strScript.IsEmpty());
}

void CScriptDefine::OnChangeText()
{
    if (!m_bWriting)
        ApplyEnablingRule();
}

void CScriptDefine::FillFields()
{
    CUIntArray arrIds;
    CStringArray arrColumns;
    CStringArray arrLabels;
    GetAlarmFields(m_comboClass.GetSelData(), arrIds, arrColumns, arrLabels);
    m_comboField.ResetContent();
    m_comboField.AddItemsWithData(arrLabels, arrIds);
    m_comboField.SetCurSel(0);
    ChangeControls(&CScriptDefine::UpdateVariableName);
}

void CScriptDefine::UpdateVariableName()
{
    m_strVariable.Format(L"Const str%u", (UINT)m_comboField.GetSelData());
}

void CScriptDefine::OnClassChanged()
{
    FillFields();
}

void CScriptDefine::OnFieldChanged()
{
    ChangeControls(&CScriptDefine::UpdateVariableName);
}

void CScriptDefine::InsertVariable()
{
    EnsureClassVariables(m_strScript, ClassVariableLine((UINT)m_comboField.GetSelData(), m_comboClass.GetSelText(),
                                                        m_comboField.GetSelText()));
}

void CScriptDefine::OnInsertVariable()
{
    ChangeControls(&CScriptDefine::InsertVariable);
}

void CScriptDefine::LoadSample()
{
    m_strTitle = m_comboSample.GetSelText();
    CStringArray body;
    m_samples.GetBody(m_strTitle, body);
    m_strScript = L"' " + m_strTitle + L"\r\n" + szCredit;
    for (int i = 0; i < body.GetSize(); ++i)
        m_strScript += L"\r\n" + body[i];
    EnsureClassVariables(m_strScript, CString());
}

void CScriptDefine::OnLoad()
{
    ChangeControls(&CScriptDefine::LoadSample);
    ApplyEnablingRule();
}

void CScriptDefine::OnTest()
{
    ReadControls();
    CScriptTest dialog(this, m_strScript);
    dialog.DoModal();
    if (dialog.m_strScript != m_strScript &&
        AfxShowMessageBox(m_hWnd, L"Use changed script from test window ?", L"Select Script",
                          MB_YESNO | MB_ICONQUESTION) == IDYES)
        m_strScript = dialog.m_strScript;
    WriteControls();
}

void CScriptDefine::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pScripts && !(IsStorable(IDC_DEFINE_TITLE, m_strTitle) && IsStorable(IDC_DEFINE_SCRIPT, m_strScript) &&
                        ConfirmReplace() && ConfirmRename()))
        return;
    EndDialog(IDOK);
}

// Refused here, where the operator can still change it: text pasted from a mail or a web page
// brings typographic quotes and dashes that the 8-bit scripts file cannot hold, and the file's
// own escape texts typed as such would come back as line breaks, TABs or form feeds. What is
// refused is shown selected.
BOOL CScriptDefine::IsStorable(int nID, const CString& strText)
{
    CString strMessage;
    const int nAt = CScriptDefinitionMap::FindUnstorableCharacter(strText);
    if (nAt >= 0)
    {
        strMessage.Format(L"The scripts file cannot hold the character %s. Please replace it.",
                          (const wchar_t*)CScriptDefinitionMap::DescribeCharacter(strText, nAt));
        const int nUnits = (strText[nAt] >= 0xD800 && strText[nAt] <= 0xDBFF) ? 2 : 1;
        return Refuse(nID, strMessage, nAt, nUnits);
    }
    CString strCharacter;
    const int nEscape = CScriptDefinitionMap::FindEscapeText(strText, strCharacter);
    if (nEscape < 0)
        return TRUE;
    const int nLength = CScriptDefinitionMap::EscapeTextLength;
    strMessage.Format(L"The scripts file cannot hold the text \"%s\": it would read it back as %s. Please change it.",
                      (const wchar_t*)strText.Mid(nEscape, nLength), (const wchar_t*)strCharacter);
    return Refuse(nID, strMessage, nEscape, nLength);
}

BOOL CScriptDefine::Refuse(int nID, const CString& strMessage, int nAt, int nLength)
{
    AfxShowMessageBox(m_hWnd, strMessage, szCaption, MB_OK | MB_ICONSTOP);
    HWND hEdit = GetDlgItem(nID)->m_hWnd;
    ::SetFocus(hEdit);
    ::SendMessageW(hEdit, EM_SETSEL, nAt, nAt + nLength);
    ::SendMessageW(hEdit, EM_SCROLLCARET, 0, 0);
    return FALSE;
}

// Titles are compared as the Script Manager's list shows them, without trailing white space:
// a title typed with a blank more or less stands for the script the list shows under it, and
// that script keeps its title (alarm definitions run a script by its title).
BOOL CScriptDefine::ConfirmReplace()
{
    if (!m_strOldTitle.IsEmpty() && ShownTitle(m_strTitle) == ShownTitle(m_strOldTitle))
    {
        m_strTitle = m_strOldTitle;
        return TRUE;
    }
    CString strStored;
    if (!FindStoredTitle(strStored))
        return TRUE;
    CString strMessage;
    strMessage.Format(L"A script titled \"%s\" exists already. Replace it ?", (const wchar_t*)strStored);
    if (AfxShowMessageBox(m_hWnd, strMessage, szCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    m_strTitle = strStored;
    return TRUE;
}

CString CScriptDefine::ShownTitle(const CString& strTitle)
{
    CString strShown(strTitle);
    strShown.TrimRight();
    return strShown;
}

// The stored title that shows as the typed one, the very same title first.
BOOL CScriptDefine::FindStoredTitle(CString& strStored) const
{
    if (m_pScripts->HasScript(m_strTitle))
    {
        strStored = m_strTitle;
        return TRUE;
    }
    CStringArray arrTitles;
    m_pScripts->GetNames(arrTitles);
    for (const CString& strTitle : arrTitles)
    {
        if (ShownTitle(strTitle) != ShownTitle(m_strTitle))
            continue;
        strStored = strTitle;
        return TRUE;
    }
    return FALSE;
}

// Script actions find their script by its title.
BOOL CScriptDefine::ConfirmRename()
{
    if (m_strOldTitle.IsEmpty() || m_strTitle == m_strOldTitle)
        return TRUE;
    const CStringArrayEx arrDefinitions = DefinitionsRunning(m_strOldTitle);
    if (arrDefinitions.IsEmpty())
        return TRUE;
    CString strMessage;
    strMessage.Format(L"The script \"%s\" is run by the alarm definitions %s. They will not find it under its new "
                      L"title. Rename it ?",
                      (const wchar_t*)m_strOldTitle, (const wchar_t*)arrDefinitions.Join(L", "));
    return AfxShowMessageBox(m_hWnd, strMessage, szCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
