#include "console/service/CServicePageStatus.h"

#include "console/app/CMainFrame.h"
#include "console/app/ShellOpen.h"
#include "console/app/StatusPaneTexts.h"
#include "console/service/CServiceControl.h"
#include "console/service/ServiceCommands.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/ServiceRes.h"
#include "support/AppPaths.h"
#include "support/RegistryStore.h"
#include "support/StringEx.h"

#include <shellapi.h>

namespace
{
const UINT_PTR nStatusTimer = 100;
const UINT nStatusPeriod = 250;

CString Grouped(DWORD dwValue)
{
    CStringEx strNumber;
    strNumber.Format(L"%u", (unsigned)dwValue);
    strNumber.GroupDigits();
    return strNumber;
}

BOOL IsReadableFile(const CString& strPath)
{
    if (strPath.IsEmpty())
        return FALSE;
    HANDLE hFile = CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(hFile);
    return TRUE;
}
} // namespace

BEGIN_MESSAGE_MAP(CServicePageStatus, CPropertyPage)
    ON_WM_TIMER()
    ON_COMMAND(IDC_SERVICE_START, OnStart)
    ON_COMMAND(IDC_SERVICE_STOP, OnStop)
    ON_COMMAND(IDC_SERVICE_VIEW_LOG, OnViewLog)
    ON_COMMAND(IDC_SERVICE_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CServicePageStatus::CServicePageStatus() : CPropertyPage(IDD_SERVICE_STATUS)
{
}

void CServicePageStatus::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SERVICE_LOGFILE, m_wndLogfile);
    DDX_Text(pDX, IDC_SERVICE_DISPLAY_NAME, m_strDisplayName);
    DDX_Text(pDX, IDC_SERVICE_LAST_ALARM, m_strLastAlarm);
    DDX_Text(pDX, IDC_SERVICE_LOGFILE, m_strLogfile);
    DDX_Text(pDX, IDC_SERVICE_ALARMS_CREATED, m_strAlarmsCreated);
    DDX_Text(pDX, IDC_SERVICE_NAME, m_strServiceName);
    DDX_Text(pDX, IDC_SERVICE_STARTED, m_strStarted);
    DDX_Text(pDX, IDC_SERVICE_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_SERVICE_PROCESSED, m_strProcessed);
    DDX_Text(pDX, IDC_SERVICE_DATABASE_SIZE, m_strDatabaseSize);
    DDX_Text(pDX, IDC_SERVICE_QUEUE_SIZE, m_strQueueSize);
}

BOOL CServicePageStatus::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndLogfile.ModifyStyle(0, SS_PATHELLIPSIS);
    UpdateStatus();
    SetTimer(nStatusTimer, nStatusPeriod);
    return TRUE;
}

void CServicePageStatus::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == nStatusTimer)
        UpdateStatus();
    CPropertyPage::OnTimer(nIDEvent);
}

void CServicePageStatus::UpdateStatus()
{
    CRegistryStore& registry = GetRegistryStore();
    CMainFrame* pFrame = GetMainFrame();
    m_strDatabaseSize = Grouped(pFrame ? pFrame->m_nDatabaseMB : 0) + L" MB";
    m_strAlarmsCreated = Grouped(registry.GetVolatileDWord(L"AlarmMessageCount", 0));
    m_strProcessed = Grouped(registry.GetVolatileDWord(L"AlarmAnalysed", 0));
    m_strServiceName = g_pszAlarmsServiceName;
    m_strLogfile = registry.GetVolatileString(L"ServiceLogfile");
    m_strStarted = registry.GetVolatileString(L"ServiceStartup");
    m_strLastAlarm = registry.GetVolatileString(L"AlarmLastMessage");
    m_strQueueSize.Format(L"Current %d, maximum %d", (int)registry.GetVolatileDWord(L"AlarmQueueSize", 0),
                          (int)registry.GetVolatileDWord(L"AlarmQueueSizeMax", 0));

    CServiceControl service(m_strServiceName);
    CString strError;
    BOOL bCanStart = FALSE, bCanStop = FALSE;
    if (!service.QueryState(m_strStatus, m_strDisplayName, bCanStart, bCanStop, strError))
        m_strStatus = strError;
    UpdateData(FALSE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SERVICE_START), bCanStart);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SERVICE_STOP), bCanStop);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SERVICE_VIEW_LOG), IsReadableFile(m_strLogfile));
}

void CServicePageStatus::StartOrStop(BOOL bStart)
{
    CWaitCursor wait;
    CServiceControl service(g_pszAlarmsServiceName);
    CString strError;
    if (!service.StartOrStop(bStart, strError))
        AfxShowMessageBox(m_hWnd, strError, bStart ? L"Start" : L"Stop", MB_OK | MB_ICONSTOP);
    LogServiceWarning(service);
}

void CServicePageStatus::OnStart()
{
    StartOrStop(TRUE);
}

void CServicePageStatus::OnStop()
{
    StartOrStop(FALSE);
}

void CServicePageStatus::OnViewLog()
{
    CWaitCursor wait;
    ShellOpenTarget(m_hWnd, m_strLogfile);
}

void CServicePageStatus::OnBrowse()
{
    ShellExecuteW(m_hWnd, L"explore", GetAppPaths().GetProgramFolder(), L"", L"", SW_SHOW);
}
