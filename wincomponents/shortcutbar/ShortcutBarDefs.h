// What the shortcut bar, its group list controls and their in-place editor share: group
// handles, style bits, the messages the bar sends a group's child window, the notification
// codes and records that reach the bar's parent, and the editor's display information.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

class CFont;
class CMenu;
class CWnd;

// A group of the bar: a value greater than 0, never reused.
typedef DWORD HSHBGROUP;

// --- bar style bits; a standalone group list builds its own word from its window styles
const DWORD SHBS_NOITEMDRAG = 0x0001;        // items cannot be dragged out of a group list
const DWORD SHBS_NODRAGHOVER = 0x0002;       // drags over the bar and drops into lists are ignored
const DWORD SHBS_EDITHEADERS = 0x0004;       // header texts can be edited in place
const DWORD SHBS_EDITITEMS = 0x0008;         // item labels can be edited in place
const DWORD SHBS_TOOLTIPS = 0x0010;          // tips over headers and items
const DWORD SHBS_NOSCROLL = 0x0020;          // group lists show no scroll buttons
const DWORD SHBS_BOLDEXPANDED = 0x0040;      // the expanded header's text is drawn heavier
const DWORD SHBS_UNDERLINEHOTITEM = 0x0080;  // the label under the pointer is underlined
const DWORD SHBS_SHOWACTIVEALWAYS = 0x0100;  // passed through for the bar's owner
const DWORD SHBS_NOHEADERDRAG = 0x0200;      // headers cannot be dragged to another place
const DWORD SHBS_DRAGIMAGE = 0x0400;         // a dragged header shows a drag image
const DWORD SHBS_DRAWITEMDRAGIMAGE = 0x0800; // a dragged item shows a drag image
const DWORD SHBS_AUTOSCROLL = 0x1000;        // resting on a list's scroll button scrolls
const DWORD SHBS_ANIMATEEXPAND = 0x2000;     // expanding another group is animated
const DWORD SHBS_AUTOEXPAND = 0x4000;        // hovering over a header expands it

// Group views.
const int SHB_LARGEICON = 1;
const int SHB_SMALLICON = 2;

// Changed-field bits of a group that the list reacts to (lParam of SHBM_GROUPINFOCHANGED).
const UINT SHBGI_VIEW = 0x00200000;
const UINT SHBGI_DESCRIPTOR = 0x00400000;

// --- messages the bar sends a group's child window (wParam 0)
const UINT SHBM_POPULATECONTEXTMENU = 0x052D; // lParam: SHBCONTEXTMENU*
const UINT SHBM_ATTACHGROUP = 0x052E;         // lParam: the group the window now shows
const UINT SHBM_GROUPINFOCHANGED = 0x052F;    // lParam: the changed-field mask
const UINT SHBM_BARSTYLECHANGED = 0x0530;     // lParam: 0x20 (0x01 is accepted too)
const UINT SHBM_GROUPDELETED = 0x0531;        // lParam: 0

// Context-menu commands a group list adds for the item under the click; the bar carries them out.
const UINT ID_SHB_REMOVEITEM = 1624;
const UINT ID_SHB_RENAMEITEM = 1625;

// --- notifications of a group list (WM_NOTIFY to the bar's parent, or to the list's own
// parent when standalone); "veto" means a non-zero answer cancels the change
const UINT SHBN_BEGINDRAGITEM = 0x0478;    // item: drag item; lParam: POINT* hotspot
const UINT SHBN_BEGINITEMEDIT = 0x0479;    // item; lParam: the label text (const wchar_t*); veto
const UINT SHBN_DELETEALLITEMS = 0x047A;   // item -1
const UINT SHBN_DELETEITEM = 0x047B;       // item
const UINT SHBN_ENDITEMEDIT = 0x047C;      // edited item; lParam: the new text; veto
const UINT SHBN_GETITEMINFOTIP = 0x047D;   // item; lParam: SHBINFOTIP* to fill
const UINT SHBN_INSERTITEM = 0x047E;       // index asked for; lParam: the LVITEMW*
const UINT SHBN_SELECTITEM = 0x047F;       // the pressed item is about to change; veto
const UINT SHBN_ACTIVATEITEM = 0x0480;     // the clicked (active) item is about to change; veto
const UINT SHBN_HOTITEM = 0x0481;          // the item under the pointer is about to change; veto
const UINT SHBN_DRAWITEM = 0x0482;         // lParam: DRAWITEMSTRUCT*; non-zero: the owner drew it
const UINT SHBN_GETDROPTARGET = 0x0483;    // lParam out: a drop target
const UINT SHBN_GETDROPSOURCE = 0x0484;    // lParam out: a drop source
const UINT SHBN_BEGINDRAGDROP = 0x0485;    // item: drag item; lParam: the data source; veto
const UINT SHBN_SETADDITIONALDRAGDATA = 0x0486; // item: drag item; lParam: SHBADDITIONALDATA*
const UINT SHBN_GETADDITIONALDROPDATA = 0x0487; // item: insert index; lParam: SHBADDITIONALDATA*
const UINT SHBN_DROPCOMPLETE = 0x0488;     // lParam: the drop effect
const UINT SHBN_DRAGENTER = 0x0497;        // lParam: the drop record; non-zero: handled
const UINT SHBN_DRAGLEAVE = 0x0498;
const UINT SHBN_DRAGOVER = 0x0499;
const UINT SHBN_DROP = 0x049B;

// The record of every notification of the bar and its lists. The bar fills hdr with its own
// window and control id; a standalone list with its own.
struct NMSHORTCUTBAR
{
    NMHDR hdr;
    HSHBGROUP hGroup; // 0 for a standalone list
    int nItem;        // -1 when the notification is not about an item
    LPARAM lParam;
};
typedef NMSHORTCUTBAR SHB_NOTIFYINFO;

// The record of SHBM_POPULATECONTEXTMENU: a list adds its entries when pBar and hGroup are its own.
struct SHBCONTEXTMENU
{
    CMenu* pMenu;
    CWnd* pBar;
    HSHBGROUP hGroup;
    POINT point; // screen coordinates of the click
};

// Filled by the owner on SHBN_GETITEMINFOTIP: its own text pointer, or the buffer.
struct SHBINFOTIP
{
    const wchar_t* lpszText;
    wchar_t szText[80];
    HINSTANCE hinst;
};

// Extra bytes the owner puts into a dragged item's data, and gets back with a drop.
struct SHBADDITIONALDATA
{
    DWORD nBufferLength;
    void* pData;
};

// --- the in-place editor
const UINT SHBEIF_TEXT = 0x0001;
const UINT SHBEIF_RECTDISPLAY = 0x0002;
const UINT SHBEIF_RECTMAX = 0x0004;
const UINT SHBEIF_STYLE = 0x0008;
const UINT SHBEIF_ENLARGE = 0x0010;
const UINT SHBEIF_SELRANGE = 0x0020;
const UINT SHBEIF_FONT = 0x0040;
const UINT SHBEIF_RECTMIN = 0x0080;
const UINT SHBEIF_CLRTEXT = 0x0100;
const UINT SHBEIF_CLRBACK = 0x0200;
const UINT SHBEIF_ALL = 0x03FF;

// What an edit shows; nMask says which fields are valid. Rectangles are in the parent's client
// coordinates.
struct SHBE_DISPLAY
{
    const wchar_t* lpText;
    RECT rectDisplay;
    RECT rectMax;      // the editor never grows past it
    DWORD dwStyle;     // edit style; WS_CHILD is always added
    BOOL bEnlargeAsTyping;
    POINT ptSelection; // start and end; (0, -1) selects all
    CFont* pFont;      // copied: the caller may delete it once StartEdit returns
    RECT rectMin;      // the editor never shrinks below it
    COLORREF clrText;
    COLORREF clrBack;
    UINT nMask;
};

// The editor's control id and its finish notification, sent to its parent.
const UINT SHB_IDCEDIT = 0xFFFF;
const UINT SHBEN_FINISHEDIT = 0x07E8;

struct NMSHBEDIT
{
    NMHDR hdr;
    BOOL bOK; // TRUE when the text was accepted
};

// TRUE when the average of the three channel differences is at most nTolerance.
inline BOOL ColorsAreClose(COLORREF clr1, COLORREF clr2, int nTolerance)
{
    int nRed = abs((int)GetRValue(clr1) - (int)GetRValue(clr2));
    int nGreen = abs((int)GetGValue(clr1) - (int)GetGValue(clr2));
    int nBlue = abs((int)GetBValue(clr1) - (int)GetBValue(clr2));
    return (nRed + nGreen + nBlue) / 3 <= nTolerance;
}
