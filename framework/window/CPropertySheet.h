// A property sheet over the system's: tabs of CPropertyPage objects with OK and Cancel. The
// sheet object is attached to its window from the first message; OK takes the active page's
// data back before it ends the sheet. DoModal runs the sheet in its own loop with the owner
// disabled; Create leaves it modeless.
#pragma once

#include "framework/window/CPropertyPage.h"

#include <vector>

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    explicit CPropertySheet(const wchar_t* pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    void AddPage(CPropertyPage* pPage) { m_arrPages.push_back(pPage); }
    int GetPageCount() const { return (int)m_arrPages.size(); }
    CPropertyPage* GetPage(int nPage) const { return m_arrPages.at((size_t)nPage); }
    BOOL SetActivePage(int nPage);
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const;

    // IDOK or IDCANCEL; -1 when the sheet could not be made.
    virtual INT_PTR DoModal();
    BOOL Create(CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);
    INT_PTR GetResult() const { return m_nResult; }

    // After the system's own initialisation, with every page of the first activation made.
    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    PROPSHEETHEADERW m_psh;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    DECLARE_MESSAGE_MAP()

private:
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }
    BOOL CreateSheet(HWND hWndParent);

    CString m_strCaption;
    CWnd* m_pParentWnd;
    std::vector<CPropertyPage*> m_arrPages;
    std::vector<PROPSHEETPAGEW> m_arrRecords;
    BOOL m_bModal;
    BOOL m_bContinueModal;
    INT_PTR m_nResult;
};
