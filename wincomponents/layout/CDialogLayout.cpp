#include "wincomponents/layout/CDialogLayout.h"

#include "framework/window/CWnd.h"

namespace
{
// Modes 1 and 2 give a half and the whole growth; nThirdMode and the next one a third and two
// thirds (sizes and positions number those differently); any other mode nothing.
int Share(int d, int nMode, int nThirdMode)
{
    if (nMode == 1)
        return d / 2;
    if (nMode == 2)
        return d;
    if (nMode == nThirdMode)
        return d / 3;
    if (nMode == nThirdMode + 1)
        return (2 * d) / 3;
    return 0;
}

const int kSizeThird = 4;
const int kPositionThird = 6;
} // namespace

CDialogLayout::CDialogLayout()
    : m_bHasFrame(FALSE), m_nExtraTop(0), m_bSizesKnown(FALSE), m_rectInitialClient(0, 0, 0, 0),
      m_rectLayoutWindow(0, 0, 0, 0), m_rectInitialWindow(0, 0, 0, 0), m_bFlag(FALSE), m_nInitialHeight(0),
      m_nInitialWidth(0), m_nFrameX(0), m_nCaptionHeight(0), m_nFrameY(0), m_pToolTipOwner(nullptr),
      m_pWnd(nullptr)
{
}

CDialogLayout::~CDialogLayout()
{
}

void CDialogLayout::SetItems(const LAYOUT_ANCHOR* pRecords, int nCount)
{
    m_items.assign((size_t)std::max(0, nCount), ANCHORED_CONTROL());
    for (size_t i = 0; i < m_items.size(); ++i)
        m_items[i].anchor = pRecords[i];
}

BOOL CDialogLayout::Attach(CWnd* pWnd, CWnd* pToolTipOwner, BOOL bFlag)
{
    m_bFlag = bFlag;
    m_pWnd = pWnd;
    m_pToolTipOwner = pToolTipOwner;
    pWnd->GetWindowRect(&m_rectLayoutWindow);
    BOOL bAllFound = TRUE;
    for (ANCHORED_CONTROL& item : m_items)
        bAllFound &= CaptureAnchoredControl(pWnd->m_hWnd, m_rectLayoutWindow.TopLeft(), item);
    RecordInitialSizes();
    return bAllFound;
}

void CDialogLayout::RecordInitialSizes()
{
    if (m_rectInitialWindow.top == m_rectInitialWindow.bottom)
    {
        m_pWnd->GetWindowRect(&m_rectInitialWindow);
        m_nInitialHeight = m_rectInitialWindow.Height();
        m_nInitialWidth = m_rectInitialWindow.Width();
    }
    if (m_rectInitialClient.IsRectEmpty())
        m_pWnd->GetClientRect(&m_rectInitialClient);
    m_nFrameY = m_bHasFrame ? ::GetSystemMetrics(SM_CYFRAME) : 0;
    m_nFrameX = m_bHasFrame ? ::GetSystemMetrics(SM_CXFRAME) : 0;
    m_nCaptionHeight = m_nInitialHeight - m_rectInitialClient.Height() - 2 * m_nFrameY - m_nExtraTop;
    m_bSizesKnown = TRUE;
}

void CDialogLayout::OnSize()
{
    if (!m_bSizesKnown || !m_pWnd || !m_pWnd->m_hWnd)
        return;
    CRect rectClient;
    m_pWnd->GetClientRect(&rectClient);
    int dx = rectClient.Width() + 2 * m_nFrameX - m_rectLayoutWindow.Width() + 1;
    int dy = rectClient.Height() + 2 * m_nFrameY + m_nCaptionHeight - m_rectLayoutWindow.Height() + 1;
    for (const ANCHORED_CONTROL& item : m_items)
    {
        HWND hControl = item.bFound ? ::GetDlgItem(m_pWnd->m_hWnd, item.anchor.nControlId) : nullptr;
        if (!hControl)
            continue;
        const LAYOUT_ANCHOR& a = item.anchor;
        const RECT& rc = item.rcDesign;
        if (a.nWidthMode || a.nHeightMode)
            ::SetWindowPos(hControl, nullptr, 0, 0, rc.right - rc.left + Share(dx, a.nWidthMode, kSizeThird),
                           rc.bottom - rc.top + Share(dy, a.nHeightMode, kSizeThird),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (a.nXMode || a.nYMode)
            ::SetWindowPos(hControl, nullptr, rc.left + Share(dx, a.nXMode, kPositionThird) - m_nFrameX,
                           rc.top + Share(dy, a.nYMode, kPositionThird) - m_nFrameY - m_nCaptionHeight, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::RedrawWindow(m_pWnd->m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
