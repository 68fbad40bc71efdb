#include "wincomponents/layout/cdxCSizeIconCtrl.h"

#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CImageList.h"
#include "framework/gdi/CPaintDC.h"

namespace
{
// OBM_SIZE, which windows.h only names with OEMRESOURCE.
const UINT nSizeGripBitmap = 32766;

// The grip bitmap and cursor, made once and shared by every grip.
class CGripImages
{
public:
    CGripImages() : m_sizeBitmap(0, 0), m_hCursor(::LoadCursorW(nullptr, IDC_SIZENWSE))
    {
        CBitmap bitmap;
        if (!bitmap.Attach(::LoadBitmapW(nullptr, MAKEINTRESOURCEW(nSizeGripBitmap))))
            return;
        BITMAP info = {};
        ::GetObjectW(bitmap.m_hObject, sizeof info, &info);
        m_sizeBitmap = CSize(info.bmWidth, info.bmHeight);
        // The mask colour is the button face, so the grip shows whatever lies behind it.
        if (m_images.Create(info.bmWidth, info.bmHeight, ILC_MASK | ILC_COLOR16, 0, 1))
            m_images.Add(&bitmap, ::GetSysColor(COLOR_BTNFACE));
    }

    CImageList m_images;
    CSize m_sizeBitmap;
    HCURSOR m_hCursor;
};

CGripImages& GetGripImages()
{
    static CGripImages images;
    return images;
}
} // namespace

IMPLEMENT_DYNAMIC(cdxCSizeIconCtrl, CWnd)

BEGIN_MESSAGE_MAP(cdxCSizeIconCtrl, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

cdxCSizeIconCtrl::cdxCSizeIconCtrl() : m_bHideWhenZoomed(FALSE)
{
}

BOOL cdxCSizeIconCtrl::Create(CWnd* pParent, UINT nID)
{
    CRect rect;
    pParent->GetClientRect(&rect);
    if (!CreateEx(0, L"SCROLLBAR", nullptr, WS_CHILD | SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN, rect, pParent,
                  nID))
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, GetExStyle() | WS_EX_TRANSPARENT);
    return TRUE;
}

BOOL cdxCSizeIconCtrl::IsGripShown() const
{
    HWND hParent = ::GetParent(m_hWnd);
    return !m_bHideWhenZoomed || (hParent && !::IsZoomed(hParent));
}

void cdxCSizeIconCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (!IsGripShown())
        return;
    CGripImages& images = GetGripImages();
    CRect rect;
    GetClientRect(&rect);
    images.m_images.Draw(&dc, 0, CPoint(rect.right - images.m_sizeBitmap.cx, rect.bottom - images.m_sizeBitmap.cy),
                         ILD_TRANSPARENT);
}

LRESULT cdxCSizeIconCtrl::OnSetCursor(WPARAM, LPARAM lParam)
{
    if (IsGripShown())
        ::SetCursor(LOWORD(lParam) == HTCLIENT ? GetGripImages().m_hCursor : nullptr);
    return TRUE;
}

void cdxCSizeIconCtrl::OnLButtonDblClk(UINT, CPoint)
{
    // The size box would otherwise maximise or restore the parent.
}
