#include "agent/TraceLog.h"

#include "framework/core/CTime.h"

#include <gtest/gtest.h>

#include <winsock2.h>

#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{
// A trace file of its own beside the test program, removed again at the end.
class TraceFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CString strName;
        strName.Format(L"TraceTest-%lu.txt", GetCurrentProcessId());
        m_log.reset(new CTraceLog());
        m_log->Open(FALSE, TRUE, TRUE, strName, L"unused", L".txt");
        ASSERT_TRUE(m_log->m_bFile);
        m_strPath = m_log->GetPath();
        // Start empty: an earlier process may have had the same id.
        m_log.reset(new CTraceLog());
        DeleteFileW(m_strPath);
        m_log->Open(FALSE, TRUE, TRUE, strName, L"unused", L".txt");
    }
    void TearDown() override
    {
        m_log.reset();
        DeleteFileW(m_strPath);
    }

    std::vector<std::string> Lines()
    {
        std::ifstream in(CStringA(m_strPath).GetString(), std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line))
            lines.push_back(line);
        return lines;
    }

    CString m_strPath;
    std::unique_ptr<CTraceLog> m_log;
};

const std::regex s_timePrefix("^[0-9]{2}:[0-9]{2}:[0-9]{2}> ");
} // namespace

TEST_F(TraceFileTest, LevelsDecideWhatIsWritten)
{
    m_log->SetTraceLevel(0);
    m_log->Trace(1, L"dropped %d", 1);
    m_log->WriteLine(L"always %s", L"there");
    m_log->SetTraceLevel(9);
    m_log->Trace(4, L"kept %s", L"four");
    m_log->Trace(10, L"above nine");
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(2u, lines.size());
    EXPECT_TRUE(std::regex_search(lines[0], s_timePrefix));
    EXPECT_EQ("always there\r", lines[0].substr(10));
    EXPECT_EQ("TRACE (4) : kept four\r", lines[1].substr(10));
}

TEST_F(TraceFileTest, EmptyLineIsOneBlank)
{
    m_log->WriteLine(L"");
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(" \r", lines[0]);
}

TEST_F(TraceFileTest, SocketErrorWritesThreeLines)
{
    WSASetLastError(10061);
    m_log->SocketError(L"Socket Bind failure.");
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("WSAError : Socket Bind failure.\r", lines[0].substr(10));
    EXPECT_EQ("WSAError : Error code = 10061\r", lines[1].substr(10));
    EXPECT_EQ("WSAError : Error text = Connection refused.\r", lines[2].substr(10));
}

TEST_F(TraceFileTest, LongTextsAreCutNotOverrun)
{
    m_log->SetTraceLevel(9);
    std::wstring longText(70000, L'x');
    m_log->WriteLine(L"%s", longText.c_str());
    m_log->Trace(9, L"%s", longText.c_str());
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(10u + 4096u + 1u, lines[0].size());
    EXPECT_EQ(10u + 4096u + 1u, lines[1].size()) << "the levelled line is cut by the line writer";
}

TEST_F(TraceFileTest, EightThreadsWriteWholeLines)
{
    m_log->SetTraceLevel(9);
    const int nThreads = 8, nLines = 300;
    std::vector<std::thread> threads;
    for (int t = 0; t < nThreads; ++t)
        threads.emplace_back([this, t] {
            for (int i = 0; i < nLines; ++i)
            {
                if (i % 2)
                    m_log->Trace(9, L"thread %d line %d %s", t, i, L"levelled-padding-padding-padding");
                else
                    m_log->WriteLine(L"thread %d line %d %s", t, i, L"unlevelled-padding-padding");
            }
        });
    for (std::thread& thread : threads)
        thread.join();

    std::vector<std::string> lines = Lines();
    ASSERT_EQ((size_t)(nThreads * nLines), lines.size());
    std::regex whole("^[0-9]{2}:[0-9]{2}:[0-9]{2}> (TRACE \\(9\\) : thread [0-7] line [0-9]+ "
                     "levelled-padding-padding-padding|thread [0-7] line [0-9]+ unlevelled-padding-padding)\r$");
    std::vector<int> seen(nThreads, 0);
    for (const std::string& line : lines)
    {
        ASSERT_TRUE(std::regex_match(line, whole)) << line;
        ++seen[line[line.find("thread ") + 7] - '0'];
    }
    for (int count : seen)
        EXPECT_EQ(nLines, count);
}

TEST(TraceLog, DatedFileNameAndConsoleFallback)
{
    CString strPath;
    {
        CTraceLog dated;
        CString strPrefix;
        strPrefix.Format(L"TraceDated-%lu", GetCurrentProcessId());
        dated.Open(FALSE, TRUE, FALSE, L"unused.txt", strPrefix, L".log");
        CString strExpected;
        strExpected.Format(L"\\%s-%s.log", strPrefix.GetString(),
                           CTime::GetCurrentTime().Format(L"%Y-%m-%d").GetString());
        strPath = dated.GetPath();
        EXPECT_EQ(strPath.GetLength() - strExpected.GetLength(), strPath.Find(strExpected)) << CStringA(strPath).GetString();
        EXPECT_TRUE(dated.m_bFile);
        EXPECT_FALSE(dated.m_bConsole);
        dated.WriteLine(L"x");
    }
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(strPath));
    DeleteFileW(strPath);

    CTraceLog blocked;
    blocked.Open(FALSE, TRUE, TRUE, L"no\\such\\folder\\trace.txt", L"", L"");
    EXPECT_FALSE(blocked.m_bFile);
    EXPECT_TRUE(blocked.m_bConsole);
}
