#include "support/AppPaths.h"
#include "support/EventLogWriter.h"

#include "../TestSupport.h"
#include "ProgramFolders.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace
{
// Every event id that the console (13, 14, 15) and the agent (8, 11, 12) write.
const DWORD EVENT_IDS[] = {8, 11, 12, 13, 14, 15};
const DWORD CATEGORY = 1;

// Entry texts as the programs write them, with what could upset a message format.
const wchar_t* const TEXTS[] = {
    L"Startup at 2026-12-09 04:01:02",
    L"Windows user 'PC\\ann' using account 'svc' has updated the list of Quorvex targets",
    L"by Windows user PC\\ann logged on as 100% admin %1 %n",
    L"first line\r\nsecond line",
};

CString WinePath(const wchar_t* pszUnixFolder)
{
    CString strPath(pszUnixFolder);
    strPath.Replace(L'/', L'\\');
    return L"Z:" + strPath + L"\\";
}

// A message file mapped as data, the way a reader of the log maps it.
class CMessageModule
{
public:
    explicit CMessageModule(const CString& strPath)
        : m_hModule(LoadLibraryExW(strPath, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~CMessageModule()
    {
        if (m_hModule)
            FreeLibrary(m_hModule);
    }
    // The formatted message, or "<none>" when the file has no such message.
    CString Format(DWORD dwId, const wchar_t* pszInsert, DWORD dwExtraFlags) const
    {
        const wchar_t* inserts[1] = {pszInsert};
        wchar_t* pszText = nullptr;
        DWORD dwFlags = FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                        FORMAT_MESSAGE_ARGUMENT_ARRAY | dwExtraFlags;
        if (!FormatMessageW(dwFlags, m_hModule, dwId, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                            (LPWSTR)&pszText, 0, (va_list*)inserts))
            return L"<none>";
        CString strText(pszText);
        LocalFree(pszText);
        return strText;
    }

    HMODULE m_hModule;
};

// Every id shows the entry's one string exactly: in a viewer (line breaks kept) and in the
// agent's reader (line breaks of the message itself dropped).
void ExpectTextsOfFolder(const CString& strFolder)
{
    SCOPED_TRACE(CStringA(strFolder).GetString());
    CMessageModule events(strFolder + L"EventMessageFile.dll");
    ASSERT_NE(nullptr, events.m_hModule) << GetLastError();
    for (DWORD dwId : EVENT_IDS)
        for (const wchar_t* pszText : TEXTS)
        {
            EXPECT_STREQ(pszText, events.Format(dwId, pszText, 0)) << dwId;
            EXPECT_STREQ(pszText, events.Format(dwId, pszText, FORMAT_MESSAGE_MAX_WIDTH_MASK)) << dwId;
        }

    CMessageModule categories(strFolder + L"CategoryMessageFile.dll");
    ASSERT_NE(nullptr, categories.m_hModule) << GetLastError();
    EXPECT_STREQ(L"General", categories.Format(CATEGORY, nullptr, FORMAT_MESSAGE_IGNORE_INSERTS));
    EXPECT_STREQ(L"General", categories.Format(CATEGORY, nullptr,
                                               FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK));
}

CString RegisteredFile(const CString& strKey, const wchar_t* pszValue)
{
    DWORD dwType = 0;
    std::string raw;
    if (!QueryRaw(HKEY_LOCAL_MACHINE, strKey, pszValue, dwType, raw) || dwType != REG_EXPAND_SZ)
        return L"";
    wchar_t szExpanded[MAX_PATH] = L"";
    ExpandEnvironmentStringsW((const wchar_t*)raw.data(), szExpanded, MAX_PATH);
    return szExpanded;
}
} // namespace

TEST(EventMessageFiles, RegisteredSourceNamesFilesThatHoldEveryText)
{
    CString strSource;
    strSource.Format(L"TervokMessages%lu", GetCurrentProcessId());
    CString strKey = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\" + strSource;
    CString strOldSource = CEventLogWriter::GetSourceName();
    CEventLogWriter::SetSourceName(strSource);
    CString strError;
    BOOL bRegistered = CEventLogWriter().RegisterSource(strError);
    CEventLogWriter::SetSourceName(strOldSource);
    CString strMessages = RegisteredFile(strKey, L"EventMessageFile");
    CString strCategories = RegisteredFile(strKey, L"CategoryMessageFile");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, strKey);
    ASSERT_TRUE(bRegistered) << CStringA(strError).GetString();

    CString strFolder = CAppPaths().GetProgramFolder();
    EXPECT_STREQ(strFolder + L"EventMessageFile.dll", strMessages);
    EXPECT_STREQ(strFolder + L"CategoryMessageFile.dll", strCategories);
    EXPECT_TRUE(FileExists(strMessages)) << CStringA(strMessages).GetString();
    EXPECT_TRUE(FileExists(strCategories)) << CStringA(strCategories).GetString();
    ExpectTextsOfFolder(strFolder);
}

TEST(EventMessageFiles, EveryProgramThatWritesEntriesHasThemInItsFolder)
{
    ASSERT_GT(sizeof PROGRAM_FOLDERS / sizeof PROGRAM_FOLDERS[0], 0u);
    for (const wchar_t* pszFolder : PROGRAM_FOLDERS)
        ExpectTextsOfFolder(WinePath(pszFolder));
}
