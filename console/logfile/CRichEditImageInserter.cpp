#include "console/logfile/CRichEditImageInserter.h"

#include <ole2.h>

namespace
{
// Answers IUnknown and IDataObject; GetData gives a copy of the bitmap it was given.
class CBitmapDataObject : public IDataObject
{
public:
    CBitmapDataObject() : m_nRefs(1), m_format(), m_medium() {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDataObject)
        {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG nRefs = --m_nRefs;
        if (nRefs == 0)
            delete this;
        return nRefs;
    }

    STDMETHODIMP GetData(FORMATETC*, STGMEDIUM* pMedium) override
    {
        HANDLE hCopy = OleDuplicateData(m_medium.hBitmap, CF_BITMAP, 0);
        if (!hCopy)
            return E_HANDLE;
        pMedium->tymed = TYMED_GDI;
        pMedium->hBitmap = (HBITMAP)hCopy;
        pMedium->pUnkForRelease = nullptr;
        return S_OK;
    }
    // Keeps the record; the bitmap is not taken over.
    STDMETHODIMP SetData(FORMATETC* pFormat, STGMEDIUM* pMedium, BOOL) override
    {
        m_format = *pFormat;
        m_medium = *pMedium;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    virtual ~CBitmapDataObject() {}
    ULONG m_nRefs;
    FORMATETC m_format;
    STGMEDIUM m_medium;
};

// Releases what it holds when the insertion ends, whichever way.
template <typename T>
class CComRef
{
public:
    CComRef() : p(nullptr) {}
    ~CComRef()
    {
        if (p)
            p->Release();
    }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    T* p;
};

HRESULT CreateStorage(IStorage** ppStorage)
{
    CComRef<ILockBytes> lockBytes;
    HRESULT hr = CreateILockBytesOnHGlobal(nullptr, TRUE, &lockBytes.p);
    if (FAILED(hr))
        return hr;
    return StgCreateDocfileOnILockBytes(lockBytes.p, STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE, 0,
                                        ppStorage);
}
} // namespace

HRESULT CRichEditImageInserter::InsertBitmap(IRichEditOle* pRichEditOle, HBITMAP hBitmap)
{
    if (!pRichEditOle || !hBitmap)
        return E_POINTER;
    CComRef<CBitmapDataObject> dataObject;
    dataObject.p = new CBitmapDataObject;
    FORMATETC format = {CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    STGMEDIUM medium = {};
    medium.tymed = TYMED_GDI;
    medium.hBitmap = hBitmap;
    dataObject.p->SetData(&format, &medium, FALSE);

    CComRef<IOleClientSite> clientSite;
    HRESULT hr = pRichEditOle->GetClientSite(&clientSite.p);
    if (FAILED(hr))
        return hr;
    CComRef<IStorage> storage;
    if (FAILED(hr = CreateStorage(&storage.p)))
        return hr;
    CComRef<IOleObject> object;
    hr = OleCreateStaticFromData(dataObject.p, IID_IOleObject, OLERENDER_FORMAT, &format, clientSite.p,
                                 storage.p, (void**)&object.p);
    if (FAILED(hr))
        return hr;
    OleSetContainedObject(object.p, TRUE);

    REOBJECT reobject = {};
    reobject.cbStruct = sizeof reobject;
    reobject.cp = REO_CP_SELECTION;
    if (FAILED(hr = object.p->GetUserClassID(&reobject.clsid)))
        return hr;
    reobject.dvaspect = DVASPECT_CONTENT;
    reobject.poleobj = object.p;
    reobject.polesite = clientSite.p;
    reobject.pstg = storage.p;
    return pRichEditOle->InsertObject(&reobject);
}
