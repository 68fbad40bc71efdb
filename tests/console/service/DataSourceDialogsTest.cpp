#include "ServiceFixture.h"

#include "alarmmodel/database/DsnParameterStore.h"
#include "console/service/CDsnParametersDlg.h"
#include "console/service/ServiceCommands.h"
#include "resources/console/ServiceRes.h"
#include "support/SystemErrorText.h"
#include "tests/alarmmodel/database/AlarmsBench.h"
#include "tests/console/scripts/ModalAnswers.h"
#include "tests/support/ReadOnlyRegistryKey.h"

#include <algorithm>
#include <vector>

using namespace alarmsbench;

namespace
{
class DataSourceDialogs : public ServiceFixture
{
protected:
    void SetUp() override { UseDataSource(kSqliteDsn); }
    void TearDown() override
    {
        CDsnParameterStore& store = GetDsnParameterStore();
        store.RemoveParameters(kPostgresDsn);
        store.Save();
        UseDataSource(kSqliteDsn);
        ServiceFixture::TearDown();
    }

    // Runs the ODBC Configuration command with the answers given.
    BOOL Choose(CModalAnswers& answers)
    {
        BOOL bChanged = FALSE;
        EXPECT_TRUE(answers.Run([&] { bChanged = ChooseDataSource(&Host(), [this] { m_nReloads++; }); }));
        return bChanged;
    }

    static std::vector<std::wstring> ComboItems(HWND hDialog)
    {
        HWND hCombo = ::GetDlgItem(hDialog, IDC_SELECT_DSN_NAME);
        std::vector<std::wstring> arrItems;
        for (int i = 0; i < (int)::SendMessageW(hCombo, CB_GETCOUNT, 0, 0); ++i)
        {
            wchar_t szItem[256] = {0};
            ::SendMessageW(hCombo, CB_GETLBTEXT, (WPARAM)i, (LPARAM)szItem);
            arrItems.push_back(szItem);
        }
        return arrItems;
    }

    // Selects the list row of the data source.
    static void SelectRow(HWND hDialog, const wchar_t* pszDsn)
    {
        HWND hList = ::GetDlgItem(hDialog, IDC_DSN_LIST);
        LVFINDINFOW find = {};
        find.flags = LVFI_STRING;
        find.psz = pszDsn;
        int nRow = (int)::SendMessageW(hList, LVM_FINDITEMW, (WPARAM)-1, (LPARAM)&find);
        LVITEMW item = {};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(hList, LVM_SETITEMSTATE, (WPARAM)nRow, (LPARAM)&item);
    }

    static std::wstring RowParameters(HWND hDialog, const wchar_t* pszDsn)
    {
        HWND hList = ::GetDlgItem(hDialog, IDC_DSN_LIST);
        LVFINDINFOW find = {};
        find.flags = LVFI_STRING;
        find.psz = pszDsn;
        int nRow = (int)::SendMessageW(hList, LVM_FINDITEMW, (WPARAM)-1, (LPARAM)&find);
        wchar_t szText[256] = {0};
        LVITEMW item = {};
        item.iSubItem = 1;
        item.pszText = szText;
        item.cchTextMax = 256;
        ::SendMessageW(hList, LVM_GETITEMTEXTW, (WPARAM)nRow, (LPARAM)&item);
        return szText;
    }

    // From "Select DSN": Advanced..., Modify of the data source's row, the text typed, OK.
    static CModalAnswers& TypeParameters(CModalAnswers& answers, const wchar_t* pszDsn, const wchar_t* pszText)
    {
        return answers.Then(L"Select DSN", [](HWND hDialog) { ClickItem(hDialog, IDC_SELECT_DSN_ADVANCED); })
            .Then(L"Advanced DSN Settings",
                  [pszDsn](HWND hDialog) {
                      SelectRow(hDialog, pszDsn);
                      ClickItem(hDialog, IDC_DSN_MODIFY);
                  })
            .Then(L"Specify DSN Parameters",
                  [pszText](HWND hDialog) {
                      TypeItemText(hDialog, IDC_DSN_PARAMETERS, pszText);
                      ClickItem(hDialog, IDOK);
                  })
            .Then(L"Advanced DSN Settings", [](HWND hDialog) { ClickItem(hDialog, IDOK); });
    }

    int m_nReloads = 0;
};
} // namespace

TEST_F(DataSourceDialogs, SelectDsnListsTheDataSourcesAndAnotherChoiceBecomesTheAlarmDatabase)
{
    std::vector<std::wstring> arrItems;
    std::wstring strSelected;
    CModalAnswers toPostgres;
    toPostgres.Then(L"Select DSN", [&](HWND hDialog) {
        arrItems = ComboItems(hDialog);
        strSelected = DialogItemText(hDialog, IDC_SELECT_DSN_NAME);
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hDialog, IDC_SELECT_DSN_SYSTEM));
        ::SendDlgItemMessageW(hDialog, IDC_SELECT_DSN_NAME, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)kPostgresDsn);
        ClickItem(hDialog, IDOK);
    });
    EXPECT_TRUE(Choose(toPostgres));
    EXPECT_EQ(std::wstring(kSqliteDsn), strSelected);
    EXPECT_TRUE(std::is_sorted(arrItems.begin(), arrItems.end())) << "sorted by character codes";
    EXPECT_NE(arrItems.end(), std::find(arrItems.begin(), arrItems.end(), std::wstring(kPostgresDsn)));
    EXPECT_EQ(CString(kPostgresDsn), GetAlarmDatabaseDsn());
    EXPECT_EQ(1, m_nReloads);

    // A name that begins a listed one selects that one; Default names the default whatever is typed.
    CModalAnswers toDefault;
    toDefault.Then(L"Select DSN", [&](HWND hDialog) {
        strSelected = DialogItemText(hDialog, IDC_SELECT_DSN_NAME);
        ::SetDlgItemTextW(hDialog, IDC_SELECT_DSN_NAME, L"Anything");
        ClickItem(hDialog, IDC_SELECT_DSN_DEFAULT);
        ClickItem(hDialog, IDOK);
    });
    EXPECT_TRUE(Choose(toDefault));
    EXPECT_EQ(std::wstring(kPostgresDsn), strSelected);
    EXPECT_EQ(CString(L"Tervok Alarms Database"), GetAlarmDatabaseDsn());
    EXPECT_EQ(2, m_nReloads);

    CModalAnswers same;
    same.Then(L"Select DSN", [&](HWND hDialog) { ClickItem(hDialog, IDOK); });
    EXPECT_FALSE(Choose(same)) << "the same data source again reloads nothing";
    EXPECT_EQ(2, m_nReloads);
}

TEST_F(DataSourceDialogs, ParametersAreKeptOnlyAfterOkAndAWrongLoginGivesTheDatabaseErrorWithoutThePassword)
{
    auto modifyPostgres = [this](CModalAnswers& answers, bool bKeep) {
        answers.Then(L"Select DSN", [](HWND hDialog) { ClickItem(hDialog, IDC_SELECT_DSN_ADVANCED); })
            .Then(L"Advanced DSN Settings",
                  [](HWND hDialog) {
                      EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hDialog, IDC_DSN_MODIFY)));
                      SelectRow(hDialog, kPostgresDsn);
                      ClickItem(hDialog, IDC_DSN_MODIFY);
                  })
            .Then(L"Specify DSN Parameters",
                  [](HWND hDialog) {
                      EXPECT_EQ(std::wstring(kPostgresDsn), DialogItemText(hDialog, IDC_DSN_NAME));
                      TypeItemText(hDialog, IDC_DSN_PARAMETERS, L"UID=nobody;PWD=Wr0ngSecret");
                      ClickItem(hDialog, IDOK);
                  })
            .Then(L"Advanced DSN Settings",
                  [bKeep](HWND hDialog) {
                      EXPECT_EQ(std::wstring(L"UID=nobody;PWD=********"), RowParameters(hDialog, kPostgresDsn));
                      ClickItem(hDialog, bKeep ? IDOK : IDCANCEL);
                  })
            .Then(L"Select DSN", [](HWND hDialog) {
                ::SendDlgItemMessageW(hDialog, IDC_SELECT_DSN_NAME, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)kPostgresDsn);
                ClickItem(hDialog, IDOK);
            });
    };
    CModalAnswers cancelled;
    modifyPostgres(cancelled, false);
    Choose(cancelled);
    CString strParameters;
    EXPECT_FALSE(GetDsnParameterStore().GetParameters(kPostgresDsn, strParameters));

    CMainWindowCapture mainWindow;
    UseDataSource(kSqliteDsn);
    CModalAnswers kept;
    modifyPostgres(kept, true);
    // The check of the new data source fails on the login: the console keeps its alarm database,
    // and the log names the user but never the password.
    EXPECT_FALSE(Choose(kept));
    EXPECT_TRUE(GetDsnParameterStore().GetParameters(kPostgresDsn, strParameters));
    EXPECT_EQ(CString(L"UID=nobody;PWD=Wr0ngSecret"), strParameters);
    EXPECT_EQ(CString(kSqliteDsn), GetAlarmDatabaseDsn());
    EXPECT_EQ(1u, m_arrBoxes.size());
    bool bErrorShown = false, bUserShown = false;
    for (const CapturedLine& line : mainWindow.m_lines)
    {
        EXPECT_EQ(-1, line.strText.Find(L"Wr0ngSecret")) << CStringA(line.strText).GetString();
        bErrorShown = bErrorShown || line.nLevel == 2;
        bUserShown = bUserShown || line.strText.Find(L"nobody") >= 0;
    }
    EXPECT_TRUE(bErrorShown);
    EXPECT_TRUE(bUserShown);
}

TEST_F(DataSourceDialogs, ParametersThatCannotBeSavedAreSaidSoAndKeptInTheDialog)
{
    CReadOnlyRegistryKey readOnly({L"SOFTWARE\\Tervok AG\\Quorvex"});
    if (!readOnly.Holds())
        GTEST_SKIP() << "this registry grants full access despite the key's security";
    std::wstring strKeptRow;
    bool bBoxWhileOpen = false;
    CModalAnswers answers;
    TypeParameters(answers, kPostgresDsn, L"UID=tervok;PWD=Unsaved1")
        .Then(L"Select DSN",
              [](HWND hDialog) {
                  ::SendDlgItemMessageW(hDialog, IDC_SELECT_DSN_NAME, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)kPostgresDsn);
                  ClickItem(hDialog, IDOK);
              })
        // The dialog is still there, with what was typed; once the key can be written, OK keeps it.
        .Then(L"Select DSN",
              [&](HWND hDialog) {
                  bBoxWhileOpen = !m_arrBoxes.empty();
                  ClickItem(hDialog, IDC_SELECT_DSN_ADVANCED);
              })
        .Then(L"Advanced DSN Settings",
              [&](HWND hDialog) {
                  strKeptRow = RowParameters(hDialog, kPostgresDsn);
                  ClickItem(hDialog, IDOK);
              })
        .Then(L"Select DSN", [&](HWND hDialog) {
            readOnly.Restore();
            ClickItem(hDialog, IDOK);
        });
    EXPECT_TRUE(Choose(answers));
    EXPECT_TRUE(bBoxWhileOpen);
    ASSERT_EQ(1u, m_arrBoxes.size());
    EXPECT_EQ(CString(L"Error"), m_arrBoxes[0].strCaption);
    EXPECT_EQ((UINT)MB_ICONSTOP, m_arrBoxes[0].nType & MB_ICONMASK);
    EXPECT_EQ(0, m_arrBoxes[0].strText.Find(L"The additional DSN parameters could not be saved."))
        << CStringA(m_arrBoxes[0].strText).GetString();
    EXPECT_EQ(std::wstring(L"UID=tervok;PWD=********"), strKeptRow);
    CString strParameters;
    EXPECT_TRUE(GetDsnParameterStore().GetParameters(kPostgresDsn, strParameters));
    EXPECT_EQ(CString(L"UID=tervok;PWD=Unsaved1"), strParameters);
    EXPECT_EQ(CString(kPostgresDsn), GetAlarmDatabaseDsn());
}

namespace
{
const wchar_t c_szQuorvexKey[] = L"SOFTWARE\\Tervok AG\\Quorvex";

std::vector<BYTE> StoredParameterBytes()
{
    std::vector<BYTE> bytes(8192);
    DWORD dwSize = (DWORD)bytes.size();
    if (RegGetValueW(HKEY_LOCAL_MACHINE, c_szQuorvexKey, L"DSN Parameters", RRF_RT_REG_BINARY, nullptr, bytes.data(),
                     &dwSize) != ERROR_SUCCESS)
        return std::vector<BYTE>();
    bytes.resize(dwSize);
    return bytes;
}

// A value this machine cannot unprotect, as one written on another machine is.
void StoreUnreadableParameters(const std::vector<BYTE>& bytes)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, c_szQuorvexKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &hKey, nullptr));
    RegSetValueExW(hKey, L"DSN Parameters", 0, REG_BINARY, bytes.data(), (DWORD)bytes.size());
    RegCloseKey(hKey);
}

std::wstring StoredParameters(const wchar_t* pszDsn)
{
    CDsnParameterStore store;
    CString strText = L"<none>";
    if (store.Load())
        store.GetParameters(pszDsn, strText);
    return strText.GetString();
}
} // namespace

// A user who is not an administrator may only read the console's settings: the chosen data
// source is said not to be saved, and the console stays on the one it has, without a reload.
// The check of the chosen data source found no alarm table and could make none (a session that may
// not create tables): the console keeps its alarm database.
TEST_F(DataSourceDialogs, AChoiceWhoseCheckFailsIsSaidSoAndTheAlarmDatabaseStays)
{
    DropAlarmsTable(kPostgresDsn);
    CDsnParameterStore& store = GetDsnParameterStore();
    store.SetParameters(kPostgresDsn, L"ConnSettings=SET default_transaction_read_only = on");
    ASSERT_TRUE(store.Save());
    CModalAnswers answers;
    answers.Then(L"Select DSN", [](HWND hDialog) {
        ::SendDlgItemMessageW(hDialog, IDC_SELECT_DSN_NAME, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)kPostgresDsn);
        ClickItem(hDialog, IDOK);
    });
    EXPECT_FALSE(Choose(answers));
    EXPECT_EQ(0, m_nReloads);
    EXPECT_EQ(CString(kSqliteDsn), GetAlarmDatabaseDsn());
    ASSERT_EQ(1u, m_arrBoxes.size());
    EXPECT_EQ(CString(L"Error"), m_arrBoxes[0].strCaption);
    EXPECT_EQ((UINT)MB_ICONSTOP, m_arrBoxes[0].nType & MB_ICONMASK);
    CString strExpected;
    strExpected.Format(L"The data source \"%s\" did not pass the alarm database check: it could not be opened, or it "
                       L"holds no alarm table and none could be made. The log window says why. The alarm database "
                       L"stays \"%s\".",
                       kPostgresDsn, kSqliteDsn);
    EXPECT_EQ(strExpected, m_arrBoxes[0].strText);
}

TEST_F(DataSourceDialogs, AChoiceThatCannotBeSavedIsSaidSoAndTheAlarmDatabaseStays)
{
    CString strKey;
    strKey.Format(L"SOFTWARE\\Tervok AG\\DataSourceTests-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, strKey, L"Volatile");
    GetRegistryStore().SetString(L"AlarmDatabaseDSN", kSqliteDsn);
    BOOL bChanged = TRUE;
    bool bHolds = false;
    {
        CReadOnlyRegistryKey readOnly({(strKey + L"\\Volatile").GetString(), strKey.GetString()});
        bHolds = readOnly.Holds();
        if (bHolds)
        {
            // As the console opens the store at its start.
            GetRegistryStore().Init(HKEY_LOCAL_MACHINE, strKey, L"Volatile");
            CModalAnswers answers;
            answers.Then(L"Select DSN", [](HWND hDialog) {
                ::SendDlgItemMessageW(hDialog, IDC_SELECT_DSN_NAME, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)kPostgresDsn);
                ClickItem(hDialog, IDOK);
            });
            bChanged = Choose(answers);
        }
    }
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, strKey, L"Volatile");
    const CString strStored = GetAlarmDatabaseDsn();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, strKey);
    if (!bHolds)
        GTEST_SKIP() << "this registry grants full access despite the key's security";
    EXPECT_FALSE(bChanged);
    EXPECT_EQ(0, m_nReloads);
    EXPECT_EQ(CString(kSqliteDsn), strStored);
    ASSERT_EQ(1u, m_arrBoxes.size());
    EXPECT_EQ(CString(L"Error"), m_arrBoxes[0].strCaption);
    EXPECT_EQ((UINT)MB_ICONSTOP, m_arrBoxes[0].nType & MB_ICONMASK);
    CString strReason = CSystemErrorText(ERROR_ACCESS_DENIED, nullptr, nullptr, nullptr, nullptr, nullptr).m_strText;
    CString strExpected;
    strExpected.Format(L"The data source \"%s\" could not be saved as the alarm database. %s The alarm database "
                       L"stays \"%s\".",
                       kPostgresDsn, (const wchar_t*)strReason.Trim(), kSqliteDsn);
    EXPECT_EQ(strExpected, m_arrBoxes[0].strText);
}

// Parameters that cannot be read here (protected on another machine) are never written over:
// the operator is told, and the choice of data source itself is still taken.
TEST_F(DataSourceDialogs, StoredParametersThatCannotBeReadAreNotWrittenOverAndTheChoiceIsTaken)
{
    const std::vector<BYTE> unreadable = {0x01, 0x00, 0x00, 0x00, 0xD0, 0x8C, 0x9D, 0xDF, 0x01, 0x15, 0xD1, 0x11};
    StoreUnreadableParameters(unreadable);
    CModalAnswers answers;
    TypeParameters(answers, kPostgresDsn, L"UID=alarms;PWD=Typed1").Then(L"Select DSN", [](HWND hDialog) {
        ::SendDlgItemMessageW(hDialog, IDC_SELECT_DSN_NAME, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)kPostgresDsn);
        ClickItem(hDialog, IDOK);
    });
    EXPECT_TRUE(Choose(answers));
    EXPECT_TRUE(unreadable == StoredParameterBytes()) << "the stored value is as it was";
    ASSERT_EQ(1u, m_arrBoxes.size());
    EXPECT_EQ(CString(L"Error"), m_arrBoxes[0].strCaption);
    EXPECT_EQ((UINT)MB_ICONSTOP, m_arrBoxes[0].nType & MB_ICONMASK);
    EXPECT_EQ(0, m_arrBoxes[0].strText.Find(L"The stored additional DSN parameters cannot be read"))
        << CStringA(m_arrBoxes[0].strText).GetString();
    EXPECT_EQ(CString(kPostgresDsn), GetAlarmDatabaseDsn());
}

// OK applies what the dialog changed to the parameters as they are stored then: what another
// program stored meanwhile for other data sources stays.
TEST_F(DataSourceDialogs, OkChangesOnlyWhatTheDialogChangedInTheParametersStoredMeanwhile)
{
    const wchar_t szElsewhere[] = L"Tervok Alarms Elsewhere";
    const wchar_t szAddedMeanwhile[] = L"Tervok Alarms Added Meanwhile";
    CDsnParameterStore before;
    before.SetParameters(kSqliteDsn, L"UID=cleared");
    before.SetParameters(szElsewhere, L"UID=first");
    ASSERT_TRUE(before.Save());
    CModalAnswers answers;
    answers
        .Then(L"Select DSN",
              [&](HWND hDialog) {
                  CDsnParameterStore other;
                  ASSERT_TRUE(other.Load());
                  other.SetParameters(szElsewhere, L"UID=second");
                  other.SetParameters(szAddedMeanwhile, L"UID=added");
                  ASSERT_TRUE(other.Save());
                  ClickItem(hDialog, IDC_SELECT_DSN_ADVANCED);
              })
        .Then(L"Advanced DSN Settings",
              [](HWND hDialog) {
                  SelectRow(hDialog, kSqliteDsn);
                  ClickItem(hDialog, IDC_DSN_CLEAR);
                  SelectRow(hDialog, kPostgresDsn);
                  ClickItem(hDialog, IDC_DSN_MODIFY);
              })
        .Then(L"Specify DSN Parameters",
              [](HWND hDialog) {
                  TypeItemText(hDialog, IDC_DSN_PARAMETERS, L"UID=alarms;PWD=Typed2");
                  ClickItem(hDialog, IDOK);
              })
        .Then(L"Advanced DSN Settings", [](HWND hDialog) { ClickItem(hDialog, IDOK); })
        .Then(L"Select DSN", [](HWND hDialog) { ClickItem(hDialog, IDOK); });
    Choose(answers);
    EXPECT_TRUE(m_arrBoxes.empty());
    EXPECT_EQ(L"UID=alarms;PWD=Typed2", StoredParameters(kPostgresDsn));
    EXPECT_EQ(L"<none>", StoredParameters(kSqliteDsn)) << "cleared in the dialog";
    EXPECT_EQ(L"UID=second", StoredParameters(szElsewhere));
    EXPECT_EQ(L"UID=added", StoredParameters(szAddedMeanwhile));
    CString strText;
    EXPECT_TRUE(GetDsnParameterStore().GetParameters(szAddedMeanwhile, strText)) << "the console uses them all";
    GetDsnParameterStore().RemoveParameters(szElsewhere);
    GetDsnParameterStore().RemoveParameters(szAddedMeanwhile);
}

// The list shows no password; Modify still edits, and keeps, the whole text.
TEST_F(DataSourceDialogs, TheAdvancedListMasksPasswordsAndModifyEditsTheRealText)
{
    CDsnParameterStore store;
    store.SetParameters(kPostgresDsn, L"UID=alarms;Pwd={Se;cret1};Database=alarms");
    store.SetParameters(kSqliteDsn, L"PASSWORD=Other2");
    CDsnParametersDlg dialog(&Host(), &store);
    std::wstring strPostgresRow, strSqliteRow, strEdited, strAfterEdit;
    EXPECT_TRUE(CModalAnswers()
                    .Then(L"Advanced DSN Settings",
                          [&](HWND hDialog) {
                              strPostgresRow = RowParameters(hDialog, kPostgresDsn);
                              strSqliteRow = RowParameters(hDialog, kSqliteDsn);
                              SelectRow(hDialog, kPostgresDsn);
                              ClickItem(hDialog, IDC_DSN_MODIFY);
                          })
                    .Then(L"Specify DSN Parameters",
                          [&](HWND hDialog) {
                              strEdited = DialogItemText(hDialog, IDC_DSN_PARAMETERS);
                              ClickItem(hDialog, IDOK);
                          })
                    .Then(L"Advanced DSN Settings",
                          [&](HWND hDialog) {
                              strAfterEdit = RowParameters(hDialog, kPostgresDsn);
                              ClickItem(hDialog, IDOK);
                          })
                    .Run([&] { EXPECT_EQ(IDOK, dialog.DoModal()); }));
    EXPECT_EQ(std::wstring(L"UID=alarms;Pwd=********;Database=alarms"), strPostgresRow);
    EXPECT_EQ(std::wstring(L"PASSWORD=********"), strSqliteRow);
    EXPECT_EQ(std::wstring(L"UID=alarms;Pwd={Se;cret1};Database=alarms"), strEdited);
    EXPECT_EQ(strPostgresRow, strAfterEdit);
    CString strKept;
    EXPECT_TRUE(dialog.m_store.GetParameters(kPostgresDsn, strKept));
    EXPECT_EQ(CString(L"UID=alarms;Pwd={Se;cret1};Database=alarms"), strKept);
}
