#include "wincomponents/controls/CColorStatic.h"

#include "framework/gdi/CDC.h"

BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CColorStatic::CColorStatic()
    : m_pFont(nullptr), m_crBackground(GetSysColor(COLOR_BTNFACE)), m_crText(GetSysColor(COLOR_BTNTEXT))
{
}

CColorStatic::~CColorStatic()
{
    DestroyWindow();
    delete m_pFont;
}

COLORREF CColorStatic::DisabledTextColor(COLORREF crText, COLORREF crBackground)
{
    return RGB((GetRValue(crText) + 4 * GetRValue(crBackground)) / 5,
               (GetGValue(crText) + 4 * GetGValue(crBackground)) / 5,
               (GetBValue(crText) + 4 * GetBValue(crBackground)) / 5);
}

HBRUSH CColorStatic::CtlColor(CDC* pDC, UINT)
{
    m_brBackground.DeleteObject();
    m_brBackground.CreateSolidBrush(m_crBackground);
    pDC->SetTextColor(IsWindowEnabled() ? m_crText : DisabledTextColor(m_crText, m_crBackground));
    pDC->SetBkColor(m_crBackground);
    return m_brBackground;
}

void CColorStatic::OnDestroy()
{
    CStatic::OnDestroy();
    m_brBackground.DeleteObject();
}
