#include "console/app/RegisteredMessage.h"

// Defined in registration order; each name is the member's own.
#define REGISTERED_MESSAGE(name) \
    const UINT RegisteredMessage::name = RegisterWindowMessageW(L"RegisteredMessage::" #name)

REGISTERED_MESSAGE(nMsgChange);
REGISTERED_MESSAGE(nMsgBrowser);
REGISTERED_MESSAGE(nMsgFind);
REGISTERED_MESSAGE(nMsgRedraw);
REGISTERED_MESSAGE(nMsgRefresh);
REGISTERED_MESSAGE(nMsgAddLogfile);
REGISTERED_MESSAGE(nMsgSelection);
REGISTERED_MESSAGE(nMsgGetData);
REGISTERED_MESSAGE(nMsgSetStatus);
REGISTERED_MESSAGE(nMsgReloadIconSize);
REGISTERED_MESSAGE(nMsgOutstanding);
REGISTERED_MESSAGE(nMsgNewAlarms);
REGISTERED_MESSAGE(nMsgShowAllOpen);
