#include "SettingsFixture.h"

#include "alarmmodel/Options.h"
#include "console/definitions/CAlarmActionsDlg.h"
#include "console/settings/CSettingsSheet.h"
#include "console/settings/ComPortList.h"
#include "resources/console/DefinitionsRes.h"
#include "resources/console/SettingsRes.h"
#include "support/SystemErrorText.h"
#include "tests/support/ReadOnlyRegistryKey.h"

#include <memory>

namespace
{
class OptionsSheetTest : public SettingsFixture
{
protected:
    ~OptionsSheetTest() override
    {
        if (m_pSheet && m_pSheet->m_hWnd)
            m_pSheet->DestroyWindow();
    }

    CSettingsSheet& Open()
    {
        m_pSheet = std::make_unique<CSettingsSheet>(L"Options", &Host());
        EXPECT_TRUE(m_pSheet->Create(&Host()));
        PumpUntilIdle();
        return *m_pSheet;
    }

    void StoreOptions(const wchar_t* pszPort, const wchar_t* pszServer)
    {
        CRegistryStore& store = GetRegistryStore();
        store.SetStringA("COptions::SMS_COMPort", pszPort);
        store.SetStringA("COptions::SMTP_Server", pszServer);
        store.SetStringA("COptions::SMTP_Username", L"operator");
        store.SetStringA("COptions::SMTP_Password", L"secret");
        store.SetStringA("COptions::SMTP_SenderName", L"Belvane");
        store.SetStringA("COptions::SMTP_SenderEmail", L"alarms@example.com");
    }

    std::unique_ptr<CSettingsSheet> m_pSheet;
};

std::function<BOOL(const CString&)> Answering(std::initializer_list<const wchar_t*> ports)
{
    CStringArray arrPorts;
    for (const wchar_t* pszPort : ports)
        arrPorts.Add(pszPort);
    return [arrPorts](const CString& strPort) {
        for (const CString& strListed : arrPorts)
            if (strListed == strPort)
                return TRUE;
        return FALSE;
    };
}
} // namespace

TEST_F(OptionsSheetTest, PagesShowTheOptionsAndOkWritesEveryOneTheChannelsRead)
{
    StoreOptions(L"COM3", L"mail.example.com");
    CSettingsSheet& sheet = Open();
    EXPECT_EQ(0, sheet.GetActiveIndex());
    ASSERT_TRUE(sheet.m_pageSMTP.m_hWnd != nullptr);
    EXPECT_EQ(CString(L"COM3"), sheet.m_pageSMS.m_comboPorts.GetSelText());
    EXPECT_EQ(CString(L"mail.example.com"), GetText(&sheet.m_pageSMTP, IDC_SETTINGS_SERVER));
    EXPECT_EQ(CString(L"secret"), GetText(&sheet.m_pageSMTP, IDC_SETTINGS_PASSWORD));
    EXPECT_TRUE(::GetWindowLongW(::GetDlgItem(sheet.m_pageSMTP.m_hWnd, IDC_SETTINGS_PASSWORD), GWL_STYLE) & ES_PASSWORD);

    sheet.m_pageSMS.m_comboPorts.SelectByData(6);
    SetText(&sheet.m_pageSMTP, IDC_SETTINGS_SERVER, L"127.0.0.1");
    SetText(&sheet.m_pageSMTP, IDC_SETTINGS_USERNAME, L"");
    SetText(&sheet.m_pageSMTP, IDC_SETTINGS_PASSWORD, L"");
    SetText(&sheet.m_pageSMTP, IDC_SETTINGS_SENDER_NAME, L"Console");
    SetText(&sheet.m_pageSMTP, IDC_SETTINGS_SENDER_EMAIL, L"console@example.com");
    Click(&sheet, IDOK);
    EXPECT_EQ(IDOK, sheet.GetResult());

    const COptions& options = GetOptions();
    EXPECT_EQ(CString(L"COM7"), options.GetSmsComPort());
    EXPECT_EQ(CString(L"127.0.0.1"), options.GetSmtpServer());
    EXPECT_EQ(CString(L""), options.GetSmtpUsername());
    EXPECT_EQ(CString(L""), options.GetSmtpPassword());
    EXPECT_EQ(CString(L"Console"), options.GetSmtpSenderName());
    EXPECT_EQ(CString(L"console@example.com"), options.GetSmtpSenderEmail());
}

TEST_F(OptionsSheetTest, CancelWritesNothing)
{
    StoreOptions(L"COM2", L"mail.example.com");
    CSettingsSheet& sheet = Open();
    sheet.m_pageSMS.m_comboPorts.SelectByData(0);
    SetText(&sheet.m_pageSMTP, IDC_SETTINGS_SERVER, L"other.example.com");
    Click(&sheet, IDCANCEL);
    EXPECT_EQ(IDCANCEL, sheet.GetResult());
    EXPECT_EQ(CString(L"COM2"), GetOptions().GetSmsComPort());
    EXPECT_EQ(CString(L"mail.example.com"), GetOptions().GetSmtpServer());
}

TEST_F(OptionsSheetTest, AStoredPortThatIsGoneIsKeptAsNotPresentUnlessAnotherIsChosen)
{
    // Under Wine COM1 to COM9 answer, COM10 and above do not. A modem unplugged while the mail
    // server is changed must not move every later SMS to COM1.
    StoreOptions(L"COM42", L"");
    CSettingsSheet& sheet = Open();
    EXPECT_EQ(10, sheet.m_pageSMS.m_comboPorts.GetCount());
    EXPECT_EQ(CString(L"COM42 (not present)"), sheet.m_pageSMS.m_comboPorts.GetSelText());
    SetText(&sheet.m_pageSMTP, IDC_SETTINGS_SERVER, L"relay.example.com");
    Click(&sheet, IDOK);
    EXPECT_EQ(CString(L"COM42"), GetOptions().GetSmsComPort());
    EXPECT_EQ(CString(L"relay.example.com"), GetOptions().GetSmtpServer());
    if (sheet.m_hWnd)
        sheet.DestroyWindow();

    CSettingsSheet& again = Open();
    EXPECT_EQ(CString(L"COM42 (not present)"), again.m_pageSMS.m_comboPorts.GetSelText());
    again.m_pageSMS.m_comboPorts.SelectByData(1);
    Click(&again, IDOK);
    EXPECT_EQ(CString(L"COM2"), GetOptions().GetSmsComPort());
}

// A user who is not an administrator may only read the machine's settings: OK says that the
// options were not saved and keeps the sheet open with what was typed, so that it can be tried
// again (here once the key can be written) or cancelled.
TEST_F(OptionsSheetTest, OptionsThatCannotBeSavedAreSaidSoAndKeptInTheSheet)
{
    StoreOptions(L"COM3", L"mail.example.com");
    CReadOnlyRegistryKey readOnly({(m_strStoreKey + L"\\Volatile").GetString(), m_strStoreKey.GetString()});
    if (!readOnly.Holds())
        GTEST_SKIP() << "this registry grants full access despite the key's security";
    // As the console opens the store at its start.
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_strStoreKey, L"Volatile");
    CSettingsSheet& sheet = Open();
    sheet.m_pageSMS.m_comboPorts.SelectByData(4);
    SetText(&sheet.m_pageSMTP, IDC_SETTINGS_SERVER, L"relay.example.com");
    Click(&sheet, IDOK);
    ASSERT_EQ(1u, m_arrBoxes.size());
    CString strReason = CSystemErrorText(ERROR_ACCESS_DENIED, nullptr, nullptr, nullptr, nullptr, nullptr).m_strText;
    EXPECT_EQ(0, m_arrBoxes[0].Find(L"The options could not be saved. " + strReason.Trim() + L" "))
        << CStringA(m_arrBoxes[0]).GetString();
    EXPECT_NE(-1, m_arrBoxes[0].Find(L"press OK to try again, or Cancel to discard them."));
    EXPECT_EQ(CString(L"Error"), m_strLastCaption);
    EXPECT_EQ((UINT)MB_ICONSTOP, m_nLastType & MB_ICONMASK);
    EXPECT_NE(IDOK, sheet.GetResult());
    EXPECT_TRUE(sheet.IsWindowVisible());
    EXPECT_EQ(CString(L"relay.example.com"), GetText(&sheet.m_pageSMTP, IDC_SETTINGS_SERVER));
    EXPECT_EQ(CString(L"COM3"), GetOptions().GetSmsComPort());
    EXPECT_EQ(CString(L"mail.example.com"), GetOptions().GetSmtpServer());

    readOnly.Restore();
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_strStoreKey, L"Volatile");
    Click(&sheet, IDOK);
    EXPECT_EQ(1u, m_arrBoxes.size());
    EXPECT_EQ(IDOK, sheet.GetResult());
    EXPECT_EQ(CString(L"COM5"), GetOptions().GetSmsComPort());
    EXPECT_EQ(CString(L"relay.example.com"), GetOptions().GetSmtpServer());
}

TEST_F(OptionsSheetTest, PortsAreThoseThatAnswerElseCom1ToCom4AndTheStoredOneIsFoundWhole)
{
    CStringArray arrNone = ComPortNames(Answering({}));
    ASSERT_EQ(4, arrNone.GetSize());
    EXPECT_EQ(CString(L"COM1"), arrNone[0]);
    EXPECT_EQ(CString(L"COM4"), arrNone[3]);
    CStringArray arrSome = ComPortNames(Answering({L"COM255", L"COM10", L"COM1"}));
    ASSERT_EQ(3, arrSome.GetSize());
    EXPECT_EQ(CString(L"COM10"), arrSome[1]);
    EXPECT_EQ(CString(L"COM255"), arrSome[2]);

    CSettingsSheet& sheet = Open();
    CDataComboBox& combo = sheet.m_pageSMS.m_comboPorts;
    struct SCase
    {
        const wchar_t* pszStored;
        const wchar_t* pszSelected;
    };
    for (const SCase& test : {SCase{L"COM1", L"COM1"}, SCase{L"COM10", L"COM10"}, SCase{L"COM11", L"COM1"}})
    {
        combo.ResetContent();
        FillComPortCombo(combo, test.pszStored, Answering({L"COM2", L"COM10", L"COM1"}));
        EXPECT_EQ(CString(test.pszSelected), combo.GetSelText()) << CStringA(test.pszStored).GetString();
        EXPECT_EQ(1u, (UINT)combo.GetItemData(1));
    }
    // A stored COM1 that is gone does not select COM10: the first port stays selected.
    combo.ResetContent();
    FillComPortCombo(combo, L"COM1", Answering({L"COM10", L"COM2"}));
    EXPECT_EQ(CString(L"COM2"), combo.GetSelText());

    // The Options page keeps a stored port that is gone, and only that one.
    for (const SCase& test : {SCase{L"COM1", L"COM1 (not present)"}, SCase{L"com2", L"COM2"}, SCase{L"", L"COM2"}})
    {
        combo.ResetContent();
        FillComPortComboKeepingChosen(combo, test.pszStored, Answering({L"COM10", L"COM2"}));
        EXPECT_EQ(CString(test.pszSelected), combo.GetSelText()) << CStringA(test.pszStored).GetString();
        EXPECT_EQ(test.pszStored[0] == L'C' ? 3 : 2, combo.GetCount()) << CStringA(test.pszStored).GetString();
    }
    combo.ResetContent();
    FillComPortComboKeepingChosen(combo, L"COM1", Answering({L"COM10", L"COM2"}));
    EXPECT_EQ(CString(L"COM1"), SelectedComPort(combo));
    combo.SetCurSel(0);
    EXPECT_EQ(CString(L"COM2"), SelectedComPort(combo));
}

namespace
{
// As the system answers: COM1 a plain serial port; COM3 a modem-class port, whose provider data
// make its configuration larger than a COMMCONFIG; COM4 refuses to be asked; no other port exists.
BOOL WINAPI PlayedDefaultCommConfig(LPCWSTR pszName, LPCOMMCONFIG pConfig, LPDWORD pdwSize)
{
    const DWORD dwModemConfigSize = sizeof(COMMCONFIG) + 256;
    CString strName(pszName);
    if (strName == L"COM1" && *pdwSize >= sizeof(COMMCONFIG))
    {
        pConfig->dwSize = *pdwSize = sizeof(COMMCONFIG);
        return TRUE;
    }
    if (strName == L"COM3" && *pdwSize < dwModemConfigSize)
    {
        *pdwSize = dwModemConfigSize;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    SetLastError(strName == L"COM4" ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND);
    return FALSE;
}
} // namespace

// A port whose configuration does not fit is there all the same; any other refusal is not.
TEST(ComPortList, PortsWhoseConfigurationIsLargerThanACommConfigArePresent)
{
    CStringArray arrPorts = ComPortNames([](const CString& strPort) {
        return ComPortAnswersQuery(strPort, PlayedDefaultCommConfig);
    });
    ASSERT_EQ(2, arrPorts.GetSize());
    EXPECT_EQ(CString(L"COM1"), arrPorts[0]);
    EXPECT_EQ(CString(L"COM3"), arrPorts[1]);
}

TEST_F(OptionsSheetTest, TestButtonsOpenTheTestDialogsOnTheirOwnRememberedFields)
{
    StoreOptions(L"COM3", L"mail.example.com");
    CSettingsSheet& sheet = Open();
    SetText(&sheet.m_pageSMTP, IDC_SETTINGS_SERVER, L"unsaved.example.com");
    CString strServerShown = L"<not shown>";
    EXPECT_TRUE(AnswerModal(
        L"SMTP Mail Test",
        [&](HWND hDialog) {
            strServerShown = DialogText(hDialog, IDC_SMTP_TEST_SERVER);
            ::SendMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
        },
        [&] { Click(&sheet.m_pageSMTP, IDC_SETTINGS_TEST); }));
    EXPECT_EQ(CString(L""), strServerShown);
    EXPECT_TRUE(AnswerModal(
        L"SMS Test", [](HWND hDialog) { ::SendMessageW(hDialog, WM_COMMAND, IDCANCEL, 0); },
        [&] { Click(&sheet.m_pageSMS, IDC_SETTINGS_TEST); }));
    EXPECT_EQ(CString(L"mail.example.com"), GetOptions().GetSmtpServer());
}

TEST_F(OptionsSheetTest, AlarmActionsOptionsButtonOpensTheSheetAndItsOkIsStored)
{
    CAlarmDefinition definition;
    definition.m_strTitle = L"Disk";
    CStringArray arrNone;
    CAlarmActionsDlg dialog(&Host(), definition, L"Belvane", L"1700000000", arrNone, arrNone);
    ASSERT_TRUE(dialog.Create(IDD_ALARM_ACTIONS, &Host()));
    EXPECT_TRUE(IsEnabled(&dialog, IDC_ALARM_ACTIONS_OPTIONS));
    EXPECT_TRUE(AnswerModal(L"Options", OkWithServer(L"relay.example.com"),
                            [&] { Click(&dialog, IDC_ALARM_ACTIONS_OPTIONS); }));
    EXPECT_EQ(CString(L"relay.example.com"), GetOptions().GetSmtpServer());
    dialog.DestroyWindow();
}
