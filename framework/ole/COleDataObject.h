// The receiving side of a data transfer: a data object offered by a drag or by the clipboard,
// asked for its formats.
#pragma once

#include <ole2.h>

class COleDataObject
{
public:
    COleDataObject() : m_lpDataObject(nullptr), m_bAutoRelease(FALSE) {}
    ~COleDataObject() { Release(); }

    // With bAutoRelease the object releases the interface when it lets go of it.
    void Attach(IDataObject* lpDataObject, BOOL bAutoRelease = TRUE);
    IDataObject* Detach();
    void Release();
    // The data object on the OLE clipboard; FALSE when there is none.
    BOOL AttachClipboard();

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, FORMATETC* lpFormatEtc = nullptr);
    // A copy of the data in a global block that the caller frees; null when it is not offered
    // that way.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, FORMATETC* lpFormatEtc = nullptr);

private:
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    static FORMATETC GlobalFormat(CLIPFORMAT cfFormat, const FORMATETC* lpFormatEtc);

    IDataObject* m_lpDataObject;
    BOOL m_bAutoRelease;
};
