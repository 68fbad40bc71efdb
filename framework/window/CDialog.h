// A dialog from a resource template, modal (DoModal) or modeless (Create). Its controls' values
// travel through DoDataExchange: into the controls at WM_INITDIALOG, back on OK.
#pragma once

#include "framework/window/CWnd.h"

#include <functional>

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr);

    // IDOK, IDCANCEL or what EndDialog was given; -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

protected:
    UINT m_nIDTemplate;
    BOOL m_bModal;
    BOOL m_bContinueModal;
    INT_PTR m_nModalResult;

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(HWND hWndParent);
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }
};

// Creates a dialog from its template resource as pWnd's window (pWnd gets every message from
// the first); null on failure.
HWND AfxCreateDialog(CWnd* pWnd, UINT nIDTemplate, HWND hWndParent);

// Offers a message to the windows it concerns, as the message loops do before dispatching.
BOOL AfxPreTranslateMessage(MSG* pMsg);

// The owner of a modal window for the time it runs: the given parent or else the main window,
// disabled until Release, which also hands the activation back from hWndModal.
class CModalOwner
{
public:
    explicit CModalOwner(CWnd* pParentWnd);
    void Release(HWND hWndModal);
    HWND m_hWnd;

private:
    BOOL m_bReenable;
};

// Runs the messages of the thread while fnContinue says so; WM_QUIT is left for the outer loop.
void AfxRunModalLoop(const std::function<BOOL()>& fnContinue);
