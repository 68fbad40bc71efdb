#include "console/alarms/CSetStatus.h"

#include "framework/window/CDataExchange.h"
#include "resources/console/OutstandingRes.h"

BEGIN_MESSAGE_MAP(CSetStatus, CDialog)
    ON_CONTROL(LBN_DBLCLK, IDC_STATUS_LIST, OnListDoubleClick)
END_MESSAGE_MAP()

CSetStatus::CSetStatus(CWnd* pParent, const wchar_t* pszStatus, BOOL bSelection)
    : CDialog(IDD_SET_STATUS, pParent), m_strStatus(pszStatus), m_nApplyTo(bSelection ? 1 : 0)
{
}

void CSetStatus::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_LBString(pDX, IDC_STATUS_LIST, m_strStatus);
    DDX_Radio(pDX, IDC_APPLY_ALL, m_nApplyTo);
}

BOOL CSetStatus::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_nApplyTo == 0)
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_APPLY_SELECTED), FALSE);
    HWND hList = ::GetDlgItem(m_hWnd, IDC_STATUS_LIST);
    for (const wchar_t* pszStatus : {L"Pending", L"Open", L"Closed"})
        ::SendMessageW(hList, LB_ADDSTRING, 0, (LPARAM)pszStatus);
    ::SendMessageW(hList, LB_SETCURSEL, 0, 0);
    UpdateData(TRUE);
    return TRUE;
}

void CSetStatus::OnListDoubleClick()
{
    OnOK();
}
