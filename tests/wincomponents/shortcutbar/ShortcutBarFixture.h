// A shortcut bar in a parent that writes down every notification the bar sends and can answer
// any of them, and child windows that write down what the bar tells them.
#pragma once

#include "GuiTest.h"

#include "framework/controls/CMenu.h"
#include "wincomponents/shortcutbar/COXShortcutBar.h"

#include <map>
#include <vector>

const UINT kBarId = 40;

// One notification as the parent saw it; lParam texts are copied while they are valid.
struct ShortcutNotice
{
    UINT nCode;
    HWND hwndFrom;
    UINT_PTR idFrom;
    HSHBGROUP hGroup;
    int nItem;
    LPARAM lParam;
    CString strText;
};

// The entries of a menu, as "text" or "text*" when checked, "-" for separators.
inline std::vector<CString> MenuEntries(HMENU hMenu)
{
    std::vector<CString> arrEntries;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++)
    {
        wchar_t szText[64] = L"";
        ::GetMenuStringW(hMenu, (UINT)i, szText, 63, MF_BYPOSITION);
        CString strEntry = szText[0] ? CString(szText) : CString(L"-");
        if (::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) & MF_CHECKED)
            strEntry += L"*";
        arrEntries.push_back(strEntry);
    }
    return arrEntries;
}

class CShortcutParent : public CWnd
{
public:
    std::vector<ShortcutNotice> m_arrNotices;
    std::map<UINT, LRESULT> m_mapAnswers;
    std::vector<CString> m_arrMenu; // the last context menu's entries
    const wchar_t* m_pszTip = nullptr;
    bool m_bTipByPointer = false; // the tip's text pointer names m_pszTip rather than a copy
    UINT m_nTakenCommand = 0; // a command this parent carries out itself
    int m_nCommandsTaken = 0;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_COMMAND && nID == m_nTakenCommand && !pHandlerInfo)
        {
            m_nCommandsTaken++;
            return TRUE;
        }
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    // The codes noticed, in order, as "0x465 g2" lines joined by ", "; painting's are left out.
    CString Codes() const
    {
        CString strAll;
        for (const ShortcutNotice& notice : m_arrNotices)
        {
            if (notice.nCode == SHBN_DRAWHEADER)
                continue;
            CString strOne;
            strOne.Format(L"%s0x%X g%u", strAll.IsEmpty() ? L"" : L", ", notice.nCode, (UINT)notice.hGroup);
            strAll += strOne;
        }
        return strAll;
    }
    const ShortcutNotice* Find(UINT nCode) const
    {
        for (const ShortcutNotice& notice : m_arrNotices)
        {
            if (notice.nCode == nCode)
                return &notice;
        }
        return nullptr;
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMSHORTCUTBAR* pNM = (NMSHORTCUTBAR*)lParam;
        if (pNM->hdr.idFrom != kBarId || wParam != kBarId)
            return CWnd::OnNotify(wParam, lParam, pResult);
        ShortcutNotice notice = {pNM->hdr.code, pNM->hdr.hwndFrom, pNM->hdr.idFrom, pNM->hGroup, pNM->nItem, pNM->lParam, L""};
        if ((notice.nCode == SHBN_BEGINHEADEREDIT || notice.nCode == SHBN_ENDHEADEREDIT) && pNM->lParam)
            notice.strText = (const wchar_t*)pNM->lParam;
        if (notice.nCode == SHBN_INSERTGROUP)
            notice.strText = ((const SHB_GROUPINFO*)pNM->lParam)->pszText;
        if (notice.nCode == SHBN_CONTEXTMENU)
            m_arrMenu = MenuEntries(((SHBCONTEXTMENU*)pNM->lParam)->pMenu->GetSafeHmenu());
        if (notice.nCode == SHBN_GETHEADERTIP && m_pszTip && m_bTipByPointer)
            ((SHBHEADERTIP*)pNM->lParam)->lpszText = m_pszTip;
        else if (notice.nCode == SHBN_GETHEADERTIP && m_pszTip)
            lstrcpynW(((SHBHEADERTIP*)pNM->lParam)->szText, m_pszTip, 80);
        m_arrNotices.push_back(notice);
        auto it = m_mapAnswers.find(notice.nCode);
        *pResult = it == m_mapAnswers.end() ? 0 : it->second;
        return TRUE;
    }
};

// A group's own child window: writes down the bar's messages and its own sizes.
class CChildProbe : public CWnd
{
public:
    std::vector<CString> m_arrMessages;
    std::vector<int> m_arrHeights;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        CString strMessage;
        if (message >= SHBM_POPULATECONTEXTMENU && message <= SHBM_GROUPDELETED)
        {
            LPARAM lValue = message == SHBM_POPULATECONTEXTMENU ? ((SHBCONTEXTMENU*)lParam)->hGroup : lParam;
            strMessage.Format(L"0x%X %X", message, (UINT)lValue);
            m_arrMessages.push_back(strMessage);
        }
        if (message == WM_SIZE)
            m_arrHeights.push_back(HIWORD(lParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ShortcutBarTest : public GuiTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 400), &Host(), 1));
        CreateBar(0, 300);
    }
    void CreateBar(DWORD dwStyle, int nHeight)
    {
        ASSERT_TRUE(m_bar.Create(&m_parent, CRect(0, 0, 200, nHeight), dwStyle, kBarId));
        PumpUntilIdle();
        m_parent.m_arrNotices.clear();
    }

    // A group at the bottom with the text and, when asked, a probe as its child window.
    HSHBGROUP AddGroup(const wchar_t* pszText, CChildProbe* pProbe = nullptr, int nOrder = SHBGI_LAST)
    {
        SHB_GROUPINFO info;
        info.nMask = SHBGI_TEXT | SHBGI_ORDER;
        info.pszText = const_cast<wchar_t*>(pszText);
        info.nTextMax = lstrlenW(pszText);
        info.nOrder = nOrder;
        if (pProbe)
        {
            if (!pProbe->m_hWnd)
                pProbe->Create(nullptr, L"", WS_CHILD, CRect(), &m_bar, 0);
            info.nMask |= SHBGI_CHILDWND;
            info.hwndChild = pProbe->m_hWnd;
        }
        return m_bar.InsertGroup(&info);
    }
    // The header texts from the top down, joined by blanks.
    CString Orders()
    {
        CString strAll;
        for (int i = 0; i < m_bar.GetGroupCount(); i++)
            strAll += (i ? L" " : L"") + m_bar.GetGroupText(m_bar.FindGroupByOrder(i));
        return strAll;
    }
    CRect HeaderRect(HSHBGROUP hGroup)
    {
        CRect rect;
        m_bar.GetGroupHeaderRect(hGroup, &rect);
        return rect;
    }
    // Mouse messages as the window gets them, through the message loop.
    void Mouse(UINT message, CPoint point, WPARAM wFlags = 0)
    {
        m_bar.PostMessage(message, wFlags, MAKELPARAM(point.x, point.y));
        PumpUntilIdle();
    }
    void Command(UINT nID)
    {
        m_bar.SendMessage(WM_COMMAND, nID);
        PumpUntilIdle();
    }

    CShortcutParent m_parent;
    COXShortcutBar m_bar;
};
