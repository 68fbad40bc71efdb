#include "console/service/CMessengerServiceDlg.h"

#include "console/service/CServiceControl.h"
#include "console/service/ServiceCommands.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/ServiceRes.h"

namespace
{
const wchar_t szMessenger[] = L"Messenger";
const UINT_PTR nStatusTimer = 100;
const UINT nStatusPeriod = 250;
const int nWaitSeconds = 20;
} // namespace

BEGIN_MESSAGE_MAP(CMessengerServiceDlg, CDialog)
    ON_WM_TIMER()
    ON_COMMAND(IDC_SERVICE_START, OnStart)
    ON_COMMAND(IDC_SERVICE_STOP, OnStop)
END_MESSAGE_MAP()

CMessengerServiceDlg::CMessengerServiceDlg(CWnd* pParentWnd) : CDialog(IDD_MESSENGER_SERVICE, pParentWnd)
{
}

CString CMessengerServiceDlg::StartTypeText(DWORD dwStartType)
{
    const wchar_t* const arrTexts[] = {L"Boot", L"System", L"Automatic", L"Manual", L"Disabled"};
    return dwStartType < sizeof(arrTexts) / sizeof(arrTexts[0]) ? arrTexts[dwStartType] : L"Unknown";
}

void CMessengerServiceDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SERVICE_DISPLAY_NAME, m_strDisplayName);
    DDX_Text(pDX, IDC_SERVICE_NAME, m_strServiceName);
    DDX_Text(pDX, IDC_SERVICE_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_SERVICE_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, IDC_SERVICE_START_TYPE, m_strStartType);
}

BOOL CMessengerServiceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateStatus();
    SetTimer(nStatusTimer, nStatusPeriod);
    return TRUE;
}

void CMessengerServiceDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == nStatusTimer)
        UpdateStatus();
    CDialog::OnTimer(nIDEvent);
}

void CMessengerServiceDlg::UpdateStatus()
{
    m_strServiceName = szMessenger;
    CServiceControl service(szMessenger, nWaitSeconds);
    CString strStatus, strDisplayName, strError;
    BOOL bCanStart = FALSE, bCanStop = FALSE;
    BOOL bRead = service.QueryState(strStatus, strDisplayName, bCanStart, bCanStop, strError);
    m_strStatus = bRead ? strStatus : strError;
    // A service that cannot be opened keeps the texts it showed last.
    DWORD dwStartType = 0;
    CString strDescription;
    if (service.QueryConfiguration(strDisplayName, dwStartType, strDescription, strError))
    {
        m_strDisplayName = strDisplayName;
        m_strStartType = StartTypeText(dwStartType);
        m_strDescription = strDescription;
    }
    UpdateData(FALSE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SERVICE_START), bCanStart);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SERVICE_STOP), bCanStop);
}

void CMessengerServiceDlg::StartOrStop(const wchar_t* pszService, BOOL bStart)
{
    CWaitCursor wait;
    CServiceControl service(pszService, nWaitSeconds);
    CString strError;
    if (!service.StartOrStop(bStart, strError))
    {
        if (service.RequestRefused())
            strError = (bStart ? L"Error starting service: " : L"Error stopping service: ") + strError;
        AfxShowMessageBox(m_hWnd, strError, L"Error", MB_OK | MB_ICONSTOP);
    }
    LogServiceWarning(service);
    UpdateStatus();
}

void CMessengerServiceDlg::OnStart()
{
    StartOrStop(szMessenger, TRUE);
}

void CMessengerServiceDlg::OnStop()
{
    StartOrStop(szMessenger, FALSE);
}
