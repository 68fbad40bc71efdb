#include "framework/ole/CArchiveStream.h"

HRESULT STDMETHODCALLTYPE CArchiveStream::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream)
    {
        *ppv = static_cast<IStream*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE CArchiveStream::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    if (!m_pArchive->IsLoading())
        return STG_E_ACCESSDENIED;
    ULONG nRead = 0;
    try
    {
        nRead = m_pArchive->Read(pv, cb);
    }
    catch (const CFileException&)
    {
        return STG_E_READFAULT;
    }
    if (pcbRead)
        *pcbRead = nRead;
    if (nRead == cb)
        return S_OK;
    // A short read tells the reader the stream has ended.
    m_bCutShort = TRUE;
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE CArchiveStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    if (!m_pArchive->IsStoring())
        return STG_E_ACCESSDENIED;
    try
    {
        m_pArchive->Write(pv, cb);
    }
    catch (const CFileException&)
    {
        return STG_E_MEDIUMFULL;
    }
    if (pcbWritten)
        *pcbWritten = cb;
    return S_OK;
}
