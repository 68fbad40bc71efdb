#include "agent/EventLog/SpoolEventLogSource.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// A spool folder of its own for each test, beside the test program.
class SpoolSource : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t szPath[MAX_PATH];
        GetModuleFileNameW(nullptr, szPath, MAX_PATH);
        *wcsrchr(szPath, L'\\') = 0;
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_strFolder.Format(L"%s\\spool-%S-%lu", szPath, info->name(), (unsigned long)GetCurrentProcessId());
        CreateDirectoryW(m_strFolder, nullptr);
        DeleteFileW(m_strFolder + L"\\Application.spool");
    }
    void TearDown() override
    {
        DeleteFileW(m_strFolder + L"\\Application.spool");
        RemoveDirectoryW(m_strFolder);
    }

    static std::vector<BYTE> Image(const wchar_t* pszInsert)
    {
        SEventRecordFields fields;
        fields.dwEventId = 1000;
        fields.strSource = L"TervokUnitSource";
        fields.strComputer = L"HOST";
        fields.arrStrings.Add(pszInsert);
        return CSpoolEventLogSource::BuildImage(fields);
    }
    // Reads a record with the platform's protocol: ask with 1 byte, then with what is needed.
    static BOOL ReadOne(CEventLogSource& source, HANDLE h, DWORD n, std::vector<BYTE>& out)
    {
        BYTE one;
        DWORD dwRead = 0, dwNeeded = 0;
        if (source.SeekRead(h, TRUE, n, &one, 1, &dwRead, &dwNeeded))
            return FALSE;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return FALSE;
        out.assign(dwNeeded, 0);
        return source.SeekRead(h, TRUE, n, out.data(), dwNeeded, &dwRead, &dwNeeded) && dwRead == out.size();
    }

    CString m_strFolder;
};
} // namespace

TEST_F(SpoolSource, ImageHasThePlatformLayout)
{
    std::vector<BYTE> image = Image(L"abc");
    const EVENTLOGRECORD* p = (const EVENTLOGRECORD*)image.data();
    EXPECT_EQ(image.size(), p->Length);
    EXPECT_EQ(0u, p->Length % 4);
    EXPECT_EQ(0x654c664cu, p->Reserved);
    EXPECT_EQ(1, p->NumStrings);
    // The length is repeated in the record's last four bytes.
    EXPECT_EQ(p->Length, *(const DWORD*)&image[image.size() - 4]);
    EXPECT_STREQ(L"TervokUnitSource", (const wchar_t*)&image[sizeof(EVENTLOGRECORD)]);
    EXPECT_STREQ(L"abc", (const wchar_t*)&image[p->StringOffset]);
}

TEST_F(SpoolSource, AppendNumbersCountsAndReadsWithTheBufferProtocol)
{
    CSpoolEventLogSource writer(m_strFolder), reader(m_strFolder);
    HANDLE h = reader.Open(L"Application");
    ASSERT_TRUE(h != nullptr);
    DWORD dwCount = 99, dwOldest = 99;
    ASSERT_TRUE(reader.GetCount(h, &dwCount));
    EXPECT_EQ(0u, dwCount);
    EXPECT_EQ(1u, writer.Append(L"Application", Image(L"one")));
    EXPECT_EQ(2u, writer.Append(L"Application", Image(L"two")));
    EXPECT_EQ(3u, writer.Append(L"Application", Image(L"three")));
    ASSERT_TRUE(reader.GetCount(h, &dwCount));
    ASSERT_TRUE(reader.GetOldest(h, &dwOldest));
    EXPECT_EQ(3u, dwCount);
    EXPECT_EQ(1u, dwOldest);

    std::vector<BYTE> record;
    ASSERT_TRUE(ReadOne(reader, h, 2, record));
    const EVENTLOGRECORD* p = (const EVENTLOGRECORD*)record.data();
    EXPECT_EQ(2u, p->RecordNumber);
    EXPECT_STREQ(L"two", (const wchar_t*)&record[p->StringOffset]);

    // Past the newest record and before the oldest nothing is served.
    BYTE buffer[4096];
    DWORD dwRead = 0, dwNeeded = 0;
    EXPECT_FALSE(reader.SeekRead(h, TRUE, 4, buffer, sizeof(buffer), &dwRead, &dwNeeded));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_FALSE(reader.SeekRead(h, TRUE, 0, buffer, sizeof(buffer), &dwRead, &dwNeeded));
    reader.Close(h);
}

TEST_F(SpoolSource, ClearRestartsNumberingAndWrapDropsTheOldest)
{
    CSpoolEventLogSource writer(m_strFolder), reader(m_strFolder);
    for (int i = 0; i < 5; i++)
        writer.Append(L"Application", Image(L"x"));
    HANDLE h = reader.Open(L"Application");
    DWORD dwCount = 0, dwOldest = 0;
    ASSERT_TRUE(reader.GetCount(h, &dwCount));
    EXPECT_EQ(5u, dwCount);

    ASSERT_TRUE(writer.Wrap(L"Application", 3));
    ASSERT_TRUE(reader.GetCount(h, &dwCount));
    ASSERT_TRUE(reader.GetOldest(h, &dwOldest));
    EXPECT_EQ(2u, dwCount);
    EXPECT_EQ(4u, dwOldest);
    EXPECT_EQ(6u, writer.Append(L"Application", Image(L"six")));
    std::vector<BYTE> record;
    ASSERT_TRUE(ReadOne(reader, h, 6, record));
    EXPECT_FALSE(ReadOne(reader, h, 3, record));

    ASSERT_TRUE(writer.Clear(L"Application"));
    ASSERT_TRUE(reader.GetCount(h, &dwCount));
    EXPECT_EQ(0u, dwCount);
    EXPECT_EQ(1u, writer.Append(L"Application", Image(L"after clear")));
    ASSERT_TRUE(ReadOne(reader, h, 1, record));
    EXPECT_STREQ(L"after clear", (const wchar_t*)&record[((const EVENTLOGRECORD*)record.data())->StringOffset]);
    reader.Close(h);
}

TEST_F(SpoolSource, AppendSignalsTheChangeNotification)
{
    CSpoolEventLogSource writer(m_strFolder), reader(m_strFolder);
    HANDLE h = reader.Open(L"Application");
    HANDLE hEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ASSERT_TRUE(reader.NotifyChange(h, hEvent));
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(hEvent, 100));
    writer.Append(L"Application", Image(L"wake"));
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(hEvent, 5000));
    reader.Close(h);
    CloseHandle(hEvent);
}

TEST_F(SpoolSource, APartlyWrittenRecordIsNotServed)
{
    CSpoolEventLogSource writer(m_strFolder), reader(m_strFolder);
    writer.Append(L"Application", Image(L"whole"));
    // A record whose length says more than the file holds, as while a writer is still busy.
    std::vector<BYTE> image = Image(L"partial");
    HANDLE hFile = CreateFileW(m_strFolder + L"\\Application.spool", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    SetFilePointer(hFile, 0, nullptr, FILE_END);
    DWORD dwWritten = 0;
    WriteFile(hFile, image.data(), (DWORD)image.size() / 2, &dwWritten, nullptr);
    CloseHandle(hFile);
    HANDLE h = reader.Open(L"Application");
    DWORD dwCount = 0;
    ASSERT_TRUE(reader.GetCount(h, &dwCount));
    EXPECT_EQ(1u, dwCount);
    reader.Close(h);
}

TEST_F(SpoolSource, BatchIsNumberedInOrderAndSeenWhole)
{
    CSpoolEventLogSource writer(m_strFolder), reader(m_strFolder);
    EXPECT_EQ(1u, writer.Append(L"Application", Image(L"single")));
    std::vector<std::vector<BYTE>> batch = {Image(L"b0"), Image(L"b1"), Image(L"b2")};
    EXPECT_EQ(2u, writer.AppendBatch(L"Application", batch));
    std::vector<std::vector<BYTE>> broken = {Image(L"ok"), std::vector<BYTE>(8, 0)};
    EXPECT_EQ(0u, writer.AppendBatch(L"Application", broken)) << "a batch with a bad image writes nothing";
    EXPECT_EQ(0u, writer.AppendBatch(L"Application", {}));

    HANDLE h = reader.Open(L"Application");
    DWORD dwCount = 0;
    ASSERT_TRUE(reader.GetCount(h, &dwCount));
    EXPECT_EQ(4u, dwCount);
    std::vector<BYTE> record;
    for (DWORD n = 2; n <= 4; n++)
    {
        ASSERT_TRUE(ReadOne(reader, h, n, record));
        const EVENTLOGRECORD* p = (const EVENTLOGRECORD*)record.data();
        EXPECT_EQ(n, p->RecordNumber);
        EXPECT_EQ(std::wstring(L"b") + std::to_wstring(n - 2), (const wchar_t*)&record[p->StringOffset]);
    }
    reader.Close(h);
}

TEST_F(SpoolSource, OpensOfOneLogShareTheFileAndEachCloseLeavesTheOthers)
{
    CSpoolEventLogSource writer(m_strFolder), reader(m_strFolder);
    writer.Append(L"Application", Image(L"one"));
    HANDLE hKept = reader.Open(L"Application");
    HANDLE hRecord = reader.Open(L"Application");
    ASSERT_TRUE(hKept && hRecord);
    std::vector<BYTE> record;
    ASSERT_TRUE(ReadOne(reader, hRecord, 1, record));
    reader.Close(hRecord);
    writer.Append(L"Application", Image(L"two"));
    hRecord = reader.Open(L"Application");
    ASSERT_TRUE(ReadOne(reader, hRecord, 2, record)) << "a new record is read after the first open was closed";
    reader.Close(hRecord);
    DWORD dwCount = 0;
    ASSERT_TRUE(reader.GetCount(hKept, &dwCount));
    EXPECT_EQ(2u, dwCount);
    reader.Close(hKept);
}

TEST_F(SpoolSource, SizeAskedOfAStaleIndexIsCheckedByTheRead)
{
    CSpoolEventLogSource writer(m_strFolder), reader(m_strFolder);
    writer.Append(L"Application", Image(L"short"));
    HANDLE h = reader.Open(L"Application");
    DWORD dwCount = 0;
    ASSERT_TRUE(reader.GetCount(h, &dwCount));
    // The log is cleared and record 1 is now a longer one; the index still knows the old.
    ASSERT_TRUE(writer.Clear(L"Application"));
    writer.Append(L"Application", Image(L"a much longer insertion string than before"));
    BYTE one;
    DWORD dwRead = 0, dwNeeded = 0;
    EXPECT_FALSE(reader.SeekRead(h, TRUE, 1, &one, 1, &dwRead, &dwNeeded));
    std::vector<BYTE> buffer(dwNeeded);
    EXPECT_FALSE(reader.SeekRead(h, TRUE, 1, buffer.data(), dwNeeded, &dwRead, &dwNeeded));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError()) << "the read asks for the record's new size";
    std::vector<BYTE> record;
    ASSERT_TRUE(ReadOne(reader, h, 1, record));
    const EVENTLOGRECORD* p = (const EVENTLOGRECORD*)record.data();
    EXPECT_STREQ(L"a much longer insertion string than before", (const wchar_t*)&record[p->StringOffset]);
    reader.Close(h);
}

TEST_F(SpoolSource, RecordsMovedByAWrapAfterTheyWereIndexedAreReadFromTheirNewPlace)
{
    CSpoolEventLogSource writer(m_strFolder), reader(m_strFolder);
    for (const wchar_t* p : {L"r1", L"r2", L"r3"})
        writer.Append(L"Application", Image(p));
    HANDLE h = reader.Open(L"Application");
    std::vector<BYTE> record;
    ASSERT_TRUE(ReadOne(reader, h, 3, record));
    ASSERT_TRUE(writer.Wrap(L"Application", 1));
    DWORD dwOldest = 0;
    ASSERT_TRUE(reader.GetOldest(h, &dwOldest));
    EXPECT_EQ(2u, dwOldest);
    for (DWORD n = 2; n <= 3; n++)
    {
        ASSERT_TRUE(ReadOne(reader, h, n, record));
        const EVENTLOGRECORD* p = (const EVENTLOGRECORD*)record.data();
        EXPECT_EQ(n, p->RecordNumber);
        EXPECT_EQ(std::wstring(L"r") + std::to_wstring(n), (const wchar_t*)&record[p->StringOffset]);
    }
    reader.Close(h);
}

TEST_F(SpoolSource, ALogLeftMarkedByAnInterruptedClearIsStillServed)
{
    CSpoolEventLogSource writer(m_strFolder), reader(m_strFolder);
    writer.Append(L"Application", Image(L"kept"));
    // The header's third word marks a clear or wrap under way; a writer that died left it set.
    HANDLE hFile = CreateFileW(m_strFolder + L"\\Application.spool", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD dwMark = 1, dwWritten = 0;
    SetFilePointer(hFile, 8, nullptr, FILE_BEGIN);
    ASSERT_TRUE(WriteFile(hFile, &dwMark, sizeof(dwMark), &dwWritten, nullptr));
    CloseHandle(hFile);

    HANDLE h = reader.Open(L"Application");
    DWORD dwCount = 0;
    ASSERT_TRUE(reader.GetCount(h, &dwCount));
    EXPECT_EQ(1u, dwCount);
    std::vector<BYTE> record;
    EXPECT_TRUE(ReadOne(reader, h, 1, record)) << "read under the lock instead";
    reader.Close(h);
}
