#include "wincomponents/controls/CInfoEdit.h"

#include "framework/gdi/CDC.h"
#include "wincomponents/dialogs/ExternalEditor.h"

BEGIN_MESSAGE_MAP(CInfoEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CInfoEdit::CInfoEdit()
    : m_bUseColours(FALSE), m_bHtmlText(FALSE), m_pFont(nullptr), m_nMargin(0),
      m_crBackground(GetSysColor(COLOR_INFOBK)), m_crText(GetSysColor(COLOR_INFOTEXT))
{
}

CInfoEdit::~CInfoEdit()
{
    // The window goes first: it may still be using the font.
    DestroyWindow();
    delete m_pFont;
}

int CInfoEdit::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    LimitText(0x10000);
    return 0;
}

HBRUSH CInfoEdit::CtlColor(CDC* pDC, UINT)
{
    m_brBackground.DeleteObject();
    if (!m_bUseColours)
        return nullptr;
    m_brBackground.CreateSolidBrush(m_crBackground);
    pDC->SetTextColor(m_crText);
    pDC->SetBkColor(m_crBackground);
    return m_brBackground;
}

void CInfoEdit::OnSize(UINT nType, int cx, int cy)
{
    CEdit::OnSize(nType, cx, cy);
    if (!m_nMargin)
        return;
    CRect rect;
    GetRect(rect);
    rect.DeflateRect(m_nMargin, m_nMargin);
    SetRect(rect);
}

void CInfoEdit::OnDestroy()
{
    CEdit::OnDestroy();
    m_brBackground.DeleteObject();
}

void CInfoEdit::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (GetStyle() & ES_READONLY)
        ViewTextExternally(*this);
    else
        EditTextExternally(*this, m_bHtmlText);
    CEdit::OnLButtonDblClk(nFlags, point);
}
