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
public:
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

protected:
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

namespace
{
// The insertion string of record n: its number, six digits wide, and a tail of a letter that
// depends on it. Every record has the same length, so that what a clear or wrap leaves behind
// the records it moved still reads as whole records: a reader that indexes the file while the
// move is under way takes them for newer ones.
std::wstring NumberedText(DWORD n)
{
    wchar_t szNumber[16];
    _snwprintf(szNumber, 16, L"%06lu", (unsigned long)n);
    szNumber[15] = 0;
    return L"record " + std::wstring(szNumber) + L" " + std::wstring(40, (wchar_t)(L'a' + n % 26));
}

std::vector<BYTE> NumberedImage(DWORD n)
{
    SEventRecordFields fields;
    fields.dwEventId = 1000;
    fields.strSource = L"TervokUnitSource";
    fields.strComputer = L"HOST";
    fields.arrStrings.Add(NumberedText(n).c_str());
    return CSpoolEventLogSource::BuildImage(fields);
}

// Why a record served as number n is not that record whole; empty when it is.
std::string RecordFault(DWORD n, const std::vector<BYTE>& record)
{
    const EVENTLOGRECORD* p = (const EVENTLOGRECORD*)record.data();
    if (record.size() < sizeof(EVENTLOGRECORD) + 4 || p->Length != record.size())
        return "length";
    if (p->Reserved != 0x654c664c || *(const DWORD*)&record[record.size() - 4] != p->Length)
        return "signature or closing length";
    if (p->RecordNumber != n)
        return "number " + std::to_string(p->RecordNumber);
    if (p->NumStrings != 1 || p->StringOffset >= p->Length || p->DataOffset > p->Length - 4)
        return "string offsets";
    std::wstring text((const wchar_t*)&record[p->StringOffset], (p->DataOffset - p->StringOffset) / 2);
    if (text != NumberedText(n) + L'\0')
        return "insertion string";
    return std::string();
}

// A writer of its own (another source, as another process would be): appends, wraps and
// clears the log for a while, numbering the records as the log will. Before each change it
// publishes the highest number the log may then hold, and it counts a clear as two steps of
// its epoch (odd while the clear is under way), since numbering starts again after one.
struct SSpoolWriterRun
{
    const wchar_t* pszFolder;
    DWORD dwMilliseconds;
    volatile LONG bDone;
    volatile LONG nEpoch;
    volatile LONG nCeiling;
    int nClears;
    int nWraps;
    std::string strFault;
};

LONG ReadShared(volatile LONG& nValue)
{
    return InterlockedCompareExchange(&nValue, 0, 0);
}

DWORD WINAPI RewritingWriter(void* pParameter)
{
    SSpoolWriterRun& run = *(SSpoolWriterRun*)pParameter;
    CSpoolEventLogSource writer(run.pszFolder);
    DWORD dwNext = 1, dwHeld = 0, dwSeed = 7;
    DWORD dwStart = GetTickCount();
    while (run.strFault.empty() && GetTickCount() - dwStart < run.dwMilliseconds)
    {
        dwSeed = dwSeed * 1103515245u + 12345u;
        DWORD dwRoll = (dwSeed >> 16) % 100;
        if (dwRoll < 8)
        {
            InterlockedIncrement(&run.nEpoch);
            if (!writer.Clear(L"Application"))
                run.strFault = "clear failed";
            InterlockedExchange(&run.nCeiling, 0);
            InterlockedIncrement(&run.nEpoch);
            dwNext = 1;
            dwHeld = 0;
            ++run.nClears;
        }
        else if ((dwRoll < 35 && dwHeld > 1) || dwHeld > 60)
        {
            // A circular log always keeps its newest record.
            DWORD dwDrop = 1 + (dwSeed >> 8) % (dwHeld - 1);
            if (!writer.Wrap(L"Application", dwDrop))
                run.strFault = "wrap failed";
            dwHeld -= dwDrop;
            ++run.nWraps;
        }
        else
        {
            std::vector<std::vector<BYTE>> batch;
            for (DWORD i = 0; i <= (dwSeed >> 4) % 4; ++i)
                batch.push_back(NumberedImage(dwNext + i));
            InterlockedExchange(&run.nCeiling, (LONG)(dwNext + batch.size() - 1));
            if (writer.AppendBatch(L"Application", batch) != dwNext)
                run.strFault = "append numbered otherwise";
            dwNext += (DWORD)batch.size();
            dwHeld += (DWORD)batch.size();
        }
    }
    InterlockedExchange(&run.bDone, 1);
    return 0;
}

// One reader beside the writer, with a source of its own, and what it found: records served and
// those not whole or not the one asked, and extents that named records the log never held.
struct SCheckingReader
{
    SSpoolWriterRun* pRun = nullptr;
    int nServed = 0;
    int nFaults = 0;
    int nExtents = 0;
    int nBadExtents = 0;
    std::string strFirst;

    void Note(int& nCount, const std::string& strWhat)
    {
        if (nCount++ == 0 && strFirst.empty())
            strFirst = strWhat;
    }
};

// As the monitor does, the reader looks at the log's extent before each record it reads. The
// extent is checked when no clear began or ended around the look.
DWORD WINAPI CheckingReader(void* pParameter)
{
    SCheckingReader& reader = *(SCheckingReader*)pParameter;
    SSpoolWriterRun& run = *reader.pRun;
    CSpoolEventLogSource source(run.pszFolder);
    HANDLE h = source.Open(L"Application");
    std::vector<BYTE> record;
    for (DWORD dwStep = 0; h && !ReadShared(run.bDone); ++dwStep)
    {
        LONG nEpoch = ReadShared(run.nEpoch);
        DWORD dwOldest = 0, dwCount = 0;
        if (!source.GetOldest(h, &dwOldest) || !source.GetCount(h, &dwCount) || dwCount == 0)
            continue;
        LONG nCeiling = ReadShared(run.nCeiling);
        DWORD dwNewest = dwOldest + dwCount - 1;
        if (nEpoch % 2 == 0 && nEpoch == ReadShared(run.nEpoch))
        {
            ++reader.nExtents;
            if (dwNewest > (DWORD)nCeiling)
                reader.Note(reader.nBadExtents, "records " + std::to_string(dwOldest) + " to " +
                                                    std::to_string(dwNewest) + " with " + std::to_string(nCeiling) +
                                                    " the newest written");
        }
        // A record dropped or resized meanwhile is refused; one that is served must be whole.
        DWORD n = dwOldest + dwStep % dwCount;
        if (!SpoolSource::ReadOne(source, h, n, record))
            continue;
        ++reader.nServed;
        std::string strFault = RecordFault(n, record);
        if (!strFault.empty())
            reader.Note(reader.nFaults, "record " + std::to_string(n) + ": " + strFault);
    }
    source.Close(h);
    return 0;
}
} // namespace

// Readers go without the log's lock while no clear or wrap is under way. Beside a writer that
// clears and wraps all the time, every record they serve is still the whole record of the
// number asked, and no extent they report reaches past the newest record written.
TEST_F(SpoolSource, ReadersBesideAWriterThatClearsAndWrapsServeOnlyWholeRecordsOfTheNumberAsked)
{
    SSpoolWriterRun run = {m_strFolder, 3000, 0, 0, 0, 0, 0, std::string()};
    HANDLE hWriter = CreateThread(nullptr, 0, RewritingWriter, &run, 0, nullptr);
    ASSERT_TRUE(hWriter != nullptr);
    const int kReaders = 3;
    SCheckingReader readers[kReaders];
    std::vector<HANDLE> threads(1, hWriter);
    for (SCheckingReader& reader : readers)
    {
        reader.pRun = &run;
        HANDLE hReader = CreateThread(nullptr, 0, CheckingReader, &reader, 0, nullptr);
        EXPECT_TRUE(hReader != nullptr);
        if (hReader)
            threads.push_back(hReader);
    }
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForMultipleObjects((DWORD)threads.size(), threads.data(), TRUE, 60000));
    for (HANDLE hThread : threads)
        CloseHandle(hThread);

    EXPECT_EQ("", run.strFault);
    EXPECT_GT(run.nClears, 10);
    EXPECT_GT(run.nWraps, 50);
    for (const SCheckingReader& reader : readers)
    {
        EXPECT_EQ(0, reader.nFaults) << reader.strFirst;
        EXPECT_EQ(0, reader.nBadExtents) << reader.strFirst;
        EXPECT_GT(reader.nExtents, 500) << "each reader must have looked beside the writer";
        EXPECT_GT(reader.nServed, 500) << "each reader must have read beside the writer";
    }
}
