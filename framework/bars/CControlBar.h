// A control bar: a child of a frame along one of its edges (a status bar, later toolbars and
// dock bars). The frame's layout asks every bar for its room (WM_SIZEPARENT); the bar answers
// with CalcFixedLayout or, for CBRS_SIZE_DYNAMIC, CalcDynamicLayout, and takes its strip from the
// free rectangle. At idle time the bar updates its items through the frame's command routing.
// Shows and hides can wait for the next layout (DelayShow), so that several bars move at once.
#pragma once

#include "framework/window/CWnd.h"
#include "framework/window/AfxIds.h"
#include "framework/gdi/CSize.h"

class CDockContext;
class CFrameWnd;

// --- bar styles (m_dwStyle), given with the window style to Create and kept apart from it
const DWORD CBRS_FLOATING = 0x0001;
const DWORD CBRS_SIZE_FIXED = 0x0002;
const DWORD CBRS_SIZE_DYNAMIC = 0x0004;
const DWORD CBRS_HIDE_INPLACE = 0x0008;
const DWORD CBRS_TOOLTIPS = 0x0010;
const DWORD CBRS_FLYBY = 0x0020;
const DWORD CBRS_FLOAT_MULTI = 0x0040;
const DWORD CBRS_BORDER_3D = 0x0080;
const DWORD CBRS_BORDER_LEFT = 0x0100;
const DWORD CBRS_BORDER_TOP = 0x0200;
const DWORD CBRS_BORDER_RIGHT = 0x0400;
const DWORD CBRS_BORDER_BOTTOM = 0x0800;
const DWORD CBRS_BORDER_ANY = 0x0F00;
const DWORD CBRS_ALIGN_LEFT = 0x1000;
const DWORD CBRS_ALIGN_TOP = 0x2000;
const DWORD CBRS_ALIGN_RIGHT = 0x4000;
const DWORD CBRS_ALIGN_BOTTOM = 0x8000;
const DWORD CBRS_ALIGN_ANY = 0xF000;
const DWORD CBRS_GRIPPER = 0x00400000;
const DWORD CBRS_ALL = 0x0040FFFF;
const DWORD CBRS_NOALIGN = 0;
const DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
const DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
const DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
const DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
const DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
const DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;

// --- CalcDynamicLayout's modes
const DWORD LM_STRETCH = 0x01;
const DWORD LM_HORZ = 0x02;
const DWORD LM_MRUWIDTH = 0x04;
const DWORD LM_HORZDOCK = 0x08;
const DWORD LM_VERTDOCK = 0x10;
const DWORD LM_LENGTHY = 0x20;
const DWORD LM_COMMIT = 0x40;

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    // --- m_nStateFlags
    enum StateFlags { delayHide = 0x1, delayShow = 0x2, tempHide = 0x4, statusSet = 0x8 };

    CControlBar();
    ~CControlBar() override;

    // The bar's size along its edge (bHorz: at the top or bottom); bStretch: the whole edge.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The size for a length (-1: none asked) and LM_* mode; the fixed layout by default.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Updates the bar's items through pTarget's command routing.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // The client rectangle less the bar's borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    // Visible, or about to be shown by a delayed show.
    BOOL IsVisible() const;
    // Floating, the bar takes the size its mini frame's borders are dragged to
    // (CalcDynamicLayout with the new width, then with LM_LENGTHY the new height).
    virtual BOOL CanSizeWhileFloating() const { return FALSE; }
    // The show or hide waits for the frame's next layout.
    void DelayShow(BOOL bShow);
    // Carries out a waiting show or hide, in pLayout's deferred positioning when there is one.
    virtual void RecalcDelayShow(AFX_SIZEPARENTPARAMS* pLayout);
    CFrameWnd* GetDockingFrame() const { return m_pDockSite; }
    // The sides the bar may dock to (CBRS_ALIGN_*); it can be dragged and floated from now on.
    void EnableDocking(DWORD dwDockStyle);

    DWORD m_dwStyle;
    UINT m_nStateFlags;
    CFrameWnd* m_pDockSite; // the frame whose layout holds the bar
    CWnd* m_pDockBar;       // the dock bar holding the bar; null while it sits on the frame
    DWORD m_dwDockStyle;    // the sides it may dock to
    CDockContext* m_pDockContext; // its drag and docking toggle; null until docking is enabled
    int m_cxLeftBorder, m_cxRightBorder, m_cyTopBorder, m_cyBottomBorder;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    // Creates the window with the bar bits of dwStyle kept in m_dwStyle (they share the low word
    // with the control's own styles, dwCtrlStyle), and joins the frame.
    BOOL CreateBar(DWORD dwExStyle, const wchar_t* lpszClassName, DWORD dwStyle, DWORD dwCtrlStyle,
                   CWnd* pParentWnd, UINT nID);
    // Takes the bar's strip from the layout's free rectangle.
    virtual void OnSizeParent(AFX_SIZEPARENTPARAMS* pLayout);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
