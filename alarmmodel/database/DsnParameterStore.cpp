#include "alarmmodel/database/DsnParameterStore.h"

#include "support/StringEx.h"

#include <wincrypt.h>

namespace
{
const wchar_t kProductKey[] = L"SOFTWARE\\Tervok AG\\Quorvex";
const wchar_t kValueName[] = L"DSN Parameters";
const DWORD kProtectFlags = CRYPTPROTECT_UI_FORBIDDEN | CRYPTPROTECT_LOCAL_MACHINE;

CDsnParameterStore g_dsnParameterStore;
} // namespace

CDsnParameterStore& GetDsnParameterStore() { return g_dsnParameterStore; }

CDsnParameterStore::CDsnParameterStore() : m_bDirty(FALSE) { InitializeCriticalSection(&m_lock); }

CDsnParameterStore::~CDsnParameterStore() { DeleteCriticalSection(&m_lock); }

void CDsnParameterStore::SetParameters(const wchar_t* pszName, const wchar_t* pszText)
{
    CLock lock(m_lock);
    m_mapParameters.SetAt(pszName, pszText);
    m_bDirty = TRUE;
}

BOOL CDsnParameterStore::GetParameters(const wchar_t* pszName, CString& strText)
{
    CLock lock(m_lock);
    return m_mapParameters.Lookup(pszName, strText);
}

void CDsnParameterStore::RemoveParameters(const wchar_t* pszName)
{
    CLock lock(m_lock);
    m_mapParameters.RemoveKey(pszName);
    m_bDirty = TRUE;
}

void CDsnParameterStore::GetNames(CStringArray& arrNames)
{
    CLock lock(m_lock);
    arrNames.RemoveAll();
    CString strName, strText;
    for (POSITION pos = m_mapParameters.GetStartPosition(); pos != nullptr;)
    {
        m_mapParameters.GetNextAssoc(pos, strName, strText);
        arrNames.Add(strName);
    }
}

BOOL CDsnParameterStore::IsDirty()
{
    CLock lock(m_lock);
    return m_bDirty;
}

void CDsnParameterStore::CopyFrom(CDsnParameterStore& other)
{
    if (&other == this)
        return;
    CLock lock(m_lock);
    m_mapParameters.RemoveAll();
    CStringArray arrNames;
    other.GetNames(arrNames);
    CString strText;
    for (const CString& strName : arrNames)
        if (other.GetParameters(strName, strText))
            SetParameters(strName, strText);
    m_bDirty = other.IsDirty();
}

BOOL CDsnParameterStore::Save()
{
    CStringArrayEx arrLines;
    {
        CLock lock(m_lock);
        CString strName, strText;
        for (POSITION pos = m_mapParameters.GetStartPosition(); pos != nullptr;)
        {
            m_mapParameters.GetNextAssoc(pos, strName, strText);
            arrLines.Add(strName + L"\t" + strText);
        }
    }
    int nLength = 0;
    wchar_t* pMulti = arrLines.ToMultiString(nLength);
    DATA_BLOB plain = {(DWORD)nLength * (DWORD)sizeof(wchar_t), (BYTE*)pMulti};
    DATA_BLOB protectedData = {0, nullptr};
    BOOL bProtected = CryptProtectData(&plain, nullptr, nullptr, nullptr, nullptr, kProtectFlags, &protectedData);
    SecureZeroMemory(pMulti, plain.cbData);
    delete[] pMulti;
    if (!bProtected)
        return FALSE;
    BOOL bWritten = WriteProtected(protectedData.pbData, protectedData.cbData);
    LocalFree(protectedData.pbData);
    if (bWritten)
    {
        CLock lock(m_lock);
        m_bDirty = FALSE;
    }
    return bWritten;
}

BOOL CDsnParameterStore::WriteProtected(const BYTE* pData, DWORD dwSize)
{
    m_registry.Init(HKEY_LOCAL_MACHINE, kProductKey, L"Volatile");
    return m_registry.SetBinary(kValueName, dwSize, pData, TRUE) == ERROR_SUCCESS;
}

BOOL CDsnParameterStore::ApplyChanges(CDsnParameterStore& before, CDsnParameterStore& after)
{
    BOOL bChanged = FALSE;
    CStringArray arrNames;
    CString strAfter, strBefore;
    after.GetNames(arrNames);
    for (const CString& strName : arrNames)
        if (after.GetParameters(strName, strAfter) &&
            (!before.GetParameters(strName, strBefore) || strBefore != strAfter))
        {
            SetParameters(strName, strAfter);
            bChanged = TRUE;
        }
    before.GetNames(arrNames);
    for (const CString& strName : arrNames)
        if (!after.GetParameters(strName, strAfter))
        {
            RemoveParameters(strName);
            bChanged = TRUE;
        }
    return bChanged;
}

CDsnParameterStore::LoadResult CDsnParameterStore::LoadStored()
{
    m_registry.Init(HKEY_LOCAL_MACHINE, kProductKey, L"Volatile");
    DWORD dwSize = 0;
    BYTE* pStored = m_registry.GetBinary(kValueName, &dwSize, nullptr);
    if (pStored == nullptr)
        return loadMissing;
    DATA_BLOB protectedData = {dwSize, pStored};
    DATA_BLOB plain = {0, nullptr};
    BOOL bUnprotected = CryptUnprotectData(&protectedData, nullptr, nullptr, nullptr, nullptr, kProtectFlags, &plain);
    delete[] pStored;
    if (!bUnprotected)
        return loadUnreadable;
    CStringArrayEx arrLines;
    arrLines.FromMultiString(0, (const wchar_t*)plain.pbData, (int)(plain.cbData / sizeof(wchar_t)));
    SecureZeroMemory(plain.pbData, plain.cbData);
    LocalFree(plain.pbData);

    CLock lock(m_lock);
    m_bDirty = FALSE;
    m_mapParameters.RemoveAll();
    for (const CString& strLine : arrLines)
    {
        int nTab = strLine.Find(L'\t');
        if (nTab >= 0)
            m_mapParameters.SetAt(strLine.Left(nTab), strLine.Mid(nTab + 1));
    }
    return loadRead;
}
