#include "support/AppPaths.h"

#include <odbcinst.h>
#include "tests/alarmmodel/database/AlarmsBench.h"

#include <string>
#include <vector>

using namespace alarmsbench;

namespace
{
struct InstallerCall
{
    WORD fRequest;
    std::string strDriver;
    std::string strAttributes; // with every NUL
};
// What the stand-in installer was handed, in order.
std::vector<InstallerCall> g_calls;

std::string Narrow(const CString& strText) { return CStringA(strText).GetString(); }

void RecordCall(WORD fRequest, LPCSTR pszDriver, LPCSTR pszAttributes)
{
    size_t n = 0;
    while (pszAttributes[n] != 0 || pszAttributes[n + 1] != 0)
        n++;
    g_calls.push_back(InstallerCall{fRequest, pszDriver, std::string(pszAttributes, n + 2)});
}

// The database file that a CREATE_DB="path" attribute names, empty for other attributes.
std::string CreatedDatabase(LPCSTR pszAttributes)
{
    std::string strAttribute(pszAttributes);
    const std::string strKey = "CREATE_DB=\"";
    if (strAttribute.compare(0, strKey.size(), strKey) != 0)
        return std::string();
    size_t nEnd = strAttribute.find('"', strKey.size());
    return nEnd == std::string::npos ? std::string() : strAttribute.substr(strKey.size(), nEnd - strKey.size());
}

// Accepts everything and, as the Access driver does, makes the database that CREATE_DB names.
BOOL WINAPI AcceptingInstaller(HWND, WORD fRequest, LPCSTR pszDriver, LPCSTR pszAttributes)
{
    RecordCall(fRequest, pszDriver, pszAttributes);
    std::string strFile = CreatedDatabase(pszAttributes);
    if (!strFile.empty())
        odbcbench::WriteFileText(CString(strFile.c_str()), "new access database");
    return TRUE;
}

// Adds data sources but cannot make a database.
BOOL WINAPI DatabaseRefusingInstaller(HWND, WORD fRequest, LPCSTR pszDriver, LPCSTR pszAttributes)
{
    RecordCall(fRequest, pszDriver, pszAttributes);
    return CreatedDatabase(pszAttributes).empty();
}

// Two error records, then none.
SQLRETURN WINAPI TwoInstallerErrors(WORD iError, DWORD* pfErrorCode, LPSTR pszErrorMsg, WORD cbErrorMsgMax,
                                    WORD* pcbErrorMsg)
{
    static const char* const messages[] = {"General installer error", "Driver's ConfigDSN failed"};
    if (iError < 1 || iError > 2)
        return SQL_NO_DATA;
    *pfErrorCode = iError == 1 ? ODBC_ERROR_GENERAL_ERR : ODBC_ERROR_REQUEST_FAILED;
    lstrcpynA(pszErrorMsg, messages[iError - 1], cbErrorMsgMax);
    *pcbErrorMsg = (WORD)lstrlenA(pszErrorMsg);
    return SQL_SUCCESS;
}

class AccessDsn : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_calls.clear();
        m_strFolder = GetAppPaths().GetProgramFolder();
        DeleteFileW(m_strFolder + L"blank.mdb");
        DeleteFileW(DatabaseFile());
    }
    void TearDown() override
    {
        SetConfigDataSourceFunction(nullptr);
        SetInstallerErrorFunction(nullptr);
    }
    // Creates the data source (by default "Tervok 100% Alarms") through that installer stand-in.
    BOOL Create(CAlarmsDatabase& db, ConfigDataSourceFunc pfnInstaller, const wchar_t* pszDsn = L"Tervok 100% Alarms")
    {
        SetConfigDataSourceFunction(pfnInstaller);
        return db.CreateAccessDsn(pszDsn, L"Tervok alarms database");
    }
    CString DatabaseFile() const { return m_strFolder + L"Tervok 100% Alarms.mdb"; }
    static void ExpectSystemDsnRequest(const InstallerCall& call)
    {
        EXPECT_EQ(ODBC_ADD_SYS_DSN, call.fRequest);
        EXPECT_EQ(std::string("Microsoft Access Driver (*.mdb)"), call.strDriver);
    }
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
    CAlarmsDatabase db;
    CTime before = CTime::GetCurrentTime();
    ASSERT_TRUE(Create(db, AcceptingInstaller));
    CString strFile = DatabaseFile();
    EXPECT_EQ(CStringA("empty access database"), odbcbench::ReadFileText(strFile));
    ASSERT_EQ(1u, g_calls.size());
    ExpectSystemDsnRequest(g_calls[0]);
    std::string strStamp = CStringA(before.Format(L"%Y-%m-%d %H:%M")).GetString();
    std::string strExpected = std::string("DSN=Tervok 100% Alarms") + '\0' +
                              "Description=Tervok alarms database (Automatically created " + strStamp;
    EXPECT_EQ(strExpected, g_calls[0].strAttributes.substr(0, strExpected.size()));
    std::string strTail = std::string(")") + '\0' + "DBQ=" + Narrow(strFile) + '\0' + '\0';
    EXPECT_EQ(strTail, g_calls[0].strAttributes.substr(g_calls[0].strAttributes.size() - strTail.size()));

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
    ASSERT_TRUE(Create(again, AcceptingInstaller));
    EXPECT_EQ(CStringA("alarms of last year"), odbcbench::ReadFileText(strFile));
    EXPECT_EQ(-1, Joined(again.GetReportLines()).Find(L"Copying database"));
}

TEST_F(AccessDsn, WithoutATemplateTheDriverMakesTheDatabaseBeforeTheDataSourceIsAdded)
{
    CAlarmsDatabase db;
    ASSERT_TRUE(Create(db, AcceptingInstaller));
    CString strFile = DatabaseFile();
    EXPECT_EQ(CStringA("new access database"), odbcbench::ReadFileText(strFile));
    ASSERT_EQ(2u, g_calls.size());
    // Alone in its call, the path quoted for its blanks; the data source comes after.
    ExpectSystemDsnRequest(g_calls[0]);
    EXPECT_EQ("CREATE_DB=\"" + Narrow(strFile) + "\" General" + '\0' + '\0', g_calls[0].strAttributes);
    ExpectSystemDsnRequest(g_calls[1]);
    EXPECT_EQ(0u, g_calls[1].strAttributes.find(std::string("DSN=Tervok 100% Alarms") + '\0'));
    EXPECT_NE(std::string::npos, g_calls[1].strAttributes.find("DBQ=" + Narrow(strFile) + '\0'));

    CString strLines = Joined(db.GetReportLines());
    CString strExpectedStart = L"OK Creating ODBC System DSN \"Tervok 100% Alarms\"...\nOK Creating database\n"
                               L"OK File ..: " + strFile + L"\nOK ON\n"
                               L"OK ODBC Driver ....: Microsoft Access Driver (*.mdb)\n";
    EXPECT_EQ(std::wstring(strExpectedStart.GetString()), std::wstring(strLines.Left(strExpectedStart.GetLength())));
    EXPECT_EQ(-1, strLines.Find(L"Error"));
}

// Only the program makes the database where no template lies beside it: a data source added on a
// file the driver did not make would stay, and no later start would make the file.
TEST_F(AccessDsn, ADatabaseTheDriverCannotMakeGetsNoDataSourceAndIsReportedWithTheInstallersMessages)
{
    SetInstallerErrorFunction(TwoInstallerErrors);
    CAlarmsDatabase db;
    EXPECT_FALSE(Create(db, DatabaseRefusingInstaller));
    CString strFile = DatabaseFile();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(strFile));
    EXPECT_EQ(1u, g_calls.size()); // the CREATE_DB alone
    CString strLines = Joined(db.GetReportLines());
    CString strExpected = L"OK Creating database\nOK File ..: " + strFile + L"\n"
                          L"Error Database file not created ..: " + strFile + L"\n"
                          L"Error General installer error\nError Driver's ConfigDSN failed\n";
    EXPECT_EQ(std::wstring(strExpected.GetString()),
              std::wstring(strLines.Mid(strLines.Find(L"OK Creating database")).GetString()));
}

// The installer's attributes are narrow text: a folder whose name the ANSI code page (1252 here)
// cannot carry goes by its short name, and a path that cannot be carried is never handed over
// spoilt ("?" in place of each such character).
TEST_F(AccessDsn, APathTheAnsiCodePageCannotCarryGoesByItsShortNameOrNotAtAll)
{
    ASSERT_EQ(1252u, GetACP());
    CString strFolder = GetAppPaths().GetTempFolder() + L"\\Alarme \u041F\u0440\u043E\u0433\u0440";
    ASSERT_TRUE(CreateDirectoryW(strFolder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    wchar_t szShort[MAX_PATH] = {0};
    ASSERT_NE(0u, GetShortPathNameW(strFolder, szShort, MAX_PATH));
    CString strInstalled = InstallerPath(strFolder + L"\\Tervok Alarms.mdb");
    RemoveDirectoryW(strFolder);
    EXPECT_EQ(CString(szShort) + L"\\Tervok Alarms.mdb", strInstalled);
    EXPECT_EQ(DatabaseFile(), InstallerPath(DatabaseFile()));

    // The file's own name has no short form before the file exists.
    CAlarmsDatabase db;
    EXPECT_FALSE(Create(db, AcceptingInstaller, L"Alarme \u041F"));
    EXPECT_TRUE(g_calls.empty());
    CString strLines = Joined(db.GetReportLines());
    EXPECT_NE(-1, strLines.Find(L"Error Database file path not usable by the ODBC installer ..: " + m_strFolder +
                                L"Alarme \u041F.mdb\nError It holds characters that the ANSI code page lacks, and "
                                L"no short name without them.\n"))
        << strLines.GetString();
}

TEST_F(AccessDsn, WinesInstallerRefusesAndAMissingTemplateIsReported)
{
    CAlarmsDatabase db;
    EXPECT_FALSE(db.CreateAccessDsn(L"Tervok 100% Alarms", L"Tervok alarms database"));
    CString strFile = DatabaseFile();
    CString strLines = Joined(db.GetReportLines());
    EXPECT_NE(-1, strLines.Find(L"Error Database file not created ..: " + strFile + L"\nError Component not found\n"));
    EXPECT_EQ(-1, strLines.Find(L"Error adding System DSN")) << strLines.GetString();
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
