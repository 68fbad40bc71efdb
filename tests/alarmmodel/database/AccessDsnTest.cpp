#include "support/AppPaths.h"

#include <odbcinst.h>
#include "tests/alarmmodel/database/AlarmsBench.h"

#include <string>

using namespace alarmsbench;

namespace
{
struct InstallerCall
{
    std::string strDriver;
    std::string strAttributes; // with every NUL
    WORD fRequest = 0;
    int nCalls = 0;
};
InstallerCall g_call;

BOOL WINAPI AcceptingInstaller(HWND, WORD fRequest, LPCSTR pszDriver, LPCSTR pszAttributes)
{
    g_call.nCalls++;
    g_call.fRequest = fRequest;
    g_call.strDriver = pszDriver;
    size_t n = 0;
    while (pszAttributes[n] != 0 || pszAttributes[n + 1] != 0)
        n++;
    g_call.strAttributes.assign(pszAttributes, n + 2);
    return TRUE;
}

class AccessDsn : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_call = InstallerCall();
        m_strFolder = GetAppPaths().GetProgramFolder();
        DeleteFileW(m_strFolder + L"blank.mdb");
        DeleteFileW(m_strFolder + L"Tervok 100% Alarms.mdb");
    }
    void TearDown() override { SetConfigDataSourceFunction(nullptr); }
    CString m_strFolder;
};

TEST_F(AccessDsn, DataSourcesAreFoundByTheirExactNameUpToTheLongestLegalOne)
{
    CAlarmsDatabase db;
    EXPECT_TRUE(db.DataSourceExists(L"Tervok Alarms Database"));
    EXPECT_TRUE(db.DataSourceExists(L"Tervok Alarms Database Long Name")); // 32 characters
    EXPECT_FALSE(db.DataSourceExists(L"Tervok Alarms Database Long Nam"));
    EXPECT_FALSE(db.DataSourceExists(L"tervok alarms database"));
    EXPECT_EQ(0, db.GetReportLines().GetSize());
}

TEST_F(AccessDsn, TheInstallerGetsTheAttributesAndTheTemplateIsCopiedOnce)
{
    ASSERT_TRUE(odbcbench::WriteFileText(m_strFolder + L"blank.mdb", "empty access database"));
    SetConfigDataSourceFunction(AcceptingInstaller);
    CAlarmsDatabase db;
    CTime before = CTime::GetCurrentTime();
    ASSERT_TRUE(db.CreateAccessDsn(L"Tervok 100% Alarms", L"Tervok alarms database"));
    CString strFile = m_strFolder + L"Tervok 100% Alarms.mdb";
    EXPECT_EQ(CStringA("empty access database"), odbcbench::ReadFileText(strFile));
    EXPECT_EQ(1, g_call.nCalls);
    EXPECT_EQ(ODBC_ADD_SYS_DSN, g_call.fRequest);
    EXPECT_EQ(std::string("Microsoft Access Driver (*.mdb)"), g_call.strDriver);
    std::string strStamp = CStringA(before.Format(L"%Y-%m-%d %H:%M")).GetString();
    std::string strExpected = std::string("DSN=Tervok 100% Alarms") + '\0' +
                              "Description=Tervok alarms database (Automatically created " + strStamp;
    EXPECT_EQ(strExpected, g_call.strAttributes.substr(0, strExpected.size()));
    std::string strTail = std::string(")") + '\0' + "DBQ=" + CStringA(strFile).GetString() + '\0' + '\0';
    EXPECT_EQ(strTail, g_call.strAttributes.substr(g_call.strAttributes.size() - strTail.size()));

    CString strLines = Joined(db.GetReportLines());
    CString strExpectedStart = L"OK Creating ODBC System DSN \"Tervok 100% Alarms\"...\nOK Copying database\n"
                               L"OK From ..: " + m_strFolder + L"blank.mdb\nOK To ....: " + strFile + L"\nOK ON\n"
                               L"OK ODBC Driver ....: Microsoft Access Driver (*.mdb)\n"
                               L"OK Database file ..: " + strFile + L"\nOK Attribute ......: DSN=Tervok 100% Alarms\n";
    EXPECT_EQ(strExpectedStart, strLines.Left(strExpectedStart.GetLength()));
    EXPECT_EQ(CString(L"OK System DSN \"Tervok 100% Alarms\" successfully added.\n"),
              strLines.Right(55));

    // An existing database file is kept as it is.
    ASSERT_TRUE(odbcbench::WriteFileText(strFile, "alarms of last year"));
    CAlarmsDatabase again;
    ASSERT_TRUE(again.CreateAccessDsn(L"Tervok 100% Alarms", L"Tervok alarms database"));
    EXPECT_EQ(CStringA("alarms of last year"), odbcbench::ReadFileText(strFile));
    EXPECT_EQ(-1, Joined(again.GetReportLines()).Find(L"Copying database"));
}

TEST_F(AccessDsn, WinesInstallerRefusesAndAMissingTemplateIsReported)
{
    CAlarmsDatabase db;
    EXPECT_FALSE(db.CreateAccessDsn(L"Tervok 100% Alarms", L"Tervok alarms database"));
    CString strFile = m_strFolder + L"Tervok 100% Alarms.mdb";
    CString strLines = Joined(db.GetReportLines());
    EXPECT_NE(-1, strLines.Find(L"OK Database file not created ..: " + strFile + L"\n"));
    EXPECT_NE(-1, strLines.Find(L"Error Error adding System DSN \"Tervok 100% Alarms\" -\nError Component not found"))
        << strLines.GetString();
}

TEST_F(AccessDsn, MissingDataSourceIsCreatedBeforeItsOpenAttempts)
{
    CAlarmsDatabase db;
    db.CheckStructure(L"Tervok Alarms Missing");
    const CStringArray& lines = db.GetReportLines();
    ASSERT_GT(lines.GetSize(), 3);
    EXPECT_EQ(CString(L"OK Creating ODBC System DSN \"Tervok Alarms Missing\"..."), lines[0]);
    EXPECT_EQ(-1, Joined(lines).Find(L"Database structure is correct"));
    EXPECT_EQ(CString(L"OK ---"), lines[lines.GetSize() - 1]);
    EXPECT_NE(-1, Joined(lines).Find(L"Error Connect ..: DSN=Tervok Alarms Missing\n"));
}
} // namespace
