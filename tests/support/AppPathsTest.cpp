#include "support/AppPaths.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace
{
CString ShortForm(const CString& path)
{
    wchar_t buf[MAX_PATH + 1] = L"";
    GetShortPathNameW(path, buf, MAX_PATH);
    return CString(buf);
}

BOOL IsFolder(const CString& path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString CurrentFolder()
{
    wchar_t buf[MAX_PATH + 1] = L"";
    GetCurrentDirectoryW(MAX_PATH, buf);
    return CString(buf);
}

// Sets TEMP for the test's lifetime.
class CTempVariable
{
public:
    explicit CTempVariable(const wchar_t* pszValue)
    {
        GetEnvironmentVariableW(L"TEMP", m_old, MAX_PATH);
        SetEnvironmentVariableW(L"TEMP", pszValue);
    }
    ~CTempVariable() { SetEnvironmentVariableW(L"TEMP", m_old); }

private:
    wchar_t m_old[MAX_PATH + 1] = L"";
};
} // namespace

TEST(AppPaths, ProgramModuleAndSystemFolders)
{
    CAppPaths paths;
    EXPECT_STREQ(ProgramFolder(), paths.GetProgramFolder());
    EXPECT_STREQ(ProgramFolder() + L"support_tests.exe", paths.GetModulePath());
    const CString& system = paths.GetSystemFolder();
    ASSERT_FALSE(system.IsEmpty());
    EXPECT_EQ(L'\\', system[system.GetLength() - 1]);
    EXPECT_TRUE(FileExists(system + L"kernel32.dll"));
    // Cached: the same text object each time.
    EXPECT_EQ(&system, &paths.GetSystemFolder());
}

TEST(AppPaths, ShellFoldersHaveNoTrailingBackslash)
{
    CAppPaths paths;
    for (const CString* folder : {&paths.GetDocumentsFolder(), &paths.GetUserAppDataFolder(),
                                  &paths.GetCommonAppDataFolder()})
    {
        ASSERT_FALSE(folder->IsEmpty());
        EXPECT_NE(L'\\', (*folder)[folder->GetLength() - 1]) << folder->GetString();
        EXPECT_TRUE(IsFolder(*folder)) << folder->GetString();
    }
    EXPECT_STRNE(paths.GetUserAppDataFolder(), paths.GetCommonAppDataFolder());
}

TEST(AppPaths, WorkFolderIsShortTempPlusTervokAndComesBack)
{
    CScratchFolder dir;
    CString longTemp = dir.Path(L"A Temporary Folder With Long Names");
    ASSERT_TRUE(CreateDirectoryW(longTemp, nullptr));
    CTempVariable temp(longTemp);

    CAppPaths paths;
    CString shortTemp = ShortForm(longTemp);
    ASSERT_FALSE(shortTemp.IsEmpty());
    EXPECT_STREQ(shortTemp, paths.GetTempFolder());
    EXPECT_EQ(-1, paths.GetTempFolder().Find(L' '));
    CString work = paths.GetWorkFolder();
    EXPECT_STREQ(shortTemp + L"\\Tervok", work);
    EXPECT_TRUE(IsFolder(work));

    ASSERT_TRUE(RemoveDirectoryW(work));
    EXPECT_STREQ(work, paths.GetWorkFolder());
    EXPECT_TRUE(IsFolder(work));
}

TEST(AppPaths, MissingTempGivesEmptyTempAndRootWorkFolder)
{
    CTempVariable temp(nullptr);
    CAppPaths paths;
    EXPECT_STREQ(L"", paths.GetTempFolder());
    EXPECT_STREQ(L"\\Tervok", paths.GetWorkFolder());
}

TEST(AppPaths, DataFoldersAreNamedAfterCompanyAndProduct)
{
    CAppPaths paths;
    CString original = CurrentFolder();
    EXPECT_TRUE(paths.MakeCommonDataFolder());
    CString common = paths.GetCommonAppDataFolder() + L"\\Tervok AG\\SupportTests\\";
    EXPECT_STREQ(common, paths.GetCommonDataFolder());
    EXPECT_TRUE(IsFolder(common));

    EXPECT_TRUE(paths.MakeUserDataFolder());
    CString user = paths.GetUserAppDataFolder() + L"\\Tervok AG\\SupportTests\\";
    EXPECT_STREQ(user, paths.GetUserDataFolder());
    EXPECT_STREQ(user.Left(user.GetLength() - 1), CurrentFolder());
    SetCurrentDirectoryW(original);
}
