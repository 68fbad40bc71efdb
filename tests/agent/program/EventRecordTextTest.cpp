#include "agent/EventLog/EventRecordText.h"
#include "agent/EventLog/MessageFileSystem.h"
#include "agent/EventLog/SpoolEventLogSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
const wchar_t UNIT_LOG[] = L"TervokUnitLog";
const wchar_t SOURCE_KEY[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\TervokUnitLog\\TervokUnitSource";

CString ProgramFolder()
{
    wchar_t szPath[MAX_PATH];
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    *wcsrchr(szPath, L'\\') = 0;
    return szPath;
}

// Registers the test source of a log of its own with the two message DLLs built beside the
// test program; the one named last is asked first.
class RecordText : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, SOURCE_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                 &hKey, nullptr));
        CString strFolder = ProgramFolder();
        CString strMessages = strFolder + L"\\TestMessages.dll;" + strFolder + L"\\SecondMessages.dll";
        CString strCategories = strFolder + L"\\TestMessages.dll";
        SetValue(hKey, L"EventMessageFile", strMessages);
        SetValue(hKey, L"CategoryMessageFile", strCategories);
        SetValue(hKey, L"ParameterMessageFile", strCategories);
        RegCloseKey(hKey);
    }
    static void SetValue(HKEY hKey, const wchar_t* pszName, const CString& strValue)
    {
        RegSetValueExW(hKey, pszName, 0, REG_EXPAND_SZ, (const BYTE*)strValue.GetString(),
                       (DWORD)(strValue.GetLength() + 1) * sizeof(wchar_t));
    }
    // Registers a source of the test log with the files named; an empty name is not set.
    static void RegisterSource(const CString& strSource, const CString& strMessages, const CString& strCategories,
                               const CString& strParameters = CString())
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, SourceKey(strSource), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
        if (!strMessages.IsEmpty())
            SetValue(hKey, L"EventMessageFile", strMessages);
        if (!strCategories.IsEmpty())
            SetValue(hKey, L"CategoryMessageFile", strCategories);
        if (!strParameters.IsEmpty())
            SetValue(hKey, L"ParameterMessageFile", strParameters);
        RegCloseKey(hKey);
    }
    static CString SourceKey(const CString& strSource)
    {
        return L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\TervokUnitLog\\" + strSource;
    }

    static CEventRecord Record(DWORD dwEventId, std::initializer_list<const wchar_t*> strings, WORD wCategory = 0,
                               const wchar_t* pszSource = L"TervokUnitSource")
    {
        SEventRecordFields fields;
        fields.dwEventId = dwEventId;
        fields.wCategory = wCategory;
        fields.strSource = pszSource;
        fields.strComputer = L"RECORDHOST";
        fields.dwTimeGenerated = 1700000000;
        fields.dwTimeWritten = 1700000001;
        for (const wchar_t* p : strings)
            fields.arrStrings.Add(p);
        std::vector<BYTE> image = CSpoolEventLogSource::BuildImage(fields);
        ((EVENTLOGRECORD*)image.data())->RecordNumber = 42;
        CEventRecord record;
        record.Assign(image.data(), (DWORD)image.size());
        return record;
    }
    static CString Message(const CEventRecord& record, const wchar_t* pszLog = UNIT_LOG)
    {
        CString s;
        CEventRecordText::GetRecordMessage(pszLog, record, s);
        return s;
    }
};
} // namespace

TEST_F(RecordText, MessageComesFromTheModulesLastFirst)
{
    // 1000 is in both modules: the one named last wins; 1001 only in the first.
    // Formatted to one line, the message's own line end becomes a blank.
    EXPECT_STREQ(L"Second module: disk. ", Message(Record(1000, {L"disk", L"full"})));
    EXPECT_STREQ(L"Three inserts: [a] [b] [c]. ", Message(Record(1001, {L"a", L"b", L"c"})));
}

TEST_F(RecordText, MissingInsertsBecomeEmptyText)
{
    EXPECT_STREQ(L"Three inserts: [only] [] []. ", Message(Record(1001, {L"only"})));
    EXPECT_STREQ(L"Three inserts: [] [] []. ", Message(Record(1001, {})));
}

TEST_F(RecordText, ParameterTextsReplaceTheirNumbers)
{
    EXPECT_STREQ(L"Disk drive C: is full ", Message(Record(1002, {L"%%1024"})));
    // A parameter whose own text names itself is replaced once, not for ever.
    CString strLoop = Message(Record(1002, {L"%%1025"}));
    EXPECT_EQ(0, strLoop.Find(L"Disk again ")) << strLoop.GetString();
    EXPECT_LT(strLoop.GetLength(), 40);
    // Digits beyond any id and a "%%" without digits are left as they are.
    EXPECT_STREQ(L"Disk %%99999999999 and %% is full ", Message(Record(1002, {L"%%99999999999 and %%"})));
}

TEST_F(RecordText, WithoutAMessageTheStringsAreJoined)
{
    EXPECT_STREQ(L"one\r\ntwo", Message(Record(4242, {L"one", L"two"})));
    EXPECT_STREQ(L"one\r\ntwo", Message(Record(1000, {L"one", L"two"}, 0, L"NoSuchSource")));
    EXPECT_STREQ(L"", Message(Record(4242, {})));
}

TEST_F(RecordText, CategoryTextOrNone)
{
    CString s;
    CEventRecordText::GetRecordCategory(UNIT_LOG, Record(1000, {}, 1), s);
    EXPECT_STREQ(L"Disk", s);
    CEventRecordText::GetRecordCategory(UNIT_LOG, Record(1000, {}, 77), s);
    EXPECT_STREQ(L"None", s);
    CEventRecordText::GetRecordCategory(UNIT_LOG, Record(1000, {}, 1, L"NoSuchSource"), s);
    EXPECT_STREQ(L"None", s);
    // Only the line end after the last line goes.
    CEventRecordText::GetRecordCategory(UNIT_LOG, Record(1000, {}, 3), s);
    EXPECT_STREQ(L"Disk array\r\ncontroller 2", s);
}

// FormatMessage as Microsoft documents it, where Wine's finds a message in another language too:
// asked for a language (LANG_USER_DEFAULT is the user's, English here), it gives that language only.
class CPlayedLanguages : public CMessageFileSystem
{
public:
    CPlayedLanguages() { SetMessageFileSystem(this); }
    ~CPlayedLanguages() override { SetMessageFileSystem(nullptr); }

    DWORD FormatModuleMessage(DWORD dwFlags, HMODULE hModule, DWORD dwId, DWORD dwLanguage, LPWSTR pszBuffer,
                              DWORD nSize, va_list* pArgs) override
    {
        LANGID wWanted = dwLanguage == LANG_USER_DEFAULT ? GetUserDefaultLangID() : (LANGID)dwLanguage;
        std::vector<LANGID> languages;
        EnumResourceLanguagesW(hModule, (LPCWSTR)RT_MESSAGETABLE, MAKEINTRESOURCEW(1), AddLanguage,
                               (LONG_PTR)&languages);
        if (dwLanguage && std::find(languages.begin(), languages.end(), wWanted) == languages.end())
        {
            SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
            return 0;
        }
        return CMessageFileSystem::FormatModuleMessage(dwFlags, hModule, dwId, dwLanguage, pszBuffer, nSize, pArgs);
    }

private:
    static BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD wLanguage, LONG_PTR lParam)
    {
        ((std::vector<LANGID>*)lParam)->push_back(wLanguage);
        return TRUE;
    }
};

// A Windows in another language may have no English message tables: the texts come in the
// language there is.
TEST_F(RecordText, MessageCategoryAndParameterOfAModuleWithoutEnglishTexts)
{
    CPlayedLanguages windows;
    CString strGerman = ProgramFolder() + L"\\GermanMessages.dll";
    RegisterSource(L"TervokGermanSource", strGerman, strGerman, strGerman);

    CEventRecord record = Record(1000, {L"Spooler", L"Fehler"}, 1, L"TervokGermanSource");
    EXPECT_STREQ(L"Dienst Spooler meldete Fehler. ", Message(record));
    CString strCategory;
    CEventRecordText::GetRecordCategory(UNIT_LOG, record, strCategory);
    EXPECT_STREQ(L"Festplatte", strCategory);
    EXPECT_STREQ(L"Platte Laufwerk C: ist voll ", Message(Record(1002, {L"%%1024"}, 0, L"TervokGermanSource")));
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, SourceKey(L"TervokGermanSource"));
}

// Plays a 32-bit process on 64-bit Windows, or a process that is not one, with a Windows folder
// of its own: under WOW64 a file named in <Windows>\System32 is looked for in <Windows>\SysWOW64,
// and <Windows>\Sysnative is the real <Windows>\System32; outside WOW64 there is no Sysnative.
class CPlayedWow64 : public CMessageFileSystem
{
public:
    CPlayedWow64(const CString& strWindows, BOOL bWow64) : m_strWindows(strWindows), m_bWow64(bWow64)
    {
        SetMessageFileSystem(this);
    }
    ~CPlayedWow64() override { SetMessageFileSystem(nullptr); }

    BOOL IsWow64() override { return m_bWow64; }
    CString SystemFolder() override { return m_strWindows + L"\\System32"; }
    CString WindowsFolder() override { return m_strWindows; }
    HMODULE LoadDataFile(const CString& strPath) override
    {
        return CMessageFileSystem::LoadDataFile(Redirected(strPath));
    }

private:
    CString Redirected(const CString& strPath) const
    {
        if (!m_bWow64)
            return strPath;
        CString strRest;
        if (Below(strPath, L"\\System32\\", strRest))
            return m_strWindows + L"\\SysWOW64\\" + strRest;
        if (Below(strPath, L"\\Sysnative\\", strRest))
            return m_strWindows + L"\\System32\\" + strRest;
        return strPath;
    }
    BOOL Below(const CString& strPath, const wchar_t* pszFolder, CString& strRest) const
    {
        CString strFolder = m_strWindows + pszFolder;
        if (strPath.Left(strFolder.GetLength()).CompareNoCase(strFolder) != 0)
            return FALSE;
        strRest = strPath.Mid(strFolder.GetLength());
        return TRUE;
    }

    CString m_strWindows;
    BOOL m_bWow64;
};

// A Windows folder beside the test program: the test message files in its System32 (only there,
// as a driver's or a 64-bit component's are), and in a folder whose name begins with System32's.
class RecordTextWow64 : public RecordText
{
protected:
    static void SetUpTestSuite()
    {
        RecordText::SetUpTestSuite();
        CString strWindows = WindowsFolder();
        for (const wchar_t* pszFolder : {L"", L"\\System32", L"\\SysWOW64", L"\\System32Extra"})
            CreateDirectoryW(strWindows + pszFolder, nullptr);
        CString strTest = ProgramFolder() + L"\\TestMessages.dll";
        for (const wchar_t* pszCopy : {L"\\System32\\DriverMessages.dll", L"\\System32\\Native64.dll",
                                       L"\\System32Extra\\BesideMessages.dll", L"\\SysWOW64\\Setup32Messages.dll"})
            ASSERT_TRUE(CopyFileW(strTest, strWindows + pszCopy, FALSE)) << GetLastError();
    }
    static CString WindowsFolder() { return ProgramFolder() + L"\\PlayedWindows"; }
    void TearDown() override
    {
        for (const wchar_t* pszSource :
             {L"TervokDriverSource", L"TervokBesideSource", L"TervokNativeSource", L"TervokSetup32Source"})
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, SourceKey(pszSource));
    }
};

TEST_F(RecordTextWow64, UnderWow64MessageFilesOfTheSystemFolderAreReadFromTheRealOne)
{
    CPlayedWow64 wow64(WindowsFolder(), TRUE);
    // Named in any case, in a list, with a missing file after it that is tried first.
    CString strDriver = WindowsFolder() + L"\\SYSTEM32\\DriverMessages.dll";
    RegisterSource(L"TervokDriverSource", strDriver + L";" + WindowsFolder() + L"\\System32\\Missing.dll", strDriver);
    CEventRecord record = Record(1000, {L"disk", L"full"}, 1, L"TervokDriverSource");
    EXPECT_STREQ(L"Service disk reported full. ", Message(record));
    CString strCategory;
    CEventRecordText::GetRecordCategory(UNIT_LOG, record, strCategory);
    EXPECT_STREQ(L"Disk", strCategory);

    // A folder whose name only begins with the system folder's is not redirected.
    CString strBeside = WindowsFolder() + L"\\System32Extra\\BesideMessages.dll";
    RegisterSource(L"TervokBesideSource", strBeside, L"");
    EXPECT_STREQ(L"Service disk reported full. ", Message(Record(1000, {L"disk", L"full"}, 0, L"TervokBesideSource")));
}

// A 32-bit setup that copied its file to the system folder wrote it to the 32-bit one.
TEST_F(RecordTextWow64, UnderWow64AFileThatIsOnlyInThe32BitSystemFolderIsLoadedAsNamed)
{
    CPlayedWow64 wow64(WindowsFolder(), TRUE);
    CString strSetup = WindowsFolder() + L"\\System32\\Setup32Messages.dll";
    RegisterSource(L"TervokSetup32Source", strSetup, strSetup);
    CEventRecord record = Record(1000, {L"disk", L"full"}, 1, L"TervokSetup32Source");
    EXPECT_STREQ(L"Service disk reported full. ", Message(record));
    CString strCategory;
    CEventRecordText::GetRecordCategory(UNIT_LOG, record, strCategory);
    EXPECT_STREQ(L"Disk", strCategory);
}

TEST_F(RecordTextWow64, OutsideWow64MessageFilesAreLoadedAsNamed)
{
    CPlayedWow64 native(WindowsFolder(), FALSE);
    RegisterSource(L"TervokNativeSource", WindowsFolder() + L"\\System32\\Native64.dll", L"");
    EXPECT_STREQ(L"Service disk reported full. ", Message(Record(1000, {L"disk", L"full"}, 0, L"TervokNativeSource")));
}

TEST_F(RecordText, FourteenTaggedLines)
{
    CEventRecord record = Record(0xC0000010, {L"pump"}, 2);
    CString strText;
    CEventRecordText::BuildMessageText(record, UNIT_LOG, L"Network", L"alice", L"Failure of pump.\r\nSecond line",
                                       L"", strText);
    CStringArray lines;
    int nStart = 0;
    while (true)
    {
        int nEnd = strText.Find(L'\n', nStart);
        lines.Add(nEnd < 0 ? strText.Mid(nStart) : strText.Mid(nStart, nEnd - nStart));
        if (nEnd < 0)
            break;
        nStart = nEnd + 1;
    }
    // Fourteen lines, the message's own line break making one more piece.
    ASSERT_EQ(15, lines.GetSize());
    EXPECT_STREQ(L"{{ELM}}_RECNO 42", lines[0]);
    EXPECT_STREQ(L"{{ELM}}_TIMEG 1700000000", lines[1]);
    EXPECT_STREQ(L"{{ELM}}_TIMEW 1700000001", lines[2]);
    EXPECT_STREQ(L"{{ELM}}_EV_ID -1073741808", lines[3]);
    EXPECT_STREQ(L"{{ELM}}_EV_TY 4", lines[4]);
    EXPECT_STREQ(L"{{ELM}}_USERN alice", lines[5]);
    EXPECT_STREQ(L"{{ELM}}_SOURC TervokUnitSource", lines[6]);
    EXPECT_STREQ(L"{{ELM}}_COMPT RECORDHOST", lines[7]);
    EXPECT_STREQ(L"{{ELM}}_CATGY Network", lines[8]);
    EXPECT_STREQ(L"{{ELM}}_LOGFI TervokUnitLog", lines[9]);
    EXPECT_STREQ(L"{{ELM}}_MESSG Failure of pump.\r", lines[10]);
    EXPECT_STREQ(L"Second line", lines[11]);
    EXPECT_STREQ(L"{{ELM}}_DATA_ ", lines[12]);
    wchar_t szComputer[16] = {0};
    DWORD n = 16;
    GetComputerNameW(szComputer, &n);
    EXPECT_STREQ(CString(L"{{ELM}}_HOSTN ") + szComputer, lines[13]);
    EXPECT_EQ(0, lines[14].Find(L"{{ELM}}_DESCR "));
}

TEST(EventRecordBounds, DamagedRecordsStayInsideTheirBytes)
{
    SEventRecordFields fields;
    fields.strSource = L"S";
    fields.strComputer = L"C";
    fields.arrStrings.Add(L"first");
    fields.arrStrings.Add(L"second");
    std::vector<BYTE> image = CSpoolEventLogSource::BuildImage(fields);
    EVENTLOGRECORD* p = (EVENTLOGRECORD*)image.data();

    CEventRecord record;
    EXPECT_FALSE(record.Assign(image.data(), sizeof(EVENTLOGRECORD) - 1));
    EXPECT_FALSE(record.Assign(image.data(), p->Length - 1)); // shorter than it claims

    // More strings claimed than the record holds: only those inside it are read.
    p->NumStrings = 500;
    ASSERT_TRUE(record.Assign(image.data(), (DWORD)image.size()));
    CStringArray strings;
    record.GetStrings(strings, 1024);
    ASSERT_GE(strings.GetSize(), 2);
    EXPECT_STREQ(L"first", strings[0]);
    EXPECT_LE(strings.GetSize(), (int)(image.size() / 2));

    // Offsets beyond the record give nothing instead of reading past it.
    p->StringOffset = 0x7FFFFFF0;
    p->UserSidOffset = 0x7FFFFFF0;
    p->UserSidLength = 28;
    ASSERT_TRUE(record.Assign(image.data(), (DWORD)image.size()));
    record.GetStrings(strings, 1024);
    EXPECT_EQ(0, strings.GetSize());
    EXPECT_TRUE(record.UserSid() == nullptr);
    EXPECT_STREQ(L"", CEventRecordText::GetAccountName(record));

    // A source name without its terminator ends at the record's end.
    std::vector<BYTE> bare(sizeof(EVENTLOGRECORD) + 6, 'A');
    memset(bare.data(), 0, sizeof(EVENTLOGRECORD));
    ((EVENTLOGRECORD*)bare.data())->Length = (DWORD)bare.size();
    ASSERT_TRUE(record.Assign(bare.data(), (DWORD)bare.size()));
    EXPECT_EQ(3, record.SourceName().GetLength());
    EXPECT_STREQ(L"", record.ComputerName());
}

TEST_F(RecordText, ASourceRegisteredAnewWhileRunningIsReadFromItsNewKey)
{
    const wchar_t szLateKey[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\TervokUnitLog\\TervokLateSource";
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, szLateKey);
    CEventRecord record = Record(1000, {L"disk", L"full"}, 1, L"TervokLateSource");
    CString strCategory;
    CEventRecordText::GetRecordCategory(UNIT_LOG, record, strCategory);
    EXPECT_STREQ(L"None", strCategory) << "no key yet";

    // Registered after the first look: the key is opened at the next record.
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, szLateKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &hKey, nullptr));
    CString strFirst = ProgramFolder() + L"\\TestMessages.dll";
    SetValue(hKey, L"EventMessageFile", strFirst + L";" + ProgramFolder() + L"\\SecondMessages.dll");
    SetValue(hKey, L"CategoryMessageFile", strFirst);
    RegCloseKey(hKey);
    CEventRecordText::GetRecordCategory(UNIT_LOG, record, strCategory);
    EXPECT_STREQ(L"Disk", strCategory);
    EXPECT_STREQ(L"Second module: disk. ", Message(record));

    // Removed and registered again with other modules: the kept key is gone, the new one counts.
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_LOCAL_MACHINE, szLateKey));
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, szLateKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &hKey, nullptr));
    SetValue(hKey, L"EventMessageFile", strFirst);
    RegCloseKey(hKey);
    EXPECT_STREQ(L"Service disk reported full. ", Message(record));
    CEventRecordText::GetRecordCategory(UNIT_LOG, record, strCategory);
    EXPECT_STREQ(L"None", strCategory) << "the new key names no category module";
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, szLateKey);
}

TEST_F(RecordText, OnePassLooksUpASourceOnceAndTheNextPassAnew)
{
    const wchar_t szPassKey[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\TervokUnitLog\\TervokPassSource";
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, szPassKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &hKey, nullptr));
    CString strFirst = ProgramFolder() + L"\\TestMessages.dll";
    SetValue(hKey, L"EventMessageFile", strFirst);
    CEventRecord record = Record(1000, {L"disk", L"full"}, 1, L"TervokPassSource");

    CEventRecordText::BeginPass();
    EXPECT_STREQ(L"Service disk reported full. ", Message(record));
    SetValue(hKey, L"EventMessageFile", ProgramFolder() + L"\\SecondMessages.dll");
    EXPECT_STREQ(L"Service disk reported full. ", Message(record)) << "the pass keeps its first look";
    CEventRecordText::EndPass();

    EXPECT_STREQ(L"Second module: disk. ", Message(record)) << "outside a pass every record looks again";
    CEventRecordText::BeginPass();
    EXPECT_STREQ(L"Second module: disk. ", Message(record));
    CEventRecordText::EndPass();
    RegCloseKey(hKey);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, szPassKey);
}
