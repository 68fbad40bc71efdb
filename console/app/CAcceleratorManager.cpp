#include "console/app/CAcceleratorManager.h"

#include "framework/controls/CMenu.h"
#include "framework/window/CWnd.h"

#include <vector>

namespace
{
struct AcceleratorKey
{
    BYTE fVirt;
    WORD wKey;
    const wchar_t* pszTipText; // null: the string resource's
    const wchar_t* pszKeyName;
    WORD wBoundCommand;        // set while the menu is walked
    WORD commands[4];          // ended by 0
};

const WORD ID_LOGFILE_DISPLAY = 32780;

AcceleratorKey g_keys[] = {
    {FVIRTKEY | FNOINVERT, VK_F6, nullptr, L"F6", 0, {ID_LOGFILE_DISPLAY, 0}},
};

const int nMenuTextMax = 1024;

// The tip part ("prompt\ntip") of a command's string resource.
CString ResourceTip(UINT nID)
{
    wchar_t szText[256 + 1] = L"";
    LoadStringW(GetModuleHandleW(nullptr), nID, szText, 256);
    CString strText(szText);
    int nNewLine = strText.Find(L'\n');
    return nNewLine >= 0 ? strText.Mid(nNewLine + 1) : CString();
}
} // namespace

CAcceleratorManager& GetAcceleratorManager()
{
    static CAcceleratorManager s_manager;
    return s_manager;
}

void CAcceleratorManager::BuildAccelerators(CMenu* pMenu, HACCEL& hAccel)
{
    for (AcceleratorKey& key : g_keys)
        key.wBoundCommand = 0;
    BindMenu(pMenu->GetSafeHmenu());
    std::vector<ACCEL> table;
    for (const AcceleratorKey& key : g_keys)
        if (key.wBoundCommand && key.wKey)
            table.push_back(ACCEL{key.fVirt, key.wKey, key.wBoundCommand});
    hAccel = table.empty() ? nullptr : CreateAcceleratorTableW(table.data(), (int)table.size());
    if (m_mapKeyNames.empty())
        FillMaps();
}

void CAcceleratorManager::BindMenu(HMENU hMenu)
{
    int nCount = GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; ++nPos)
    {
        UINT nID = GetMenuItemID(hMenu, nPos);
        if (nID == (UINT)-1)
            BindMenu(GetSubMenu(hMenu, nPos));
        else if (nID != 0)
            BindItem(hMenu, nPos, nID);
    }
}

void CAcceleratorManager::BindItem(HMENU hMenu, int nPos, UINT nID)
{
    wchar_t szText[nMenuTextMax + 1] = L"";
    GetMenuStringW(hMenu, nPos, szText, nMenuTextMax, MF_BYPOSITION);
    CString strText(szText);
    BOOL bNamed = FALSE;
    for (AcceleratorKey& key : g_keys)
    {
        if (key.wBoundCommand)
            continue;
        for (const WORD* pCommand = key.commands; *pCommand; ++pCommand)
        {
            if (*pCommand != nID)
                continue;
            key.wBoundCommand = (WORD)nID;
            if (!bNamed && key.pszKeyName)
            {
                // A key name from an earlier build is replaced, not repeated.
                int nTab = strText.Find(L'\t');
                if (nTab >= 0)
                    strText = strText.Left(nTab);
                strText += L'\t';
                strText += key.pszKeyName;
                bNamed = TRUE;
            }
            break;
        }
    }
    if (bNamed)
        ModifyMenuW(hMenu, nPos, MF_BYPOSITION | MF_STRING, nID, strText);
}

void CAcceleratorManager::FillMaps()
{
    for (const AcceleratorKey& key : g_keys)
        for (const WORD* pCommand = key.commands; *pCommand; ++pCommand)
        {
            if (key.pszKeyName)
                m_mapKeyNames[*pCommand] = key.pszKeyName;
            if (key.pszTipText)
                m_mapTipTexts[*pCommand] = key.pszTipText;
        }
}

CString CAcceleratorManager::ToolTipOf(UINT nID) const
{
    auto tip = m_mapTipTexts.find(nID);
    CString strTip = tip != m_mapTipTexts.end() ? tip->second : ResourceTip(nID);
    auto name = m_mapKeyNames.find(nID);
    if (name != m_mapKeyNames.end())
        strTip += L" (" + name->second + L")";
    return strTip;
}

BOOL CAcceleratorManager::GetToolTipText(NMHDR* pNMHDR, LRESULT* pResult)
{
    UINT_PTR nID = pNMHDR->idFrom;
    BOOL bAnsi = pNMHDR->code == TTN_NEEDTEXTA;
    UINT uFlags = bAnsi ? ((NMTTDISPINFOA*)pNMHDR)->uFlags : ((NMTTDISPINFOW*)pNMHDR)->uFlags;
    if (uFlags & TTF_IDISHWND)
        nID = (UINT_PTR)GetDlgCtrlID((HWND)nID);
    if (nID != 0)
    {
        CString strTip = ToolTipOf((UINT)nID);
        if (bAnsi)
        {
            NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)pNMHDR;
            WideCharToMultiByte(CP_ACP, 0, strTip, -1, pInfo->szText, (int)sizeof pInfo->szText, nullptr, nullptr);
            pInfo->szText[sizeof pInfo->szText - 1] = '\0';
        }
        else
        {
            NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)pNMHDR;
            AfxCopyToolTipText(pInfo->szText, sizeof pInfo->szText / sizeof pInfo->szText[0], strTip);
        }
    }
    *pResult = 0;
    SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}
