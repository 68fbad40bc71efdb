#include "console/app/CSplashWnd.h"

#include "framework/gdi/CDC.h"
#include "framework/gdi/CPaintDC.h"
#include "framework/window/CWinApp.h"
#include "resources/console/BelvaneRes.h"
#include "support/FileVersionInfo.h"
#include "wincomponents/controls/CFontFactory.h"

#include <memory>

namespace
{
const UINT_PTR nSplashTimer = 100;
const UINT nSplashMs = 4000;
const int nTextBandHeight = 35;

const wchar_t* SplashClassName()
{
    static const wchar_t szClass[] = L"BelvaneSplash";
    static BOOL bRegistered = FALSE;
    if (!bRegistered)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = szClass;
        bRegistered = RegisterClassW(&wc) != 0;
    }
    return szClass;
}
} // namespace

BOOL CSplashWnd::c_bShowSplashWnd = FALSE;
CSplashWnd* CSplashWnd::c_pSplashWnd = nullptr;

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CSplashWnd::~CSplashWnd()
{
    if (c_pSplashWnd == this)
        c_pSplashWnd = nullptr;
}

void CSplashWnd::EnableSplashScreen(BOOL bEnable)
{
    c_bShowSplashWnd = bEnable;
}

void CSplashWnd::ShowSplashScreen(CWnd* pParentWnd)
{
    if (!c_bShowSplashWnd || c_pSplashWnd)
        return;
    c_pSplashWnd = new CSplashWnd;
    if (!c_pSplashWnd->Create(pParentWnd))
    {
        delete c_pSplashWnd;
        return;
    }
    c_pSplashWnd->UpdateWindow();
}

void CSplashWnd::HideSplashScreen()
{
    if (!c_pSplashWnd)
        return;
    c_pSplashWnd->DestroyWindow();
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd && pApp->m_pMainWnd->m_hWnd)
        pApp->m_pMainWnd->UpdateWindow();
}

CString CSplashWnd::FirstLine()
{
    CFileVersionInfo version;
    CString strLine = version.m_strVersionLine;
    CString strSpecial = version.GetValue(L"SpecialBuild");
    if (!strSpecial.IsEmpty())
        strLine.Format(L"%s (%s)", (const wchar_t*)version.m_strVersionLine, (const wchar_t*)strSpecial);
    return strLine;
}

BOOL CSplashWnd::Create(CWnd* pParentWnd)
{
    if (!m_bitmap.LoadBitmap(IDB_SPLASH))
        return FALSE;
    BITMAP bm;
    m_bitmap.GetBitmap(&bm);
    return CreateEx(0, SplashClassName(), nullptr, WS_POPUP | WS_VISIBLE, 0, 0, bm.bmWidth, bm.bmHeight,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr);
}

int CSplashWnd::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CenterOverOwner();
    SetTimer(nSplashTimer, nSplashMs);
    return 0;
}

void CSplashWnd::CenterOverOwner()
{
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    CRect rectOver;
    if (hOwner && ::IsWindowVisible(hOwner))
        ::GetWindowRect(hOwner, &rectOver);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectOver, 0);
    CRect rect;
    GetWindowRect(&rect);
    SetWindowPos(nullptr, rectOver.left + (rectOver.Width() - rect.Width()) / 2,
                 rectOver.top + (rectOver.Height() - rect.Height()) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC dcMemory;
    if (!dcMemory.CreateCompatibleDC(&dc))
        return;
    BITMAP bm;
    m_bitmap.GetBitmap(&bm);
    HGDIOBJ hOldBitmap = dcMemory.SelectObject(&m_bitmap);
    CWinApp* pApp = AfxGetApp();
    std::unique_ptr<CFont> pFont(CFontFactory(pApp ? pApp->m_pMainWnd : nullptr).CreateSansSerifFont(8, FALSE));
    HGDIOBJ hOldFont = pFont ? dcMemory.SelectObject(pFont.get()) : nullptr;
    dcMemory.SetTextColor(RGB(0, 0, 0));

    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectVersion = rectClient;
    rectVersion.bottom -= nTextBandHeight;
    dcMemory.DrawText(FirstLine(), &rectVersion, DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    CRect rectCopyright = rectClient;
    rectCopyright.top = rectVersion.bottom + 2;
    CFileVersionInfo version;
    dcMemory.DrawText(version.GetValue(L"LegalCopyright"), &rectCopyright, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);

    dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &dcMemory, 0, 0, SRCCOPY);
    if (hOldFont)
        dcMemory.SelectObject(hOldFont);
    dcMemory.SelectObject(hOldBitmap);
}

void CSplashWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == nSplashTimer)
        HideSplashScreen();
}

void CSplashWnd::PostNcDestroy()
{
    delete this;
}
