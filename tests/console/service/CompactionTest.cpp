#include "ServiceFixture.h"

#include "alarmmodel/database/AlarmsDatabase.h"
#include "console/service/CDatabaseCompactor.h"
#include "console/service/CServiceControl.h"

#include <odbcinst.h>
#include <shellapi.h>

#include <regex>
#include <string>

namespace
{
// What the stand-in installer was asked, and how it behaves: it writes the compacted copy
// (the second quoted name) and may keep a file open so that it cannot be renamed.
struct InstallerStandIn
{
    int nCalls = 0;
    WORD fRequest = 0;
    std::string strDriver;
    std::string strAttributes;
    BOOL bAccept = TRUE;
    CString strLockName; // a file held open without delete sharing after the call
    HANDLE hLock = INVALID_HANDLE_VALUE;
};
InstallerStandIn g_installer;

void WriteText(const CString& strPath, const char* pszText)
{
    HANDLE hFile = CreateFileW(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD cbWritten = 0;
    WriteFile(hFile, pszText, (DWORD)strlen(pszText), &cbWritten, nullptr);
    CloseHandle(hFile);
}

std::string ReadText(const CString& strPath)
{
    HANDLE hFile = CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return "(missing)";
    char szText[256] = {0};
    DWORD cbRead = 0;
    ReadFile(hFile, szText, sizeof(szText) - 1, &cbRead, nullptr);
    CloseHandle(hFile);
    return szText;
}

BOOL WINAPI StandInInstaller(HWND, WORD fRequest, LPCSTR pszDriver, LPCSTR pszAttributes)
{
    g_installer.nCalls++;
    g_installer.fRequest = fRequest;
    g_installer.strDriver = pszDriver;
    g_installer.strAttributes = pszAttributes;
    if (!g_installer.bAccept)
        return FALSE;
    // COMPACT_DB="source" "compacted" General
    std::string strText = pszAttributes;
    size_t nFirst = strText.find("\" \"") + 3;
    CString strCompacted(strText.substr(nFirst, strText.rfind('"') - nFirst).c_str());
    WriteText(strCompacted, "compacted");
    if (!g_installer.strLockName.IsEmpty())
        g_installer.hLock = CreateFileW(g_installer.strLockName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    return TRUE;
}

SQLRETURN WINAPI TwoInstallerErrors(WORD iError, DWORD* pfErrorCode, LPSTR pszErrorMsg, WORD cbErrorMsgMax, WORD*)
{
    const char* const arrMessages[] = {"Driver's ConfigDSN failed", "Component not found in the registry"};
    if (iError > 2)
        return SQL_NO_DATA;
    *pfErrorCode = iError;
    strncpy(pszErrorMsg, arrMessages[iError - 1], cbErrorMsgMax);
    return SQL_SUCCESS;
}

class Compaction : public ServiceFixture
{
protected:
    void SetUp() override
    {
        g_installer = InstallerStandIn();
        SetConfigDataSourceFunction(StandInInstaller);
        wchar_t szTemp[MAX_PATH];
        GetTempPathW(MAX_PATH, szTemp);
        m_strFolder.Format(L"%stervok-compact-%lu\\", szTemp, GetCurrentProcessId());
        CreateDirectoryW(m_strFolder, nullptr);
        m_strSource = m_strFolder + L"Alarms.MDB";
        WriteText(m_strSource, "old");
        m_nAnswer = IDYES;
    }
    void TearDown() override
    {
        if (g_installer.hLock != INVALID_HANDLE_VALUE)
            CloseHandle(g_installer.hLock);
        SetConfigDataSourceFunction(nullptr);
        SetInstallerErrorFunction(nullptr);
        SetServiceManagerOpener(nullptr);
        SHFILEOPSTRUCTW operation = {};
        std::wstring strFrom(m_strFolder.GetString(), (size_t)m_strFolder.GetLength() - 1);
        strFrom += L'\0';
        strFrom += L'\0';
        operation.wFunc = FO_DELETE;
        operation.pFrom = strFrom.c_str();
        operation.fFlags = FOF_NO_UI;
        SHFileOperationW(&operation);
        ServiceFixture::TearDown();
    }

    BOOL Compact()
    {
        CDatabaseCompactor compactor(Host().m_hWnd);
        return compactor.Compact(m_strSource);
    }

    // The files of the folder other than the database and its compacted copy.
    std::vector<CString> KeptFiles()
    {
        std::vector<CString> arrNames;
        WIN32_FIND_DATAW data;
        HANDLE hFind = FindFirstFileW(m_strFolder + L"Alarms *.mdb", &data);
        for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = FindNextFileW(hFind, &data))
            if (CString(data.cFileName) != L"Alarms Compacted.mdb")
                arrNames.push_back(data.cFileName);
        if (hFind != INVALID_HANDLE_VALUE)
            FindClose(hFind);
        return arrNames;
    }

    CString m_strFolder;
    CString m_strSource;
};
} // namespace

TEST_F(Compaction, TheCompactedCopyTakesTheFilesPlaceAndTheOldFileKeepsADatedName)
{
    EXPECT_TRUE(Compact());
    EXPECT_EQ(1, g_installer.nCalls);
    EXPECT_EQ(ODBC_CONFIG_DSN, g_installer.fRequest);
    EXPECT_EQ(std::string("Microsoft Access Driver (*.mdb)"), g_installer.strDriver);
    CStringA strBase(m_strFolder + L"Alarms");
    EXPECT_EQ("COMPACT_DB=\"" + std::string(strBase) + ".mdb\" \"" + std::string(strBase) + " Compacted.mdb\" General",
              g_installer.strAttributes);
    EXPECT_EQ("compacted", ReadText(m_strSource));
    std::vector<CString> arrKept = KeptFiles();
    ASSERT_EQ(1u, arrKept.size());
    EXPECT_TRUE(std::regex_match(std::string(CStringA(arrKept[0])),
                                 std::regex("Alarms 20[0-9]{2}-[0-9]{2}-[0-9]{2} [0-9]{2}-[0-9]{2}-[0-9]{2}\\.mdb")))
        << CStringA(arrKept[0]).GetString();
    EXPECT_EQ("old", ReadText(m_strFolder + arrKept[0]));
    ASSERT_EQ(2u, m_arrBoxes.size());
    EXPECT_EQ(CString(L"The database \"") + m_strFolder + L"Alarms.mdb\" will now be compacted, this may take a few "
                                                          L"minutes.\n\nContinue ?",
              m_arrBoxes[0].strText);
    EXPECT_EQ(UINT(MB_YESNO | MB_ICONQUESTION), m_arrBoxes[0].nType);
    EXPECT_EQ(CString(L"Compact"), m_arrBoxes[1].strCaption);
    EXPECT_NE(-1, m_arrBoxes[1].strText.Find(L"The old file has been saved as:\n\t" + m_strFolder + arrKept[0]));
}

TEST_F(Compaction, ACopyThatCannotTakeTheNameLeavesTheOldFileInPlaceNotUnderItsDatedName)
{
    g_installer.strLockName = m_strFolder + L"Alarms Compacted.mdb";
    EXPECT_FALSE(Compact());
    EXPECT_EQ("old", ReadText(m_strSource)) << "the data source keeps its file";
    EXPECT_TRUE(KeptFiles().empty());
    ASSERT_EQ(2u, m_arrBoxes.size());
    EXPECT_EQ(UINT(MB_OK | MB_ICONSTOP), m_arrBoxes[1].nType);
    EXPECT_EQ(0, m_arrBoxes[1].strText.Find(L"Unable to rename \"" + m_strFolder + L"Alarms Compacted.mdb\" to \"" +
                                            m_strFolder + L"Alarms.mdb\""));
}

TEST_F(Compaction, AFileThatCannotBeRenamedStaysAsItIsBesideTheCopy)
{
    g_installer.strLockName = m_strSource;
    EXPECT_FALSE(Compact());
    EXPECT_EQ("old", ReadText(m_strSource));
    EXPECT_EQ("compacted", ReadText(m_strFolder + L"Alarms Compacted.mdb"));
    ASSERT_EQ(2u, m_arrBoxes.size());
    EXPECT_EQ(0, m_arrBoxes[1].strText.Find(L"Unable to rename \"" + m_strFolder + L"Alarms.mdb\" to \""));
}

TEST_F(Compaction, ARefusalShowsTheAttributesAndTheInstallersMessagesAndRenamesNothing)
{
    g_installer.bAccept = FALSE;
    SetInstallerErrorFunction(TwoInstallerErrors);
    EXPECT_TRUE(Compact()) << "the list is read again";
    EXPECT_EQ("old", ReadText(m_strSource));
    EXPECT_TRUE(KeptFiles().empty());
    ASSERT_EQ(2u, m_arrBoxes.size());
    EXPECT_EQ(CString(g_installer.strAttributes.c_str()) +
                  L"\n\nDriver's ConfigDSN failed\nComponent not found in the registry",
              m_arrBoxes[1].strText);
    EXPECT_EQ(UINT(MB_OK | MB_ICONSTOP), m_arrBoxes[1].nType);
}

TEST_F(Compaction, NoToTheQuestionTouchesNothing)
{
    m_nAnswer = IDNO;
    EXPECT_FALSE(Compact());
    EXPECT_EQ(0, g_installer.nCalls);
    EXPECT_EQ(1u, m_arrBoxes.size());
    EXPECT_EQ("old", ReadText(m_strSource));
}

TEST_F(Compaction, AServiceThatIsNotStoppedOrCannotBeReadKeepsTheFileAsItIs)
{
    ASSERT_TRUE(m_service.Install());
    CServiceControl service(g_pszAlarmsServiceName);
    CString strError;
    ASSERT_TRUE(service.StartOrStop(TRUE, strError));
    ASSERT_TRUE(m_service.WaitFor(SERVICE_RUNNING));
    EXPECT_FALSE(Compact());
    ASSERT_EQ(1u, m_arrBoxes.size());
    EXPECT_EQ(CString(L"The Alarms Service must be stopped before the database can be compacted."),
              m_arrBoxes[0].strText);
    EXPECT_EQ(UINT(MB_OK | MB_ICONINFORMATION), m_arrBoxes[0].nType);

    // Without the right to ask, the service may be running all the same.
    SetServiceManagerOpener([](DWORD) -> SC_HANDLE {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    });
    EXPECT_FALSE(Compact());
    SetServiceManagerOpener(nullptr);
    EXPECT_EQ(0, g_installer.nCalls);
    EXPECT_EQ("old", ReadText(m_strSource));
    ASSERT_EQ(2u, m_arrBoxes.size());
    EXPECT_EQ(UINT(MB_OK | MB_ICONSTOP), m_arrBoxes[1].nType);

    ASSERT_TRUE(service.StartOrStop(FALSE, strError));
    ASSERT_TRUE(m_service.WaitFor(SERVICE_STOPPED));
    EXPECT_TRUE(Compact()) << "a stopped service lets it go on";
    EXPECT_EQ("compacted", ReadText(m_strSource));
}

// The question may stay open while someone starts the service: Yes looks at it again.
TEST_F(Compaction, AServiceStartedWhileTheQuestionIsOpenKeepsTheFileAsItIs)
{
    ASSERT_TRUE(m_service.Install());
    CServiceControl service(g_pszAlarmsServiceName);
    AfxSetMessageBoxFunction([&](HWND, const wchar_t* pszText, const wchar_t* pszCaption, UINT nType) {
        m_arrBoxes.push_back({pszText, pszCaption ? pszCaption : L"", nType});
        if (nType & MB_YESNO)
        {
            CString strError;
            EXPECT_TRUE(service.StartOrStop(TRUE, strError)) << CStringA(strError).GetString();
            EXPECT_TRUE(m_service.WaitFor(SERVICE_RUNNING));
        }
        return IDYES;
    });
    EXPECT_FALSE(Compact());
    EXPECT_EQ(0, g_installer.nCalls);
    EXPECT_EQ("old", ReadText(m_strSource));
    EXPECT_TRUE(KeptFiles().empty());
    ASSERT_EQ(2u, m_arrBoxes.size());
    EXPECT_EQ(UINT(MB_YESNO | MB_ICONQUESTION), m_arrBoxes[0].nType);
    EXPECT_EQ(CString(L"The Alarms Service must be stopped before the database can be compacted."),
              m_arrBoxes[1].strText);
    CString strError;
    EXPECT_TRUE(service.StartOrStop(FALSE, strError));
    EXPECT_TRUE(m_service.WaitFor(SERVICE_STOPPED));
}
