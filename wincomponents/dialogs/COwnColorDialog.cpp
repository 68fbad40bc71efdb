#include "wincomponents/dialogs/COwnColorDialog.h"

#include "support/AppProfile.h"

BEGIN_MESSAGE_MAP(COwnColorDialog, CColorDialog)
END_MESSAGE_MAP()

namespace
{
CString ColourKey(UINT nIndex)
{
    CString strKey;
    strKey.Format(L"Custom Colour %u", nIndex);
    return strKey;
}
} // namespace

COwnColorDialog::COwnColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : CColorDialog(clrInit, dwFlags, pParentWnd)
{
    COLORREF* pColors = GetSavedCustomColors();
    for (UINT i = 0; i < 16; ++i)
        pColors[i] = (COLORREF)GetAppProfile().GetInt(ColourKey(i), (int)pColors[i]);
}

COwnColorDialog::~COwnColorDialog()
{
    const COLORREF* pColors = GetSavedCustomColors();
    for (UINT i = 0; i < 16; ++i)
        GetAppProfile().WriteInt(ColourKey(i), (int)pColors[i]);
}
