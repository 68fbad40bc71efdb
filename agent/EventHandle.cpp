#include "agent/EventHandle.h"

BOOL CEventHandle::Create()
{
    Close();
    m_hEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    return m_hEvent != nullptr;
}

void CEventHandle::Close()
{
    if (m_hEvent)
    {
        CloseHandle(m_hEvent);
        m_hEvent = nullptr;
    }
}
