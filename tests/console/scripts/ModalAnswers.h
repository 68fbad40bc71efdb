// Answers the modal dialogs that a call opens, one step after the other: each step waits until
// a visible dialog with its caption is up (also one opened from another modal dialog), then
// acts on it, usually closing it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <string>

class CModalAnswers
{
public:
    CModalAnswers& Then(const wchar_t* pszCaption, std::function<void(HWND)> answer)
    {
        m_steps.push_back({pszCaption, std::move(answer)});
        return *this;
    }

    // Runs open; FALSE when a step's dialog never came up.
    bool Run(const std::function<void()>& open)
    {
        Current() = this;
        UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, OnTimer);
        open();
        ::KillTimer(nullptr, nTimer);
        Current() = nullptr;
        return m_steps.empty();
    }

private:
    struct Step
    {
        std::wstring strCaption;
        std::function<void(HWND)> answer;
    };

    static CModalAnswers*& Current()
    {
        static CModalAnswers* s_pCurrent = nullptr;
        return s_pCurrent;
    }

    // Tests run side by side on one display: only a dialog of this process counts; of two with
    // one caption (a dialog opened from inside another of its kind) the one that takes input.
    static HWND OwnDialog(const wchar_t* pszCaption)
    {
        for (HWND h = ::FindWindowW(L"#32770", pszCaption); h; h = ::FindWindowExW(nullptr, h, L"#32770", pszCaption))
        {
            DWORD dwProcess = 0;
            ::GetWindowThreadProcessId(h, &dwProcess);
            if (dwProcess == ::GetCurrentProcessId() && ::IsWindowVisible(h) && ::IsWindowEnabled(h))
                return h;
        }
        return nullptr;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        CModalAnswers* pThis = Current();
        if (!pThis || pThis->m_steps.empty())
            return;
        HWND hDialog = OwnDialog(pThis->m_steps.front().strCaption.c_str());
        if (!hDialog)
            return;
        Step step = std::move(pThis->m_steps.front());
        pThis->m_steps.pop_front();
        // An answer that opens the next dialog runs that dialog's loop from here.
        step.answer(hDialog);
    }

    std::deque<Step> m_steps;
};

// The dialog's control text.
inline std::wstring DialogItemText(HWND hDialog, int nID)
{
    int nLength = ::GetWindowTextLengthW(::GetDlgItem(hDialog, nID));
    std::wstring text((size_t)nLength + 1, L'\0');
    ::GetDlgItemTextW(hDialog, nID, &text[0], nLength + 1);
    text.resize((size_t)nLength);
    return text;
}

// A button's click as the user's: nothing when it is disabled.
inline void ClickItem(HWND hDialog, int nID)
{
    HWND hButton = ::GetDlgItem(hDialog, nID);
    if (::IsWindowEnabled(hButton))
        ::SendMessageW(hButton, BM_CLICK, 0, 0);
}

// Replaces an edit's text as typing would: a multi-line edit reports no change for WM_SETTEXT.
inline void TypeItemText(HWND hDialog, int nID, const wchar_t* pszText)
{
    HWND hEdit = ::GetDlgItem(hDialog, nID);
    ::SendMessageW(hEdit, EM_SETSEL, 0, -1);
    ::SendMessageW(hEdit, EM_REPLACESEL, TRUE, (LPARAM)pszText);
}

// Selects the one row of a dialog's list whose first column holds the text, as a click would.
inline void SelectListRow(HWND hDialog, int nID, const wchar_t* pszText)
{
    HWND hList = ::GetDlgItem(hDialog, nID);
    int nCount = (int)::SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i)
    {
        wchar_t szText[128] = L"";
        LVITEMW item = {};
        item.pszText = szText;
        item.cchTextMax = 128;
        ::SendMessageW(hList, LVM_GETITEMTEXTW, i, (LPARAM)&item);
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = wcscmp(szText, pszText) == 0 ? item.stateMask : 0;
        ::SendMessageW(hList, LVM_SETITEMSTATE, i, (LPARAM)&item);
    }
}
