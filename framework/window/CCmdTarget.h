// Objects that receive messages and commands through message maps: one table per class, each
// chained to its base class's table, searched from the most derived class down.
#pragma once

#include "framework/core/CObject.h"

#include <cstring>

class CCmdTarget;
class CCmdUI;

typedef void (CCmdTarget::*AFX_PMSG)();

// A map entry keeps its handler as AFX_PMSG and is called through the type it was stored with;
// the bytes are copied both ways, which keeps the round trip exact.
template <typename T>
inline AFX_PMSG AfxToPmsg(T pfn)
{
    static_assert(sizeof(T) == sizeof(AFX_PMSG), "member function pointers of one size");
    AFX_PMSG result;
    memcpy(&result, &pfn, sizeof result);
    return result;
}

template <typename T>
inline T AfxFromPmsg(AFX_PMSG pfn)
{
    T result;
    memcpy(&result, &pfn, sizeof result);
    return result;
}

// How a map entry's member function is called.
enum AfxSig : UINT
{
    AfxSig_end = 0,
    AfxSig_v_v,         // void ()
    AfxSig_v_u,         // void (UINT id): command ranges
    AfxSig_v_cmdui,     // void (CCmdUI*)
    AfxSig_v_notify,    // void (NMHDR*, LRESULT*)
    AfxSig_l_wl,        // LRESULT (WPARAM, LPARAM)
    AfxSig_i_create,    // int (LPCREATESTRUCT)
    AfxSig_v_size,      // void (UINT nType, int cx, int cy)
    AfxSig_v_mouse,     // void (UINT nFlags, CPoint)
    AfxSig_b_dc,        // BOOL (CDC*)
    AfxSig_v_timer,     // void (UINT_PTR nIDEvent)
    AfxSig_hbr_ctl,     // HBRUSH (CDC*, CWnd*, UINT nCtlColor)
    AfxSig_hbr_reflect, // HBRUSH (CDC*, UINT nCtlColor)
    AfxSig_v_drawitem,  // void (LPDRAWITEMSTRUCT)
    AfxSig_b_u,         // BOOL (UINT id): a command handler that may decline
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;   // control notification or notify code; CN_UPDATE_COMMAND_UI for updates
    UINT nID;     // first control or command id
    UINT nLastID; // last id of a range (nID otherwise)
    const UINT* pnRegistered; // registered messages: the variable holding the number
    UINT nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled instead of calling the handler when a caller only asks whether one exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// The record a notification handler is reached with.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

const int CN_COMMAND = 0;
const int CN_UPDATE_COMMAND_UI = -1;
// Reflected messages travel as this base plus the message number.
const UINT WM_REFLECT_BASE = 0x2000;
// Sent at idle time so that windows can update the state of their commands.
const UINT WM_IDLEUPDATECMDUI = 0x0363;

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra is the CCmdUI), a control notification,
    // or MAKELONG(code, WM_NOTIFY) (pExtra is an AFX_NOTIFY). With pHandlerInfo the handler is
    // only looked up.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The first entry for the message in this class's map or its bases'.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, nullptr, AfxSig_end, nullptr}}; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, _messageEntries}; \
        return &messageMap; \
    }

#define AFX_CMD_PMSG(type, fn) AfxToPmsg(static_cast<type>(&ThisClass::fn))

#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, (UINT)CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, AfxSig_v_v, \
     AFX_CMD_PMSG(void (CCmdTarget::*)(), memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, (UINT)CN_COMMAND, (UINT)(id), (UINT)(idLast), nullptr, AfxSig_v_u, \
     AFX_CMD_PMSG(void (CCmdTarget::*)(UINT), memberFxn)},
// BOOL handler(UINT nID): FALSE lets the command go on to the next target.
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, (UINT)CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, AfxSig_b_u, \
     AFX_CMD_PMSG(BOOL (CCmdTarget::*)(UINT), memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), nullptr, AfxSig_v_cmdui, \
     AFX_CMD_PMSG(void (CCmdTarget::*)(CCmdUI*), memberFxn)},
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), nullptr, AfxSig_v_v, \
     AFX_CMD_PMSG(void (CCmdTarget::*)(), memberFxn)},
#define ON_NOTIFY(code, id, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(code), (UINT)(id), (UINT)(id), nullptr, AfxSig_v_notify, \
     AFX_CMD_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_CONTROL_REFLECT(code, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, 0, nullptr, AfxSig_v_v, \
     AFX_CMD_PMSG(void (CCmdTarget::*)(), memberFxn)},
#define ON_NOTIFY_REFLECT(code, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)(code), 0, 0, nullptr, AfxSig_v_notify, \
     AFX_CMD_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_MESSAGE(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, nullptr, AfxSig_l_wl, \
     AFX_CMD_PMSG(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},
// nMessageVariable holds the number that RegisterWindowMessage gave.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0xC000, 0, 0, 0, &(nMessageVariable), AfxSig_l_wl, \
     AFX_CMD_PMSG(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},
