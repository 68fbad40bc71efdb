#include "console/service/ServiceCommands.h"

#include "alarmmodel/database/AlarmsDatabase.h"
#include "alarmmodel/database/DsnParameterStore.h"
#include "console/app/CMainFrame.h"
#include "console/service/CSelectDSN.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CWaitCursor.h"
#include "support/RegistryStore.h"
#include "support/SystemErrorText.h"

namespace
{
// The chosen data source is not taken: the box says why.
BOOL RefuseDataSource(CWnd* pFrame, const CString& strMessage)
{
    AfxShowMessageBox(pFrame ? pFrame->m_hWnd : nullptr, strMessage, L"Error", MB_OK | MB_ICONSTOP);
    return FALSE;
}
} // namespace

void ToggleServiceSheet(CServiceSheet*& pSheet, CWnd* pFrame)
{
    if (!pSheet)
    {
        pSheet = new CServiceSheet(L"Alarms Service Configuration", pFrame, 0);
        if (!pSheet->Create(pFrame))
        {
            delete pSheet;
            pSheet = nullptr;
            return;
        }
        // Made hidden; the toggle below shows it.
        pSheet->ShowWindow(SW_HIDE);
    }
    CWaitCursor wait;
    if (pSheet->IsWindowVisible())
        pSheet->ShowWindow(SW_HIDE);
    else
    {
        pSheet->ShowWindow(SW_RESTORE);
        // Above the frame it belongs to, also where the foreground cannot be taken.
        ::SetWindowPos(pSheet->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::SetForegroundWindow(pSheet->m_hWnd);
    }
}

BOOL IsServiceSheetShown(const CServiceSheet* pSheet)
{
    return pSheet && pSheet->m_hWnd && pSheet->IsWindowVisible();
}

void DestroyServiceSheet(CServiceSheet*& pSheet)
{
    if (pSheet && pSheet->m_hWnd)
        pSheet->DestroyWindow();
    delete pSheet;
    pSheet = nullptr;
}

void LogServiceWarning(const CServiceControl& service)
{
    if (service.Warning().IsEmpty())
        return;
    if (CMainFrame* pFrame = GetMainFrame())
        pFrame->AddLogfileMessage(1, L"%s", service.Warning().GetString());
}

BOOL ChooseDataSource(CWnd* pFrame, const std::function<void()>& reload)
{
    CString strCurrent = GetAlarmDatabaseDsn();
    CSelectDSN dialog(pFrame, strCurrent);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    CWaitCursor wait;
    if (dialog.ParametersSaved())
        GetDsnParameterStore().Load();
    CString strNew = dialog.ChosenDsn();
    if (strNew == strCurrent)
        return FALSE;
    CAlarmsDatabase database;
    CString strMessage;
    if (!database.CheckStructure(strNew))
    {
        strMessage.Format(L"The data source \"%s\" did not pass the alarm database check: it could not be opened, or it "
                          L"holds no alarm table and none could be made. The log window says why. The alarm database "
                          L"stays \"%s\".",
                          (const wchar_t*)strNew, (const wchar_t*)strCurrent);
        return RefuseDataSource(pFrame, strMessage);
    }
    LONG lStatus = GetRegistryStore().SetString(L"AlarmDatabaseDSN", strNew);
    if (lStatus != ERROR_SUCCESS)
    {
        strMessage.Format(L"The data source \"%s\" could not be saved as the alarm database. %s The alarm database "
                          L"stays \"%s\".",
                          (const wchar_t*)strNew, (const wchar_t*)CSystemErrorText::Reason((DWORD)lStatus),
                          (const wchar_t*)strCurrent);
        return RefuseDataSource(pFrame, strMessage);
    }
    reload();
    return TRUE;
}
