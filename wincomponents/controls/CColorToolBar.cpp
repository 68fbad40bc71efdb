#include "wincomponents/controls/CColorToolBar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CColorToolBar, CToolBar)

namespace
{
const COLORREF kKeyColor = RGB(255, 0, 255);

struct Label
{
    UINT nID;
    const wchar_t* pszLabel;
};

// Applied in order: a command listed twice shows its later label.
const Label kLabels[] = {
    {32771, L"Definitions"}, {32780, L"Logfile"},     {32773, L"Outstanding"}, {57650, L"Cascade"},
    {57651, L"Tile"},        {32782, L"Refresh"},     {32792, L"Test Defns"},  {32793, L"Service"},
    {32798, L"Set Status"},  {32826, L"Tervok"},      {32801, L"Quorvex"},     {32804, L"Close All"},
    {32786, L"Delete All"},  {32785, L"Delete"},      {32783, L"View Defn"},   {32805, L"Messenger"},
    {32790, L"Test Defn"},   {32792, L"Test All"},    {32803, L"Load"},        {32802, L"Save"},
    {32772, L"Add"},         {32776, L"Copy"},        {32774, L"Modify"},      {32775, L"Delete"},
    {32809, L"Database"},    {32811, L"Browser"},     {32812, L"Find"},        {32813, L"Highlight"},
    {32818, L"Layout"},      {32819, L"Set Widths"},  {32820, L"Open Alarms"},
};
} // namespace

CColorToolBar::CColorToolBar()
    : m_bmpDisabled(0xFFFFFF), m_bmpNormal(0xFFFFFF), m_nImageWidth(32), m_nImageHeight(32), m_bShowText(FALSE),
      m_rectPlain(0, 0, 0, 0), m_rectLabelled(0, 0, 0, 0)
{
}

CColorToolBar::~CColorToolBar()
{
    m_bmpHot.DeleteObject();
    m_bmpDisabled.DeleteObject();
    m_bmpNormal.DeleteObject();
    m_ilHot.DeleteImageList();
    m_ilDisabled.DeleteImageList();
    m_ilNormal.DeleteImageList();
}

const wchar_t* CColorToolBar::LabelOf(UINT nID)
{
    const wchar_t* pszLabel = nullptr;
    for (const Label& label : kLabels)
        if (label.nID == nID)
            pszLabel = label.pszLabel;
    return pszLabel;
}

BOOL CColorToolBar::MakeImageList(CImageList& imageList, CBitmap& bitmap, COLORREF crMask, UINT nMessage)
{
    imageList.DeleteImageList();
    if (!imageList.Create(m_nImageWidth, m_nImageHeight, ILC_COLOR24 | ILC_MASK, 1, 1))
        return FALSE;
    if (imageList.Add(&bitmap, crMask) < 0)
        return FALSE;
    SendCtrl(nMessage, 0, (LPARAM)imageList.GetSafeHandle());
    return TRUE;
}

BOOL CColorToolBar::LoadImageLists(UINT nIDBitmap, COLORREF crMask)
{
    m_bmpHot.DeleteObject();
    m_bmpDisabled.DeleteObject();
    m_bmpNormal.DeleteObject();
    if (!m_bmpHot.LoadBitmap(nIDBitmap) || !MakeImageList(m_ilHot, m_bmpHot, crMask, TB_SETHOTIMAGELIST))
        return FALSE;
    if (!m_bmpDisabled.LoadBitmap(nIDBitmap) || !m_bmpDisabled.MakeDisabled(kKeyColor) ||
        !MakeImageList(m_ilDisabled, m_bmpDisabled, crMask, TB_SETDISABLEDIMAGELIST))
        return FALSE;
    return m_bmpNormal.LoadBitmap(nIDBitmap) && m_bmpNormal.MakeLighter(kKeyColor) &&
           MakeImageList(m_ilNormal, m_bmpNormal, crMask, TB_SETIMAGELIST);
}

void CColorToolBar::MeasureButtons()
{
    GetItemRect(0, &m_rectPlain);
    CSize sizeLabels(0, 0);
    for (const Label& label : kLabels)
        for (int i = 0; i < GetCount(); ++i)
            if (GetItemID(i) == label.nID && !(GetButtonStyle(i) & BTNS_SEP))
            {
                SetButtonText(i, label.pszLabel);
                CSize size = MeasureText(label.pszLabel);
                sizeLabels.cx = std::max(sizeLabels.cx, size.cx);
                sizeLabels.cy = std::max(sizeLabels.cy, size.cy);
            }
    SendCtrl(TB_AUTOSIZE);
    GetItemRect(0, &m_rectLabelled);
    // Not every toolbar control grows its buttons for their labels: room for the longest one.
    if (sizeLabels.cy && m_rectLabelled.Height() < m_rectPlain.Height() + sizeLabels.cy)
        m_rectLabelled.bottom = m_rectLabelled.top + m_rectPlain.Height() + sizeLabels.cy;
    if (m_rectLabelled.Width() < sizeLabels.cx + 8)
        m_rectLabelled.right = m_rectLabelled.left + sizeLabels.cx + 8;
}

CSize CColorToolBar::MeasureText(const wchar_t* pszText) const
{
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = (HFONT)::SendMessageW(m_hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont ? (HGDIOBJ)hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    ::GetTextExtentPoint32W(hDC, pszText, lstrlenW(pszText), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    return CSize(size.cx, size.cy);
}

void CColorToolBar::ShowButtonText(BOOL bShow)
{
    m_bShowText = bShow;
    if (m_rectLabelled.IsRectEmpty())
        MeasureButtons();
    ModifyStyle(TBSTYLE_LIST, 0);
    const CRect& rect = bShow ? m_rectLabelled : m_rectPlain;
    SetSizes(CSize(rect.Width(), rect.Height()), GetImageSize());
}
