// The shortcut bar's layout of headers and child area, and its painting.
#include "wincomponents/shortcutbar/COXShortcutBar.h"

#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CPaintDC.h"
#include "framework/gdi/CRgn.h"

#include <algorithm>
#include <vector>

namespace
{
BYTE ClampByte(int nValue)
{
    return (BYTE)std::min(255, std::max(0, nValue));
}

void DrawLine(HDC hDC, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(hDC, x1, y1, nullptr);
    ::LineTo(hDC, x2, y2);
}
} // namespace

// --- colours

COLORREF COXShortcutBar::OffsetColor(COLORREF crColor, int nDelta)
{
    return RGB(ClampByte(GetRValue(crColor) + nDelta), ClampByte(GetGValue(crColor) + nDelta),
               ClampByte(GetBValue(crColor) + nDelta));
}

COLORREF COXShortcutBar::InvertColor(COLORREF crColor)
{
    return RGB(255 - GetRValue(crColor), 255 - GetGValue(crColor), 255 - GetBValue(crColor));
}

// --- layout

HSHBGROUP COXShortcutBar::LastHeaderGroup() const
{
    return FindGroupByOrder(GetGroupCount() - 1);
}

void COXShortcutBar::CalculateBoundRects()
{
    m_rectChildWnd = CRect();
    m_mapHandleToBoundRect.clear();
    if (!m_hWnd)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    int y = rectClient.top;
    for (int nOrder = 0; nOrder < GetGroupCount(); nOrder++)
    {
        HSHBGROUP hGroup = FindGroupByOrder(nOrder);
        CRect rect(rectClient.left, y, rectClient.right, y + GetGroupHeaderHeight(hGroup));
        m_mapHandleToBoundRect[hGroup] = rect;
        y = rect.bottom + m_nGroupMargin;
    }
    auto itExpanded = m_mapHandleToBoundRect.find(m_hExpandedGroup);
    if (itExpanded == m_mapHandleToBoundRect.end())
        return;
    int nFree = rectClient.bottom - m_mapHandleToBoundRect[LastHeaderGroup()].bottom;
    if (nFree <= 0)
        return;
    CRect rectExpanded = itExpanded->second;
    CRect rectChild(rectExpanded.left, rectExpanded.bottom, rectExpanded.right, rectExpanded.bottom + nFree);
    rectChild.left += m_rectChildWndMargins.left;
    rectChild.top += m_rectChildWndMargins.top;
    rectChild.right -= m_rectChildWndMargins.right;
    rectChild.bottom -= m_rectChildWndMargins.bottom;
    if (rectChild.Width() > 0 && rectChild.Height() > 0)
        m_rectChildWnd = rectChild;
    for (auto& entry : m_mapHandleToBoundRect)
    {
        if (entry.second.top >= rectExpanded.bottom + m_nGroupMargin)
            entry.second.OffsetRect(0, nFree);
    }
}

void COXShortcutBar::ShowGroupChildWnd(HSHBGROUP hGroup, BOOL bRedraw)
{
    HWND hChild = GetGroupChildWndHandle(hGroup);
    if (!hChild)
        return;
    if (m_rectChildWnd.IsRectEmpty())
    {
        ::ShowWindow(hChild, SW_HIDE);
        return;
    }
    ::MoveWindow(hChild, m_rectChildWnd.left, m_rectChildWnd.top, m_rectChildWnd.Width(), m_rectChildWnd.Height(),
                 FALSE);
    if (bRedraw)
        ::RedrawWindow(hChild, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    ::ShowWindow(hChild, SW_SHOW);
}

void COXShortcutBar::HideGroupChildWnd(HSHBGROUP hGroup)
{
    HWND hChild = GetGroupChildWndHandle(hGroup);
    if (hChild)
        ::ShowWindow(hChild, SW_HIDE);
}

void COXShortcutBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    CalculateBoundRects();
    if (m_hExpandedGroup)
        ShowGroupChildWnd(m_hExpandedGroup, TRUE);
    RedrawNow();
}

HSHBGROUP COXShortcutBar::HitTest(CPoint point, UINT* pnWhere) const
{
    UINT nWhere = SHBHT_NOWHERE;
    HSHBGROUP hGroup = 0;
    for (auto& entry : m_mapHandleToBoundRect)
    {
        if (entry.second.PtInRect(point))
        {
            nWhere = SHBHT_HEADER;
            hGroup = entry.first;
            break;
        }
    }
    if (!hGroup && m_rectChildWnd.PtInRect(point))
    {
        nWhere = SHBHT_CHILD;
        hGroup = m_hExpandedGroup;
    }
    if (pnWhere)
        *pnWhere = nWhere;
    return hGroup;
}

BOOL COXShortcutBar::UpdateHeader(HSHBGROUP hGroup)
{
    CRect rect;
    if (!hGroup || !GetGroupHeaderRect(hGroup, &rect))
        return FALSE;
    ::RedrawWindow(m_hWnd, &rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return TRUE;
}

// --- painting

BOOL COXShortcutBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COXShortcutBar::OnPaint()
{
    CPaintDC dc(this);
    int nSaved = ::SaveDC(dc);
    CRect rectClient;
    GetClientRect(&rectClient);
    ::IntersectClipRect(dc, rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
    if (!m_rectChildWnd.IsRectEmpty())
        ::ExcludeClipRect(dc, m_rectChildWnd.left, m_rectChildWnd.top, m_rectChildWnd.right, m_rectChildWnd.bottom);
    FillBackground(&dc);
    PaintHeaders(&dc);
    ::RestoreDC(dc, nSaved);
}

void COXShortcutBar::FillBackground(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CRgn rgn;
    if (!rgn.CreateRectRgn(rectClient.left, rectClient.top, rectClient.right, rectClient.bottom))
        return;
    std::vector<CRect> arrCut;
    for (auto& entry : m_mapHandleToBoundRect)
        arrCut.push_back(entry.second);
    if (!m_rectChildWnd.IsRectEmpty())
        arrCut.push_back(m_rectChildWnd);
    for (const CRect& rect : arrCut)
    {
        CRgn rgnCut;
        if (rgnCut.CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom))
            rgn.CombineRgn(&rgn, &rgnCut, RGN_XOR);
    }
    COLORREF crBack = m_hExpandedGroup ? GetGroupBkColor(m_hExpandedGroup) : ::GetSysColor(COLOR_WINDOW);
    HBRUSH hBrush = ::CreateSolidBrush(crBack);
    ::FillRgn(*pDC, rgn, hBrush);
    ::DeleteObject(hBrush);
}

// Each header is drawn into a bitmap of its own and copied to its place.
void COXShortcutBar::PaintHeaders(CDC* pDC)
{
    for (int nOrder = 0; nOrder < GetGroupCount(); nOrder++)
    {
        HSHBGROUP hGroup = FindGroupByOrder(nOrder);
        CRect rect;
        if (!GetGroupHeaderRect(hGroup, &rect) || !::RectVisible(*pDC, &rect))
            continue;
        CDC dcMem;
        CBitmap bitmap;
        if (!dcMem.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height()))
            return;
        HGDIOBJ hOldBitmap = dcMem.SelectObject(&bitmap);
        DrawHeaderAt(dcMem, hGroup, rect.Size());
        pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(hOldBitmap);
    }
}

// Draws the header into the device context at its origin.
void COXShortcutBar::DrawHeaderAt(HDC hDC, HSHBGROUP hGroup, CSize size)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlID = (UINT)GetDlgCtrlID();
    dis.itemID = (UINT)hGroup;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = ODS_DEFAULT;
    dis.hwndItem = m_hWnd;
    dis.hDC = hDC;
    dis.rcItem = CRect(0, 0, size.cx, size.cy);
    dis.itemData = (ULONG_PTR)hGroup;
    DrawHeader(&dis);
}

void COXShortcutBar::DrawHeader(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HSHBGROUP hGroup = (HSHBGROUP)lpDrawItemStruct->itemID;
    if (Notify(SHBN_DRAWHEADER, hGroup, (LPARAM)lpDrawItemStruct) != 0)
        return;
    HDC hDC = lpDrawItemStruct->hDC;
    CRect rect = lpDrawItemStruct->rcItem;
    COLORREF crBack = GetGroupHeaderBkColor(hGroup);
    if (hGroup == m_hDragGroup)
        crBack = InvertColor(crBack);
    DrawHeaderFrame(hDC, rect, crBack);
    HGDIOBJ hOldFont = ::SelectObject(hDC, m_font.GetSafeHandle() ? m_font.GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE sizeBlank = {};
    ::GetTextExtentPoint32W(hDC, L" ", 1, &sizeBlank);
    ::SelectObject(hDC, hOldFont);
    rect.DeflateRect(2 * sizeBlank.cx, 0);
    DrawHeaderImage(hDC, hGroup, rect);
    DrawHeaderText(hDC, hGroup, rect);
    DrawDropMark(hDC, hGroup, lpDrawItemStruct->rcItem, crBack);
}

// A raised border two pixels wide around the header's face.
void COXShortcutBar::DrawHeaderFrame(HDC hDC, CRect& rect, COLORREF crBack)
{
    CDC dc;
    dc.Attach(hDC);
    for (int i = 0; i < 2; i++)
    {
        COLORREF crLight = OffsetColor(crBack, 64);
        COLORREF crDark = OffsetColor(crBack, -128);
        dc.FillSolidRect(CRect(rect.left, rect.top, rect.right - 1, rect.top + 1), crLight);
        dc.FillSolidRect(CRect(rect.left, rect.top, rect.left + 1, rect.bottom - 1), crLight);
        dc.FillSolidRect(CRect(rect.right - 1, rect.top, rect.right, rect.bottom), crDark);
        dc.FillSolidRect(CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), crDark);
        rect.DeflateRect(1, 1);
    }
    dc.FillSolidRect(rect, crBack);
    dc.Detach();
}

void COXShortcutBar::DrawHeaderImage(HDC hDC, HSHBGROUP hGroup, CRect& rect)
{
    int nImage = hGroup == m_hExpandedGroup ? GetGroupImageExpanded(hGroup) : GetGroupImage(hGroup);
    if (nImage < 0 || !m_pImageList || !m_pImageList->GetSafeHandle())
        return;
    IMAGEINFO info = {};
    if (!m_pImageList->GetImageInfo(nImage, &info))
        return;
    CRect rectImage(info.rcImage);
    int y = rect.top + (rect.Height() - rectImage.Height()) / 2;
    ImageList_Draw(m_pImageList->GetSafeHandle(), nImage, hDC, rect.left, y, ILD_NORMAL);
    rect.left += rectImage.Width();
}

void COXShortcutBar::DrawHeaderText(HDC hDC, HSHBGROUP hGroup, const CRect& rect)
{
    CString strText = GetGroupText(hGroup);
    const LOGFONTW* pFont = GetGroupHeaderTextFont(hGroup);
    if (rect.Width() <= 0 || strText.IsEmpty() || !pFont)
        return;
    LOGFONTW lf = *pFont;
    if (m_dwBarStyle & SHBS_BOLDEXPANDED && hGroup == m_hExpandedGroup)
        lf.lfWeight = std::min<LONG>(1000, (lf.lfWeight ? lf.lfWeight : FW_NORMAL) + 300);
    CFont font;
    if (!font.CreateFontIndirect(&lf))
        return;
    COLORREF crText = GetGroupHeaderTextColor(hGroup);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, hGroup == m_hDragGroup ? InvertColor(crText) : crText);
    HGDIOBJ hOldFont = ::SelectObject(hDC, font.GetSafeHandle());
    CRect rectText = rect;
    ::DrawTextW(hDC, strText, -1, &rectText, GetGroupHeaderTextFormat(hGroup));
    ::SelectObject(hDC, hOldFont);
}

// While a header is dragged, the header it would land on is framed, with arrows saying which
// way the dragged one would move.
void COXShortcutBar::DrawDropMark(HDC hDC, HSHBGROUP hGroup, const CRect& rectItem, COLORREF crBack)
{
    if (!m_hDragGroup || hGroup != m_hDropTargetGroup || hGroup == m_hDragGroup)
        return;
    COLORREF crMark = ColorsAreClose(RGB(255, 0, 0), crBack, 64) ? RGB(0, 0, 255) : RGB(255, 0, 0);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, crMark);
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(hDC, rectItem.left, rectItem.top, rectItem.right, rectItem.bottom);
    CRect rect = rectItem;
    rect.DeflateRect(4, 4);
    BOOL bUp = GetGroupOrder(hGroup) < GetGroupOrder(m_hDragGroup);
    for (int x : {rect.left + 3, rect.right - 4})
    {
        int yTip = bUp ? rect.top : rect.bottom - 1;
        int nStep = bUp ? 1 : -1;
        for (int i = 0; i < 4; i++)
            DrawLine(hDC, x - i, yTip + i * nStep, x + i + 1, yTip + i * nStep);
        for (int dx = -1; dx <= 1; dx++)
            DrawLine(hDC, x + dx, yTip + 4 * nStep, x + dx, yTip + 10 * nStep);
    }
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
    ::DeleteObject(hPen);
}
