#include "support/ReplacingWrite.h"

#include "support/TextFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testsupport;

namespace
{
// The file-system steps of a replacement, in the order they came, each passed on to the system's
// unless told to fail.
class CRecordedSteps
{
public:
    struct Call
    {
        std::wstring strStep;
        std::wstring strFrom;
        std::wstring strTo;
        DWORD dwFlags;
        std::string strContent; // the file's bytes as the step found them
    };

    CRecordedSteps()
    {
        ReplacingFileSteps steps;
        steps.flush = [this](const wchar_t* pszFile) {
            m_calls.push_back({L"flush", pszFile, L"", 0, ReadBytes(pszFile)});
            return !m_bFailFlush && m_system.flush(pszFile);
        };
        steps.move = [this](const wchar_t* pszFrom, const wchar_t* pszTo, DWORD dwFlags) {
            m_calls.push_back({L"move", pszFrom, pszTo, dwFlags, ReadBytes(pszFrom)});
            return m_system.move(pszFrom, pszTo, dwFlags);
        };
        m_system = SetReplacingFileSteps(steps);
    }
    ~CRecordedSteps() { SetReplacingFileSteps(m_system); }

    std::vector<Call> m_calls;
    bool m_bFailFlush = false;

private:
    ReplacingFileSteps m_system;
};
} // namespace

// A power cut just after a save must find the old file or the whole new one: the new file's data
// is flushed to the disk before the rename, and the rename itself is written through.
TEST(ReplacingWrite, TheNewFileIsFlushedWholeThenRenamedWithWriteThrough)
{
    CScratchFolder dir;
    CString strTarget = dir.Path(L"TervokAlarmScripts.txt");
    ASSERT_TRUE(CTextFile(strTarget).WriteLines(Lines({L"old"})));
    CRecordedSteps steps;

    ASSERT_TRUE(CTextFile(strTarget).WriteLines(Lines({L"first", L"second"})));
    ASSERT_EQ(2u, steps.m_calls.size());
    const CRecordedSteps::Call& flush = steps.m_calls[0];
    const CRecordedSteps::Call& move = steps.m_calls[1];
    EXPECT_EQ(L"flush", flush.strStep);
    EXPECT_EQ("first\r\nsecond\r\n", flush.strContent) << "the writer has closed it whole";
    EXPECT_EQ(L"move", move.strStep);
    EXPECT_EQ(flush.strFrom, move.strFrom) << "the file flushed is the one renamed";
    EXPECT_EQ(std::wstring(strTarget), move.strTo);
    EXPECT_EQ((DWORD)(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH), move.dwFlags);
    EXPECT_EQ("first\r\nsecond\r\n", ReadBytes(strTarget));
    EXPECT_EQ(1, CountFiles(dir.Folder()));
}

// Whatever step fails, the target keeps its old bytes and no new file is left beside it.
TEST(ReplacingWrite, AFailedWriteOrFlushLeavesTheTargetAsItWas)
{
    CScratchFolder dir;
    CString strTarget = dir.Path(L"QuorvexTargets.txt");
    ASSERT_TRUE(CTextFile(strTarget).WriteLines(Lines({L"old"})));
    CRecordedSteps steps;

    EXPECT_FALSE(CTextFile(strTarget).WriteLines(Lines({L"new", L"\u20AC"}))) << "a character it cannot hold";
    EXPECT_TRUE(steps.m_calls.empty()) << "nothing to flush or rename";
    EXPECT_EQ("old\r\n", ReadBytes(strTarget));
    EXPECT_EQ(1, CountFiles(dir.Folder()));

    steps.m_bFailFlush = true;
    EXPECT_FALSE(CTextFile(strTarget).WriteLines(Lines({L"new"})));
    ASSERT_EQ(1u, steps.m_calls.size());
    EXPECT_EQ(L"flush", steps.m_calls[0].strStep) << "no rename of a file that may not be on the disk";
    EXPECT_EQ("old\r\n", ReadBytes(strTarget));
    EXPECT_EQ(1, CountFiles(dir.Folder()));

    steps.m_bFailFlush = false;
    steps.m_calls.clear();
    CString strFolderInTheWay = dir.Path(L"folder.txt");
    ASSERT_TRUE(CreateDirectoryW(strFolderInTheWay, nullptr));
    EXPECT_FALSE(WriteBesideThenReplace(strFolderInTheWay, [](const wchar_t*) { return TRUE; }));
    ASSERT_EQ(2u, steps.m_calls.size());
    EXPECT_EQ(L"move", steps.m_calls[1].strStep);
    EXPECT_EQ(1, CountFiles(dir.Folder())) << "the new file is gone";
    RemoveDirectoryW(strFolderInTheWay);
}
