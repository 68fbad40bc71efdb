#include "framework/ole/COleDataSource.h"

#include "framework/ole/AfxGlobalCopy.h"
#include "framework/ole/COleDropSource.h"
#include "framework/window/CWnd.h"

#include <shlobj.h>

#include <vector>

// The system's view of the cache: counted, so that it outlives the source while a target still
// holds it.
class COleDataSource::CDataObject : public IDataObject
{
public:
    CDataObject() : m_nRefs(1) {}
    virtual ~CDataObject() { Empty(); }

    void Cache(const FORMATETC& format, HGLOBAL hGlobal);
    void Empty();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&m_nRefs); }
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override
    { return Find(pFormat) ? S_OK : DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override
    {
        pOut->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    struct CEntry
    {
        FORMATETC format;
        HGLOBAL hGlobal;
    };
    const CEntry* Find(const FORMATETC* pFormat) const;

    LONG m_nRefs;
    std::vector<CEntry> m_entries;
};

void COleDataSource::CDataObject::Cache(const FORMATETC& format, HGLOBAL hGlobal)
{
    for (CEntry& entry : m_entries)
    {
        if (entry.format.cfFormat == format.cfFormat && entry.format.dwAspect == format.dwAspect)
        {
            GlobalFree(entry.hGlobal);
            entry.hGlobal = hGlobal;
            return;
        }
    }
    m_entries.push_back({format, hGlobal});
}

void COleDataSource::CDataObject::Empty()
{
    for (CEntry& entry : m_entries)
        GlobalFree(entry.hGlobal);
    m_entries.clear();
}

HRESULT STDMETHODCALLTYPE COleDataSource::CDataObject::QueryInterface(REFIID riid, void** ppv)
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

ULONG STDMETHODCALLTYPE COleDataSource::CDataObject::Release()
{
    LONG nRefs = InterlockedDecrement(&m_nRefs);
    if (nRefs == 0)
        delete this;
    return (ULONG)nRefs;
}

const COleDataSource::CDataObject::CEntry* COleDataSource::CDataObject::Find(const FORMATETC* pFormat) const
{
    if (!pFormat || !(pFormat->tymed & TYMED_HGLOBAL))
        return nullptr;
    for (const CEntry& entry : m_entries)
    {
        if (entry.format.cfFormat == pFormat->cfFormat && entry.format.dwAspect == pFormat->dwAspect)
            return &entry;
    }
    return nullptr;
}

HRESULT STDMETHODCALLTYPE COleDataSource::CDataObject::GetData(FORMATETC* pFormat, STGMEDIUM* pMedium)
{
    const CEntry* pEntry = Find(pFormat);
    if (!pEntry)
        return DV_E_FORMATETC;
    // The receiver owns what it gets; the cache keeps its own block for the next one.
    HGLOBAL hCopy = AfxCopyGlobal(pEntry->hGlobal);
    if (!hCopy)
        return E_OUTOFMEMORY;
    pMedium->tymed = TYMED_HGLOBAL;
    pMedium->hGlobal = hCopy;
    pMedium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDataSource::CDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum)
{
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const CEntry& entry : m_entries)
        formats.push_back(entry.format);
    return SHCreateStdEnumFmtEtc((UINT)formats.size(), formats.data(), ppEnum);
}

COleDataSource::COleDataSource() : m_pDataObject(new CDataObject)
{
}

COleDataSource::~COleDataSource()
{
    m_pDataObject->Release();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, const FORMATETC* lpFormatEtc)
{
    FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (lpFormatEtc)
    {
        format = *lpFormatEtc;
        format.cfFormat = cfFormat;
        format.ptd = nullptr;
        format.tymed = TYMED_HGLOBAL;
    }
    m_pDataObject->Cache(format, hGlobal);
}

void COleDataSource::Empty()
{
    m_pDataObject->Empty();
}

IDataObject* COleDataSource::GetDataObject()
{
    m_pDataObject->AddRef();
    return m_pDataObject;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    COleDropSource standardSource;
    if (!pDropSource)
        pDropSource = &standardSource;
    if (lpRectStartDrag)
        pDropSource->m_rectStartDrag = *lpRectStartDrag;
    else
    {
        POINT pt;
        GetCursorPos(&pt);
        pDropSource->m_rectStartDrag = CRect(pt.x, pt.y, pt.x, pt.y);
        pDropSource->m_rectStartDrag.InflateRect(GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG));
    }
    // The press belongs to the window that holds the mouse, else to the active one.
    HWND hWnd = ::GetCapture();
    if (!hWnd)
        hWnd = ::GetActiveWindow();
    if (!pDropSource->OnBeginDrag(hWnd ? CWnd::FromHandle(hWnd) : nullptr))
        return DROPEFFECT_NONE;
    DWORD dwEffect = DROPEFFECT_NONE;
    // Held for the loop: the source's owner may go while the loop still asks it.
    IDropSource* pSource = pDropSource->GetInterface();
    pSource->AddRef();
    IDataObject* pDataObject = m_pDataObject;
    pDataObject->AddRef();
    HRESULT hr = ::DoDragDrop(pDataObject, pSource, dwEffects, &dwEffect);
    pDataObject->Release();
    pSource->Release();
    return hr == DRAGDROP_S_DROP ? dwEffect : DROPEFFECT_NONE;
}
