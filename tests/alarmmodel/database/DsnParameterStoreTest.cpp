#include "alarmmodel/database/DsnParameterStore.h"
#include "support/StringEx.h"
#include "tests/alarmmodel/database/AlarmsBench.h"

#include <wincrypt.h>

#include <vector>

namespace
{
const wchar_t kKey[] = L"SOFTWARE\\Tervok AG\\Quorvex";

std::vector<BYTE> StoredBytes()
{
    std::vector<BYTE> bytes(8192);
    DWORD dwSize = (DWORD)bytes.size();
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"DSN Parameters", RRF_RT_REG_BINARY, nullptr, bytes.data(), &dwSize) !=
        ERROR_SUCCESS)
        return std::vector<BYTE>();
    bytes.resize(dwSize);
    return bytes;
}

void StoreBytes(const BYTE* pData, DWORD dwSize)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    RegSetValueExW(hKey, L"DSN Parameters", 0, REG_BINARY, pData, dwSize);
    RegCloseKey(hKey);
}

// Protected bytes of a plain text given as it is, without its terminators.
void StoreProtected(const wchar_t* pszPlain, DWORD dwChars)
{
    DATA_BLOB plain = {dwChars * (DWORD)sizeof(wchar_t), (BYTE*)pszPlain};
    DATA_BLOB out = {};
    ASSERT_TRUE(CryptProtectData(&plain, nullptr, nullptr, nullptr, nullptr, 5, &out));
    StoreBytes(out.pbData, out.cbData);
    LocalFree(out.pbData);
}
} // namespace

TEST(DsnParameterStore, ParametersRoundTripProtectedThroughTheRegistry)
{
    CDsnParameterStore store;
    store.SetParameters(L"Tervok Alarms PostgreSQL", L"UID=tervok;PWD=se\tcret");
    store.SetParameters(L"Empty", L"");
    store.SetParameters(L"Na\tme", L"text");
    store.RemoveParameters(L"Absent");
    EXPECT_TRUE(store.IsDirty());
    ASSERT_TRUE(store.Save());
    EXPECT_FALSE(store.IsDirty());

    std::vector<BYTE> bytes = StoredBytes();
    ASSERT_FALSE(bytes.empty());
    std::wstring strRaw((const wchar_t*)bytes.data(), bytes.size() / 2);
    EXPECT_EQ(std::wstring::npos, strRaw.find(L"tervok")); // never in the clear

    CDsnParameterStore loaded;
    loaded.SetParameters(L"Stale", L"gone after the load");
    ASSERT_TRUE(loaded.Load());
    EXPECT_FALSE(loaded.IsDirty());
    CString strText;
    EXPECT_TRUE(loaded.GetParameters(L"Tervok Alarms PostgreSQL", strText));
    EXPECT_EQ(CString(L"UID=tervok;PWD=se\tcret"), strText);
    EXPECT_TRUE(loaded.GetParameters(L"Empty", strText));
    EXPECT_TRUE(strText.IsEmpty());
    EXPECT_TRUE(loaded.GetParameters(L"Na", strText)); // a name is cut at its first TAB
    EXPECT_EQ(CString(L"me\ttext"), strText);
    EXPECT_FALSE(loaded.GetParameters(L"Stale", strText));

    CDsnParameterStore copy;
    copy.CopyFrom(loaded);
    CStringArray arrNames;
    copy.GetNames(arrNames);
    EXPECT_EQ(3, arrNames.GetSize());
    EXPECT_FALSE(copy.IsDirty());
    loaded.RemoveParameters(L"Absent");
    copy.CopyFrom(loaded);
    EXPECT_TRUE(copy.IsDirty());
}

TEST(DsnParameterStore, UnreadableOrUnterminatedValuesAreHandledSafely)
{
    const BYTE garbage[] = {1, 2, 3, 4, 5, 6, 7, 8};
    StoreBytes(garbage, sizeof(garbage));
    CDsnParameterStore store;
    store.SetParameters(L"Kept", L"x");
    EXPECT_FALSE(store.Load());
    CString strText;
    EXPECT_TRUE(store.GetParameters(L"Kept", strText));

    // A value whose text ends without its terminators is read within its bytes.
    StoreProtected(L"a\tb", 3);
    ASSERT_TRUE(store.Load());
    EXPECT_TRUE(store.GetParameters(L"a", strText));
    EXPECT_EQ(CString(L"b"), strText);
    CStringArray arrNames;
    store.GetNames(arrNames);
    EXPECT_EQ(1, arrNames.GetSize());

    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"DSN Parameters");
    EXPECT_FALSE(store.Load());
    EXPECT_TRUE(store.GetParameters(L"a", strText)); // unchanged
}

// A value that is there but cannot be unprotected is told apart from a missing one: saving over
// it would lose every data source's parameters.
TEST(DsnParameterStore, AnUnreadableValueIsToldApartFromAMissingOne)
{
    const BYTE garbage[] = {1, 2, 3, 4, 5, 6, 7, 8};
    StoreBytes(garbage, sizeof(garbage));
    CDsnParameterStore store;
    EXPECT_EQ(CDsnParameterStore::loadUnreadable, store.LoadStored());
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"DSN Parameters");
    EXPECT_EQ(CDsnParameterStore::loadMissing, store.LoadStored());
    StoreProtected(L"a\tb", 3);
    EXPECT_EQ(CDsnParameterStore::loadRead, store.LoadStored());
}

// The entries one copy changed, added or removed against the other go onto a third store;
// its other entries stay.
TEST(DsnParameterStore, ChangesBetweenTwoCopiesGoOntoAnotherStore)
{
    CDsnParameterStore before;
    before.SetParameters(L"Changed", L"old");
    before.SetParameters(L"Removed", L"x");
    before.SetParameters(L"Same", L"same");
    CDsnParameterStore after;
    after.CopyFrom(before);
    after.SetParameters(L"Changed", L"new");
    after.RemoveParameters(L"Removed");
    after.SetParameters(L"Added", L"");
    after.SetParameters(L"Same", L"same");

    CDsnParameterStore fresh;
    fresh.SetParameters(L"Removed", L"x");
    fresh.SetParameters(L"Same", L"changed elsewhere");
    fresh.SetParameters(L"Other", L"kept");
    EXPECT_TRUE(fresh.ApplyChanges(before, after));
    CString strText;
    EXPECT_TRUE(fresh.GetParameters(L"Changed", strText));
    EXPECT_EQ(CString(L"new"), strText);
    EXPECT_FALSE(fresh.GetParameters(L"Removed", strText));
    EXPECT_TRUE(fresh.GetParameters(L"Added", strText));
    EXPECT_TRUE(strText.IsEmpty());
    EXPECT_TRUE(fresh.GetParameters(L"Same", strText));
    EXPECT_EQ(CString(L"changed elsewhere"), strText) << "not changed by the copy";
    EXPECT_TRUE(fresh.GetParameters(L"Other", strText));
    CStringArray arrNames;
    fresh.GetNames(arrNames);
    EXPECT_EQ(4, arrNames.GetSize());

    CDsnParameterStore copy;
    copy.CopyFrom(before);
    copy.RemoveParameters(L"Absent");
    EXPECT_FALSE(fresh.ApplyChanges(before, copy)) << "a dirty flag without a change";
    fresh.GetNames(arrNames);
    EXPECT_EQ(4, arrNames.GetSize());
}

TEST(DsnParameterStore, AnEmptyEntryGivesTheBareConnectString)
{
    GetDsnParameterStore().SetParameters(alarmsbench::kUnreachableDsn, L"");
    alarmsbench::UseDataSource(alarmsbench::kUnreachableDsn);
    CAlarmsDatabase db;
    db.CheckStructure(alarmsbench::kUnreachableDsn);
    GetDsnParameterStore().RemoveParameters(alarmsbench::kUnreachableDsn);
    ASSERT_GT(db.GetReportLines().GetSize(), 2);
    EXPECT_EQ(CString(L"Error Connect ..: DSN=Tervok Alarms Unreachable"), db.GetReportLines()[2]);
}
