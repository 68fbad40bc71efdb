#include "console/definitions/CDefineAlarmGeneral.h"

#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/CriteriaMatcher.h"
#include "console/definitions/CClipboardReader.h"
#include "console/definitions/CDefineAlarmCriteria.h"
#include "console/definitions/DefinitionTexts.h"
#include "console/app/RegisteredMessage.h"
#include "framework/window/CDataExchange.h"
#include "resources/console/DefinitionsRes.h"

BEGIN_MESSAGE_MAP(CDefineAlarmGeneral, CPropertyPage)
    ON_CONTROL(EN_CHANGE, IDC_GENERAL_TITLE, OnTextChange)
    ON_CONTROL(EN_CHANGE, IDC_GENERAL_DESCRIPTION, OnTextChange)
    ON_CONTROL(CBN_SELCHANGE, IDC_GENERAL_CLASS, OnClassChange)
    ON_CONTROL(BN_CLICKED, IDC_GENERAL_ADD_CRITERIA, OnAddCriteria)
    ON_CONTROL(BN_CLICKED, IDC_LOAD_FROM_CLIPBOARD, OnLoadFromClipboard)
END_MESSAGE_MAP()

CDefineAlarmGeneral::CDefineAlarmGeneral() : CPropertyPage(IDD_DEFINE_GENERAL), m_pCriteriaPage(nullptr), m_nActive(1)
{
    GetTriggerSourcesEx(m_arrSourceIds, m_arrSourceNames, m_arrSourceDescriptions);
}

void CDefineAlarmGeneral::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_GENERAL_CLASS, m_comboClass);
    DDX_Text(pDX, IDC_GENERAL_TITLE, m_strTitle);
    DDV_MaxChars(pDX, m_strTitle, 64);
    DDX_Text(pDX, IDC_GENERAL_DESCRIPTION, m_strDescription);
    DDV_MaxChars(pDX, m_strDescription, 255);
    DDX_Text(pDX, IDC_GENERAL_CREATED, m_strCreated);
    DDX_Text(pDX, IDC_GENERAL_MODIFIED, m_strModified);
    DDX_Check(pDX, IDC_GENERAL_ACTIVE, m_nActive);
}

BOOL CDefineAlarmGeneral::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    for (int i = 0; i < m_arrSourceIds.GetSize(); ++i)
        m_comboClass.AddItem(m_arrSourceNames[i], m_arrSourceIds[i]);
    m_comboClass.SelectByData(0);
    ShowClassNotes();
    return TRUE;
}

void CDefineAlarmGeneral::SetDefinition(const CAlarmDefinition& definition)
{
    UpdateData(TRUE);
    m_nActive = definition.m_bActive ? 1 : 0;
    m_strDescription = definition.m_strDescription;
    m_strTitle = definition.m_strTitle;
    UpdateData(FALSE);
    m_comboClass.SelectByData((DWORD)definition.m_nClass);
    ShowClassNotes();
}

void CDefineAlarmGeneral::SetTimes(const CString& strCreated, const CString& strModified)
{
    m_strCreated = strCreated;
    m_strModified = strModified;
    SetDlgItemText(IDC_GENERAL_CREATED, strCreated);
    SetDlgItemText(IDC_GENERAL_MODIFIED, strModified);
}

BOOL CDefineAlarmGeneral::GetActive()
{
    UpdateData(TRUE);
    return m_nActive == 1;
}

CString CDefineAlarmGeneral::GetTitle()
{
    UpdateData(TRUE);
    m_strTitle.TrimRight();
    return m_strTitle;
}

CString CDefineAlarmGeneral::GetDescription()
{
    UpdateData(TRUE);
    m_strDescription.TrimRight();
    return m_strDescription;
}

void CDefineAlarmGeneral::ShowClassNotes()
{
    UINT nClass = GetClass();
    for (int i = 0; i < m_arrSourceIds.GetSize(); ++i)
    {
        if (m_arrSourceIds[i] == nClass)
        {
            SetDlgItemText(IDC_GENERAL_NOTES, m_arrSourceDescriptions[i]);
            return;
        }
    }
}

void CDefineAlarmGeneral::OnTextChange()
{
    ::PostMessageW(::GetParent(m_hWnd), RegisteredMessage::nMsgChange, 0, 0);
}

void CDefineAlarmGeneral::OnClassChange()
{
    ShowClassNotes();
}

void CDefineAlarmGeneral::OnAddCriteria()
{
    CAlarmDefinition scratch;
    if (m_pCriteriaPage)
        m_pCriteriaPage->GetCriteria(scratch.m_arrCriteria);
    UpdateData(TRUE);
    m_strDescription += L"\r\n";
    m_strDescription += FormatCriteriaText(scratch);
    UpdateData(FALSE);
}

void CDefineAlarmGeneral::OnLoadFromClipboard()
{
    CStringArray arrLines;
    CClipboardReader().ReadClipboardLines(arrLines);
    // A class the list does not hold leaves the selection as it was.
    if (m_comboClass.SelectByData(ClipboardRecordClass(arrLines)))
        ShowClassNotes();
}
