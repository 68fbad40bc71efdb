// The one kept-open connection of a process to the alarms service. Every call may come from any
// thread; calls take turns on the connection.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include "framework/core/CString.h"

// 1 connected (a socket already open is reused whatever is asked for), 0 not.
int AlarmConnect(const wchar_t* pszAddress, int nPort, CString& strError);
// Sends the record as one frame of type 20; 1 sent, 0 not. The connection stays open.
int AlarmTransmit(const wchar_t* pszAddress, int nPort, const BYTE* pRecord, DWORD nBytes, CString& strError);
void AlarmDisconnect();
// Clamps each value to 2..300 seconds and sets the socket's receive and send time-outs.
void SetSocketTimeouts(SOCKET s, int nReceiveSeconds, int nSendSeconds);

// The clock of the pause after a failed connection; a test can replace it.
typedef DWORD (*AlarmClockFunction)();
void SetAlarmClock(AlarmClockFunction pfnClock);
