#include "framework/ole/COleDropSource.h"

#include "framework/window/CWnd.h"

HRESULT STDMETHODCALLTYPE COleDropSource::CSource::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IDropSource)
    {
        *ppv = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE COleDropSource::CSource::Release()
{
    LONG nRefs = InterlockedDecrement(&m_nRefs);
    if (nRefs == 0)
        delete this;
    return (ULONG)nRefs;
}

COleDropSource::COleDropSource() : m_rectStartDrag(0, 0, 0, 0), m_pSource(new CSource(this))
{
}

COleDropSource::~COleDropSource()
{
    m_pSource->CutOff();
    m_pSource->Release();
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed)
        return DRAGDROP_S_CANCEL;
    if (!(dwKeyState & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

int COleDropSource::CheckBeginDragMessage(const MSG& msg) const
{
    switch (msg.message)
    {
    case WM_MOUSEMOVE:
        return m_rectStartDrag.PtInRect(msg.pt) ? -1 : TRUE;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return FALSE;
    case WM_KEYDOWN:
        return msg.wParam == VK_ESCAPE ? FALSE : -1;
    default:
        return -1;
    }
}

BOOL COleDropSource::OnBeginDrag(CWnd* pWnd)
{
    HWND hWnd = pWnd ? pWnd->m_hWnd : nullptr;
    if (hWnd)
        ::SetCapture(hWnd);
    DWORD dwStart = GetTickCount();
    int nResult = -1;
    while (nResult == -1)
    {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                PostQuitMessage((int)msg.wParam);
                nResult = FALSE;
                break;
            }
            nResult = CheckBeginDragMessage(msg);
            if (nResult == -1 && !(msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST))
            {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (nResult == -1 && hWnd && ::GetCapture() != hWnd)
                nResult = FALSE;
            continue;
        }
        DWORD dwElapsed = GetTickCount() - dwStart;
        if (dwElapsed >= DD_DEFDRAGDELAY)
            nResult = TRUE;
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, DD_DEFDRAGDELAY - dwElapsed, QS_ALLINPUT);
    }
    if (hWnd && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    return nResult;
}
