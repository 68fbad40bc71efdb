#include "console/alarms/COutstandingFind.h"

#include "console/alarms/AlarmRequests.h"
#include "console/app/RegisteredMessage.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/OutstandingRes.h"
#include "support/AppProfile.h"

BEGIN_MESSAGE_MAP(COutstandingFind, CDialog)
    ON_CONTROL(EN_CHANGE, IDC_FIND_VALUE, OnValueChanged)
    ON_COMMAND(IDC_FIND_NOW, OnFindNow)
END_MESSAGE_MAP()

COutstandingFind::COutstandingFind(CWnd* pView, const CStringArray& arrNames, const CUIntArray& arrIds)
    : CDialog(IDD_OUTSTANDING_FIND, pView), m_pView(pView), m_bInitialised(FALSE), m_arrNames(arrNames),
      m_arrIds(arrIds)
{
    m_nOption = GetAppProfile().GetInt(L"COutstandingFind::m_nOption", 0);
    m_strValue = GetAppProfile().GetString(L"COutstandingFind::m_strValue", L"");
}

void COutstandingFind::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIND_FIELD, m_combo);
    DDX_Text(pDX, IDC_FIND_VALUE, m_strValue);
    DDX_Radio(pDX, IDC_OPTION_FIRST, m_nOption);
}

BOOL COutstandingFind::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_combo.AddItemsWithData(m_arrNames, m_arrIds);
    m_combo.SendMessage(CB_INSERTSTRING, 0, (LPARAM)L"");
    m_combo.SendMessage(CB_SETITEMDATA, 0, 0);
    m_combo.SendMessage(CB_SETCURSEL, 0);
    CString strColumn = GetAppProfile().GetString(L"COutstandingFind::m_combo", L"");
    if (!strColumn.IsEmpty())
        m_combo.SendMessage(CB_SELECTSTRING, (WPARAM)-1, (LPARAM)strColumn.GetString());
    m_bInitialised = TRUE;
    return TRUE;
}

void COutstandingFind::OnValueChanged()
{
    if (!m_bInitialised)
        return;
    UpdateData(TRUE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_FIND_NOW), !m_strValue.IsEmpty());
}

void COutstandingFind::OnFindNow()
{
    CWaitCursor wait;
    UpdateData(TRUE);
    CAppProfile& profile = GetAppProfile();
    profile.WriteInt(L"COutstandingFind::m_nOption", m_nOption);
    profile.WriteString(L"COutstandingFind::m_combo", m_combo.GetSelText());
    profile.WriteString(L"COutstandingFind::m_strValue", m_strValue);
    AlarmFindRequest request{m_combo.GetSelText(), m_strValue, (int)m_combo.GetSelData(), m_nOption, 0};
    m_pView->SendMessage(RegisteredMessage::nMsgFind, 0, (LPARAM)&request);
    CString strCaption;
    strCaption.Format(L"Found %d entries", request.matches);
    SetWindowText(strCaption);
}
