// The group records, descriptors, notification codes and commands of the shortcut bar itself;
// what it shares with its group lists is in ShortcutBarDefs.h.
#pragma once

#include "wincomponents/shortcutbar/ShortcutBarDefs.h"

// The style of a bar that takes over an existing window.
const DWORD SHBS_SUBCLASSDEFAULT = 0x020F;

// --- fields of SHB_GROUPINFO
const UINT SHBGI_TEXT = 0x00010000;
const UINT SHBGI_IMAGE = 0x00020000;
const UINT SHBGI_IMAGEEXPANDED = 0x00040000;
const UINT SHBGI_PARAM = 0x00080000;
const UINT SHBGI_ORDER = 0x00100000;
const UINT SHBGI_CHILDWND = 0x00800000;

// Insert positions for nOrder.
const int SHBGI_FIRST = -1;
const int SHBGI_LAST = -2;
const int SHBGI_SORT = -3;

// --- fields of SHB_DESCRIPTOR
const UINT SHBD_CLRBACK = 0x01;
const UINT SHBD_CLRTEXT = 0x02;
const UINT SHBD_CLRHEADERBACK = 0x04;
const UINT SHBD_CLRHEADERTEXT = 0x08;
const UINT SHBD_HEADERFORMAT = 0x10;
const UINT SHBD_TEXTFONT = 0x20;
const UINT SHBD_HEADERFONT = 0x40;
const UINT SHBD_HEADERHEIGHT = 0x80;

const UINT SHB_DEFAULTHEADERFORMAT = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
const int SHB_DEFAULTHEADERHEIGHT = 18;

// The shared look of groups. The bar keeps its own copies.
struct SHB_DESCRIPTOR
{
    COLORREF clrBackground;
    COLORREF clrText;
    COLORREF clrHeaderBackground;
    COLORREF clrHeaderText;
    UINT nHeaderTextFormat;
    LOGFONTW lfText;
    LOGFONTW lfHeader;
    int nHeaderHeight;
    UINT nMask;
};

// A group. Records the bar keeps own their text; a caller's record owns it only with bOwnText.
struct SHB_GROUPINFO
{
    SHB_GROUPINFO() = default;
    ~SHB_GROUPINFO()
    {
        if (bOwnText)
            delete[] pszText;
    }
    SHB_GROUPINFO(const SHB_GROUPINFO&) = delete;
    SHB_GROUPINFO& operator=(const SHB_GROUPINFO&) = delete;

    wchar_t* pszText = nullptr;
    int nTextMax = 0; // characters of pszText that belong to the header
    int nImage = -1;
    int nImageExpanded = -1;
    LPARAM lParam = 0;
    int nOrder = 0;
    int nView = 0;
    SHB_DESCRIPTOR* pDescriptor = nullptr;
    HWND hwndChild = nullptr;
    UINT nMask = 0;
    BOOL bOwnText = FALSE;
};

// Compares two groups for SortGroups: below 0, 0 or above 0.
typedef int(CALLBACK* PFNSHBCOMPARE)(HSHBGROUP hGroup1, HSHBGROUP hGroup2, LPARAM lParamSort);

// --- the bar's own notifications to its parent (NMSHORTCUTBAR, item -1)
const UINT SHBN_HEADERDRAG = 0x464;
const UINT SHBN_BEGINHEADEREDIT = 0x465;
const UINT SHBN_DELETEGROUP = 0x466;
const UINT SHBN_ENDHEADEREDIT = 0x467;
const UINT SHBN_GETHEADERTIP = 0x468;
const UINT SHBN_GROUPEXPANDED = 0x469;
const UINT SHBN_GROUPEXPANDING = 0x46A;
const UINT SHBN_DRAWHEADER = 0x46B;
const UINT SHBN_DROPHEADER = 0x46C;
const UINT SHBN_INSERTGROUP = 0x46D;
const UINT SHBN_CONTEXTMENU = 0x496;

// The tool tip of a header, filled by the owner on SHBN_GETHEADERTIP: its own text pointer, or
// the buffer.
typedef SHBINFOTIP SHBHEADERTIP;

// --- hit-test results
const UINT SHBHT_HEADER = 1;
const UINT SHBHT_CHILD = 2;
const UINT SHBHT_NOWHERE = 3;

// --- context menu commands
const UINT ID_SHB_LARGEICONS = 1524;
const UINT ID_SHB_SMALLICONS = 1525;
const UINT ID_SHB_ADDNEWGROUP = 1526;
const UINT ID_SHB_REMOVEGROUP = 1527;
const UINT ID_SHB_RENAMEGROUP = 1528;
