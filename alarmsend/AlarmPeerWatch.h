// Watches the kept connection for its peer's close without a call to the system per alarm: a
// zero-byte overlapped receive stays pending until the peer closes or sends something, and
// whether it is still pending is read from memory.
#pragma once

#include <winsock2.h>
#include <windows.h>

class CAlarmPeerWatch
{
public:
    CAlarmPeerWatch() {}
    // Frees the block unless a receive may still write into it.
    ~CAlarmPeerWatch();
    CAlarmPeerWatch(const CAlarmPeerWatch&) = delete;
    CAlarmPeerWatch& operator=(const CAlarmPeerWatch&) = delete;

    // Posts the receive on a connected socket; FALSE when it could not be posted.
    BOOL Start(SOCKET s);
    // TRUE while the receive is pending: nothing has arrived and the peer has not closed. FALSE
    // also when no receive is posted, so that the caller then looks at the socket itself.
    BOOL IsQuiet() const;
    // After the socket has been closed: waits for its receive to end before the block is used
    // again.
    void Stop();

private:
    // On the heap, outside the library's image: a receive still pending when the library is
    // unloaded writes its end there.
    OVERLAPPED* m_pOverlapped = nullptr;
    BOOL m_bPosted = FALSE;
};
