#include "wincomponents/shortcutbar/ToolTipText.h"

#include "framework/window/CWnd.h"

#include <cstring>

namespace
{
const int nTipChars = 80;

// Character by character, so that no character is cut in two, whatever the code page.
void CopyNarrow(char* pszTip, const wchar_t* pszText)
{
    int nBytes = 0;
    for (const wchar_t* p = pszText; *p;)
    {
        int nUnits = IS_HIGH_SURROGATE(p[0]) && IS_LOW_SURROGATE(p[1]) ? 2 : 1;
        char szChar[8];
        int nChar = ::WideCharToMultiByte(CP_ACP, 0, p, nUnits, szChar, (int)sizeof szChar, nullptr, nullptr);
        if (nChar <= 0 || nBytes + nChar >= nTipChars)
            break;
        memcpy(pszTip + nBytes, szChar, (size_t)nChar);
        nBytes += nChar;
        p += nUnits;
    }
    pszTip[nBytes] = '\0';
}
} // namespace

void FillToolTipText(NMHDR* pNMHDR, const wchar_t* pszOwnText, const wchar_t* pszBuffer, HINSTANCE hinst)
{
    if (pNMHDR->code == TTN_NEEDTEXTW)
    {
        NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)pNMHDR;
        AfxCopyToolTipText(pInfo->szText, nTipChars, pszBuffer);
        pInfo->lpszText = pszOwnText ? const_cast<wchar_t*>(pszOwnText) : pInfo->szText;
        pInfo->hinst = hinst;
        return;
    }
    // The owner's text is UTF-16 either way; the narrow form gets a converted copy.
    NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)pNMHDR;
    CopyNarrow(pInfo->szText, pszOwnText ? pszOwnText : pszBuffer);
    pInfo->lpszText = pInfo->szText;
    pInfo->hinst = hinst;
}
