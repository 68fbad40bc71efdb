// What the tests of the Options sheet and the channel test dialogs share: the console options
// on a registry key of the test, message boxes answered and kept, and modal windows answered
// from inside their loop.
#pragma once

#include "GuiTest.h"

#include "framework/window/AfxMessageBox.h"
#include "resources/console/SettingsRes.h"
#include "support/RegistryStore.h"

#include <cwchar>
#include <functional>
#include <vector>

class SettingsFixture : public GuiTest
{
protected:
    SettingsFixture()
    {
        m_strStoreKey.Format(L"SOFTWARE\\Tervok AG\\SettingsTests-%lu-%lu", GetCurrentProcessId(), GetTickCount());
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_strStoreKey, L"Volatile");
        AfxSetMessageBoxFunction([this](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT nType) {
            m_arrBoxes.push_back(pszText);
            m_strLastCaption = pszCaption ? pszCaption : L"";
            m_nLastType = nType;
            return IDOK;
        });
    }
    ~SettingsFixture() override
    {
        AfxSetMessageBoxFunction(nullptr);
        GetRegistryStore().Init(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tervok AG\\Alarms", L"Volatile");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strStoreKey);
    }

    // Runs open, which shows a modal window with the caption, and hands that window to answer
    // once it is visible; FALSE when no such window came up.
    static BOOL AnswerModal(const wchar_t* pszCaption, std::function<void(HWND)> answer,
                            const std::function<void()>& open)
    {
        Pending().pszCaption = pszCaption;
        Pending().answer = std::move(answer);
        Pending().bAnswered = FALSE;
        UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, AnswerPending);
        open();
        ::KillTimer(nullptr, nTimer);
        return Pending().bAnswered;
    }

    // Replaces an edit's text as typing would, so that a multi-line edit tells its parent too
    // (WM_SETTEXT does not).
    void Type(CWnd* pParent, int nID, const wchar_t* pszText)
    {
        ::SendDlgItemMessageW(pParent->m_hWnd, nID, EM_SETSEL, 0, -1);
        ::SendDlgItemMessageW(pParent->m_hWnd, nID, EM_REPLACESEL, FALSE, (LPARAM)pszText);
        PumpUntilIdle();
    }

    // The answer to the Options sheet that types a server on its SMTP page and presses OK.
    static std::function<void(HWND)> OkWithServer(const wchar_t* pszServer)
    {
        return [pszServer](HWND hSheet) {
            HWND hPage = (HWND)::SendMessageW(hSheet, PSM_INDEXTOHWND, 1, 0);
            ::SetDlgItemTextW(hPage, IDC_SETTINGS_SERVER, pszServer);
            ::SendMessageW(hSheet, WM_COMMAND, IDOK, 0);
        };
    }

    static CString DialogText(HWND hDialog, int nID)
    {
        int nLength = ::GetWindowTextLengthW(::GetDlgItem(hDialog, nID));
        CString strText;
        ::GetDlgItemTextW(hDialog, nID, strText.GetBuffer(nLength + 1), nLength + 1);
        strText.ReleaseBuffer();
        return strText;
    }

    CString m_strStoreKey;
    std::vector<CString> m_arrBoxes;
    CString m_strLastCaption;
    UINT m_nLastType = 0;

private:
    struct SPending
    {
        const wchar_t* pszCaption = nullptr;
        std::function<void(HWND)> answer;
        BOOL bAnswered = FALSE;
    };
    static SPending& Pending()
    {
        static SPending pending;
        return pending;
    }
    // A visible window of this thread with the caption: tests running beside this one show
    // windows of the same captions on the same display.
    static BOOL CALLBACK FindPending(HWND hWnd, LPARAM lParam)
    {
        wchar_t szCaption[128] = L"";
        ::GetWindowTextW(hWnd, szCaption, 128);
        if (!::IsWindowVisible(hWnd) || wcscmp(szCaption, Pending().pszCaption) != 0)
            return TRUE;
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    static void CALLBACK AnswerPending(HWND, UINT, UINT_PTR nIDEvent, DWORD)
    {
        HWND hWnd = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindPending, (LPARAM)&hWnd);
        if (!hWnd)
            return;
        ::KillTimer(nullptr, nIDEvent);
        Pending().bAnswered = TRUE;
        Pending().answer(hWnd);
    }
};
