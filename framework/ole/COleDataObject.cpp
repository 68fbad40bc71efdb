#include "framework/ole/COleDataObject.h"

#include "framework/ole/AfxGlobalCopy.h"

void COleDataObject::Attach(IDataObject* lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

IDataObject* COleDataObject::Detach()
{
    IDataObject* lpDataObject = m_lpDataObject;
    m_lpDataObject = nullptr;
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpDataObject && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

BOOL COleDataObject::AttachClipboard()
{
    IDataObject* lpDataObject = nullptr;
    if (FAILED(OleGetClipboard(&lpDataObject)) || !lpDataObject)
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

FORMATETC COleDataObject::GlobalFormat(CLIPFORMAT cfFormat, const FORMATETC* lpFormatEtc)
{
    if (lpFormatEtc)
        return *lpFormatEtc;
    FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return format;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, FORMATETC* lpFormatEtc)
{
    if (!m_lpDataObject)
        return FALSE;
    FORMATETC format = GlobalFormat(cfFormat, lpFormatEtc);
    return m_lpDataObject->QueryGetData(&format) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, FORMATETC* lpFormatEtc)
{
    if (!m_lpDataObject)
        return nullptr;
    FORMATETC format = GlobalFormat(cfFormat, lpFormatEtc);
    format.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium = {};
    if (FAILED(m_lpDataObject->GetData(&format, &medium)))
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal)
    {
        ReleaseStgMedium(&medium);
        return nullptr;
    }
    if (!medium.pUnkForRelease)
        return medium.hGlobal;
    // The block still belongs to the source: hand out a copy the caller may free.
    HGLOBAL hCopy = AfxCopyGlobal(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return hCopy;
}
