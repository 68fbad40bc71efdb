// Counts how often an image list is destroyed without letting it be freed under the test: the
// watch holds references of its own, so each ImageList_Destroy by an owner only gives one back.
// An image list destroyed twice (a list view and its owner both deleting it) counts 2 here, where
// outside the watch the second destroy would use freed memory.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <unknwn.h>

#include <algorithm>

class CImageListWatch
{
public:
    explicit CImageListWatch(HIMAGELIST hImageList)
    {
        typedef HRESULT(WINAPI * QueryFunction)(HIMAGELIST, REFIID, void**);
        auto pQuery = (QueryFunction)(void*)::GetProcAddress(::GetModuleHandleW(L"comctl32.dll"),
                                                             "HIMAGELIST_QueryInterface");
        if (!hImageList || !pQuery || FAILED(pQuery(hImageList, IID_IUnknown, (void**)&m_pList)))
            return;
        for (ULONG i = 1; i < nHeld; ++i)
            m_pList->AddRef();
    }
    ~CImageListWatch()
    {
        if (!m_pList)
            return;
        // The references the owners took back from the watch are not given twice.
        for (ULONG i = std::min(References(), nHeld); i > 0; --i)
            m_pList->Release();
    }
    CImageListWatch(const CImageListWatch&) = delete;
    CImageListWatch& operator=(const CImageListWatch&) = delete;

    BOOL IsWatching() const { return m_pList != nullptr; }
    // Destroys since the watch began: 1 for a list with one owner that is gone.
    int DestroyCount() const { return m_pList ? (int)(nHeld + 1) - (int)References() : -1; }

private:
    ULONG References() const
    {
        ULONG nCount = m_pList->AddRef() - 1;
        m_pList->Release();
        return nCount;
    }

    static const ULONG nHeld = 4;
    IUnknown* m_pList = nullptr;
};
