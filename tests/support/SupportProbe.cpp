// Helper process for the support library's tests:
//   support_probe lock <file> <milliseconds>   hold the file open without sharing, then exit
//   support_probe reg-set <key path>           write a main and a volatile value
//   support_probe reg-check <key path>         exit 0 when the main value stayed and the
//                                              volatile one is gone
#include "support/RegistryStore.h"

#include <cwchar>

namespace
{
int Lock(const wchar_t* pszFile, DWORD dwMilliseconds)
{
    HANDLE h = CreateFileW(pszFile, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 2;
    // Tell the test that the file is held.
    CString ready = CString(pszFile) + L".held";
    CloseHandle(CreateFileW(ready, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Sleep(dwMilliseconds);
    CloseHandle(h);
    return 0;
}

int RegistrySet(const wchar_t* pszPath)
{
    CRegistryStore store;
    store.Init(HKEY_LOCAL_MACHINE, pszPath, L"Volatile");
    store.SetDWord(L"Persistent", 11);
    store.SetString(L"PersistentText", L"kept");
    store.SetVolatileDWord(L"AlarmDefnsRevision", 22);
    store.SetVolatileString(L"AgentLastMessage", L"gone");
    return store.GetVolatileDWord(L"AlarmDefnsRevision", 0) == 22 ? 0 : 3;
}

// Only the registry's "not found" says that a value is gone: a read that fails otherwise proves
// nothing.
BOOL ValueGone(const CString& strKey, const wchar_t* pszName)
{
    return RegGetValueW(HKEY_LOCAL_MACHINE, strKey, pszName, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_FILE_NOT_FOUND;
}

int RegistryCheck(const wchar_t* pszPath)
{
    CRegistryStore store;
    store.Init(HKEY_LOCAL_MACHINE, pszPath, L"Volatile");
    BOOL bMainKept = store.GetDWord(L"Persistent", 0) == 11 && store.GetString(L"PersistentText") == L"kept";
    CString strVolatile = CString(pszPath) + L"\\Volatile";
    BOOL bVolatileGone = ValueGone(strVolatile, L"AlarmDefnsRevision") && ValueGone(strVolatile, L"AgentLastMessage");
    wprintf(L"main %ls, volatile %ls\n", bMainKept ? L"kept" : L"lost", bVolatileGone ? L"gone" : L"still there");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, pszPath);
    return bMainKept && bVolatileGone ? 0 : 1;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && wcscmp(argv[1], L"lock") == 0)
        return Lock(argv[2], (DWORD)_wtoi(argv[3]));
    if (argc == 3 && wcscmp(argv[1], L"reg-set") == 0)
        return RegistrySet(argv[2]);
    if (argc == 3 && wcscmp(argv[1], L"reg-check") == 0)
        return RegistryCheck(argv[2]);
    fwprintf(stderr, L"usage: support_probe lock <file> <ms> | reg-set <key> | reg-check <key>\n");
    return 2;
}
