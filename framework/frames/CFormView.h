// A view that is a child dialog made from a dialog template. The template's size is the
// form's scroll size: a smaller view scrolls. Dialog keys (Tab, arrows, mnemonics) work in the
// form once the frames have had their accelerators.
#pragma once

#include "framework/frames/CView.h"
#include "framework/gdi/CSize.h"

class CFormView : public CView
{
    DECLARE_DYNAMIC(CFormView)
public:
    explicit CFormView(UINT nIDTemplate);

    BOOL Create(const wchar_t* lpszClassName, const wchar_t* lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID) override;
    // The form's total size in pixels, a page and a line (MM_TEXT).
    void GetDeviceScrollSizes(int& nMapMode, CSize& sizeTotal, CSize& sizePage, CSize& sizeLine) const;
    void SetScrollSizes(int nMapMode, SIZE sizeTotal);
    CPoint GetScrollPosition() const { return m_ptScroll; }

    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    // Sizes the scroll bars to the client area and keeps the position inside the range.
    void UpdateBars();
    void ScrollToPosition(CPoint pt);

    UINT m_nIDTemplate;
    CSize m_totalDev;
    CPoint m_ptScroll;

private:
    int ScrollTarget(int nBar, UINT nCode) const;
};
