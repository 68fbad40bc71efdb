// The print preview: a window of its own that shows the pages a print would make, one at a time
// and scaled to fit, with buttons to turn the pages, to print and to close.
#pragma once

#include "framework/window/CWnd.h"
#include "framework/gdi/CSize.h"

#include <vector>

class CPreviewWnd : public CWnd
{
public:
    enum
    {
        IDC_PREVIEW_PRINT = 0xE300,
        IDC_PREVIEW_PREV,
        IDC_PREVIEW_NEXT,
        IDC_PREVIEW_CLOSE,
    };

    ~CPreviewWnd() override;

    // Shows the pages, which it takes over, in a top-level window owned by pOwner and titled
    // after the printed window; hView is the view whose print the Print button starts. FALSE
    // when the window cannot be made: the pages are freed then.
    static BOOL Open(HWND hView, std::vector<HENHMETAFILE> pages, CSize sizePage, CWnd* pOwner,
                     const CString& strTitle);
    UINT GetPageCount() const { return (UINT)m_pages.size(); }
    UINT GetCurrentPage() const { return m_nPage + 1; }

protected:
    void PostNcDestroy() override;
    void OnPaint();
    void OnPrint();
    void OnPrevPage();
    void OnNextPage();
    void OnClosePreview();

    DECLARE_MESSAGE_MAP()

private:
    CPreviewWnd(HWND hView, std::vector<HENHMETAFILE> pages, CSize sizePage);
    BOOL Create(CWnd* pOwner, const CString& strTitle);
    void ShowPage(UINT nPage);
    // Where the page stands in the client area: below the buttons, as large as fits.
    CRect PageRect() const;

    HWND m_hView;
    std::vector<HENHMETAFILE> m_pages;
    CSize m_sizePage;
    UINT m_nPage; // shown, from 0
    BOOL m_bAutoDelete; // once its window exists, the window's end deletes the object
};
