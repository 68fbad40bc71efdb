// Extra connection parameters per data source (user, password ...), kept in the registry only
// in the form that the data protection of the local machine gives them.
#pragma once

#include "framework/core/CMapStringToString.h"
#include "framework/core/CStringArray.h"
#include "support/RegistryStore.h"

class CDsnParameterStore
{
public:
    CDsnParameterStore();
    virtual ~CDsnParameterStore();
    CDsnParameterStore(const CDsnParameterStore&) = delete;
    CDsnParameterStore& operator=(const CDsnParameterStore&) = delete;

    void SetParameters(const wchar_t* pszName, const wchar_t* pszText);
    BOOL GetParameters(const wchar_t* pszName, CString& strText);
    void RemoveParameters(const wchar_t* pszName);
    void GetNames(CStringArray& arrNames);
    void CopyFrom(CDsnParameterStore& other);
    BOOL IsDirty();

    // Sets here what after holds and before does not hold alike, removes here what after has
    // dropped; the other entries stay. FALSE when after holds what before holds.
    BOOL ApplyChanges(CDsnParameterStore& before, CDsnParameterStore& after);

    // TRUE only once the protected value is in the registry; the dirty flag is cleared then.
    BOOL Save();
    enum LoadResult { loadRead, loadMissing, loadUnreadable };
    // The entries unchanged unless loadRead; loadUnreadable is a stored value that cannot be
    // unprotected (one written on another machine), which a save would destroy.
    LoadResult LoadStored();
    // FALSE, with the entries unchanged, when the value is missing or cannot be unprotected.
    BOOL Load() { return LoadStored() == loadRead; }

private:
    class CLock
    {
    public:
        explicit CLock(CRITICAL_SECTION& section) : m_section(section) { EnterCriticalSection(&m_section); }
        ~CLock() { LeaveCriticalSection(&m_section); }

    private:
        CRITICAL_SECTION& m_section;
    };

    BOOL WriteProtected(const BYTE* pData, DWORD dwSize);

    CRITICAL_SECTION m_lock;
    CMapStringToString m_mapParameters;
    CRegistryStore m_registry;
    BOOL m_bDirty;
};

CDsnParameterStore& GetDsnParameterStore();
