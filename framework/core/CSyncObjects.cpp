#include "framework/core/CSyncObjects.h"

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCWSTR pszName, LPSECURITY_ATTRIBUTES pAttributes)
    : m_hObject(CreateEventW(pAttributes, bManualReset, bInitiallyOwn, pszName))
{
}

CEvent::~CEvent()
{
    if (m_hObject)
        CloseHandle(m_hObject);
}

BOOL CEvent::Lock(DWORD dwTimeout)
{
    return WaitForSingleObject(m_hObject, dwTimeout) == WAIT_OBJECT_0;
}

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock) : m_pObject(pObject), m_bAcquired(FALSE)
{
    if (bInitialLock)
        Lock();
}

BOOL CSingleLock::Lock(DWORD dwTimeout)
{
    if (!m_bAcquired)
        m_bAcquired = m_pObject->Lock(dwTimeout);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (m_bAcquired)
        m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}
