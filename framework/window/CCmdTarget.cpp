#include "framework/window/CCmdTarget.h"

#include "framework/window/CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {{0, 0, 0, 0, nullptr, AfxSig_end, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, _messageEntries};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p)
        {
            if (p->pnRegistered)
            {
                if (nMessage >= 0xC000 && *p->pnRegistered == nMessage)
                    return p;
                continue;
            }
            if (p->nMessage == nMessage && p->nCode == nCode && nID >= p->nID && nID <= p->nLastID)
                return p;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMessage = WM_COMMAND;
    UINT nEntryCode = (UINT)nCode;
    if (nCode != CN_UPDATE_COMMAND_UI && HIWORD((UINT)nCode) == WM_NOTIFY)
    {
        nMessage = WM_NOTIFY;
        nEntryCode = LOWORD((UINT)nCode);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(nMessage, nEntryCode, nID);
    if (!pEntry)
        return FALSE;
    if (pHandlerInfo)
    {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = pEntry->pfn;
        return TRUE;
    }
    switch (pEntry->nSig)
    {
    case AfxSig_v_v:
        (this->*pEntry->pfn)();
        return TRUE;
    case AfxSig_v_u:
        (this->*AfxFromPmsg<void (CCmdTarget::*)(UINT)>(pEntry->pfn))(nID);
        return TRUE;
    case AfxSig_b_u:
        return (this->*AfxFromPmsg<BOOL (CCmdTarget::*)(UINT)>(pEntry->pfn))(nID);
    case AfxSig_v_cmdui:
    {
        // A handler that has nothing to say for this target hands the element on.
        CCmdUI* pCmdUI = (CCmdUI*)pExtra;
        pCmdUI->m_bContinueRouting = FALSE;
        (this->*AfxFromPmsg<void (CCmdTarget::*)(CCmdUI*)>(pEntry->pfn))(pCmdUI);
        BOOL bHandled = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        return bHandled;
    }
    case AfxSig_v_notify:
    {
        AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
        (this->*AfxFromPmsg<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pEntry->pfn))(
            pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    }
    default:
        return FALSE;
    }
}
