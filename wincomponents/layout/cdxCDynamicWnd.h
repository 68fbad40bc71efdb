// The layout of a dynamic window, held as a second base beside the window class: each managed
// child moves its four edges by percentages of the window's growth since it was set up, the
// window keeps a minimum (and optional maximum) client size, can carry a size grip, and turns
// full-window redraw off while the user drags its right or bottom edge.
#pragma once

#include "framework/gdi/CRect.h"
#include "framework/gdi/CSize.h"
#include "framework/window/CWnd.h"
#include "wincomponents/layout/cdxCDynamicLayoutInfo.h"

#include <map>
#include <memory>

class cdxCSizeIconCtrl;

// Percentages (0-100) of the growth by which each edge moves.
struct SBYTES
{
    signed char left;
    signed char top;
    signed char right;
    signed char bottom;
};

// One entry of a window's dynamic map; a map ends with an entry of type mapEnd.
struct DYNAMIC_MAP_ENTRY
{
    int nType;   // mapEnd, mapBytes (the bytes are SBYTES) or mapModes (horizontal, vertical mode)
    UINT nID;    // 0: every child window
    signed char bytes[4];
};

class cdxCDynamicWnd
{
public:
    enum Freedom { fdNone = 0, fdHoriz = 1, fdVert = 2, fdAll = 3 };
    enum Flags { flSizeIcon = 1, flAntiFlicker = 2, flSWPCopyBits = 4 };
    enum MapType { mapEnd = 0, mapBytes = 1, mapModes = 2 };
    // Modes of a mapModes entry, each giving the near and far edge's percentage.
    enum Mode { mdNone = 0, mdResize = 1, mdRepos = 2, mdRelative = 3 };
    static const UINT nAntiFlickerTimer = 29028;
    static const UINT nDefaultSizeIconId = 0xEA20;

    // A managed control: its rectangle at the initial size (parent client coordinates), how its
    // edges follow the growth, and the size below which it is moved out of sight.
    struct Position : public CRect
    {
        SBYTES bytes;
        CSize sizeMin;

        Position() : CRect(0, 0, 0, 0), bytes{0, 0, 0, 0} {}
        Position(const RECT& rect, const SBYTES& sb, CSize sizeMinimum = CSize(0, 0))
            : CRect(rect), bytes(sb), sizeMin(sizeMinimum) {}
        // The control's rectangle for the layout's growth.
        CRect Apply(const cdxCDynamicLayoutInfo& info) const;
    };

    cdxCDynamicWnd(UINT nFreedom, UINT nFlags);
    virtual ~cdxCDynamicWnd();

    virtual int GetCtrlCount() const { return (int)m_controls.size(); }
    virtual CSize GetCurrentClientSize() const;
    // FALSE without a live window or when hWnd is no window; replaces an existing entry.
    virtual BOOL AddSzControl(HWND hWnd, const Position& pos, BOOL bReposNow = TRUE);
    virtual void Layout();
    // FALSE for a window without an entry.
    virtual BOOL GetControlPosition(HWND hWnd, UINT nID, CRect& rect, const cdxCDynamicLayoutInfo& info);
    virtual void RemSzControl(HWND hWnd);
    virtual void OnInitialized() {}
    virtual void OnDestroying() {}
    // Null while the window is minimised or gone: there is nothing to lay out then.
    virtual cdxCDynamicLayoutInfo* DoCreateLayoutInfo();
    virtual void StartAntiFlickering(BOOL bKeepRedrawOff);
    virtual const DYNAMIC_MAP_ENTRY* GetDynamicMap() const { return nullptr; }

    // Every child window not yet managed (or every one with bOverwrite) gets those percentages.
    void AddSzControl(const SBYTES& bytes, BOOL bOverwrite, BOOL bLayoutNow);
    void UpdateControlPosition(HWND hWnd);
    BOOL IsWindow() const { return m_pWnd && ::IsWindow(m_pWnd->m_hWnd); }
    CWnd* GetLaidOutWindow() const { return m_pWnd; }
    cdxCSizeIconCtrl* GetSizeIcon() const { return m_pSizeIcon.get(); }

    UINT m_nFreedom;
    UINT m_nFlags;
    CSize m_szMin; // minimum client size, the initial one from set-up on
    CSize m_szMax; // maximum client size; 0 in a dimension is no limit
    UINT m_nSizeIconId;
    BOOL m_bUseScrollPos;

protected:
    // From the window's initialisation: the current client size becomes the initial and minimum.
    void DoInit(CWnd* pWnd);
    void DoInitWindow();
    void DoDestroy();
    // The window's message handlers feed these after default processing.
    void DoOnSize(UINT nType);
    void DoOnGetMinMaxInfo(MINMAXINFO* pInfo);
    void DoOnSizing(UINT nSide);
    // TRUE when the timer was the anti-flicker one.
    BOOL DoOnTimer(UINT_PTR nIDEvent);
    void DoOnParentNotify(WPARAM wParam, LPARAM lParam);

    CSize m_szInitial;
    int m_nDisabled; // layout is off while above 0

private:
    void AddMapEntry(const DYNAMIC_MAP_ENTRY& entry);
    void StopAntiFlickering();
    UINT PositionFlags() const;

    CWnd* m_pWnd;
    std::unique_ptr<cdxCSizeIconCtrl> m_pSizeIcon;
    BOOL m_bAntiFlickerActive; // this window counts among those that have changed its class's style
    std::map<HWND, Position> m_controls;
    UINT_PTR m_nTimerId; // 0 until set up
};
