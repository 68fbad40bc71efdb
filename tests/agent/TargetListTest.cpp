#include "agent/TargetList.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace
{
// A target list of this test's own, removed at the end.
class TargetListTest : public ::testing::Test
{
protected:
    void WriteRaw(const char* pszContent) { testsupport::WriteBytes(m_strPath, pszContent); }
    std::string ReadRaw() { return testsupport::ReadBytes(m_strPath); }

    testsupport::CScratchFolder m_folder{L"agent-targets"};
    CString m_strPath = m_folder.Path(L"targets.txt");
};
} // namespace

TEST_F(TargetListTest, ReaderTakesOnlyPrefixedLines)
{
    WriteRaw("# header\r\n"
             "TARGET>   collector-a:7258  \r\n"
             "target> ignored:1\r\n"
             " TARGET> ignored:2\r\n"
             "TARGET>\r\n"
             "TARGET> 10.0.0.5:7000\n"
             "TARGET> collector-a:7258\n");
    CStringArray targets;
    targets.Add(L"stale");
    CTargetList(m_strPath).ReadTargets(targets);
    ASSERT_EQ(4, targets.GetSize());
    EXPECT_STREQ(L"collector-a:7258", targets[0]);
    EXPECT_STREQ(L"", targets[1]);
    EXPECT_STREQ(L"10.0.0.5:7000", targets[2]);
    EXPECT_STREQ(L"collector-a:7258", targets[3]) << "entries are not deduplicated";

    CStringArray none;
    CTargetList(L"C:\\no\\such\\folder\\QuorvexTargets.txt").ReadTargets(none);
    EXPECT_EQ(0, none.GetSize());
}

TEST_F(TargetListTest, WrittenListReadsBackInOrder)
{
    CStringArray lines;
    lines.Add(L"TARGET> first:1");
    lines.Add(L"TARGET> second:2");
    lines.Add(L"TARGET> third:3");
    CString strError;
    ASSERT_EQ(1, CTargetList(m_strPath).WriteTargets(lines, strError));
    EXPECT_STREQ(L"", strError);
    std::string text = ReadRaw();
    EXPECT_NE(std::string::npos, text.find("#   Contents ..: Target Addresses\r\n"));
    EXPECT_NE(std::string::npos, text.find("TARGET> first:1\r\nTARGET> second:2\r\nTARGET> third:3\r\n"));
    EXPECT_LT(text.find("Do not edit"), text.find("TARGET>"));

    CStringArray targets;
    CTargetList(m_strPath).ReadTargets(targets);
    ASSERT_EQ(3, targets.GetSize());
    EXPECT_STREQ(L"first:1", targets[0]);
    EXPECT_STREQ(L"third:3", targets[2]);
}

TEST_F(TargetListTest, FailedWriteReportsAndKeepsTheOldList)
{
    CStringArray lines;
    lines.Add(L"TARGET> kept:1");
    CString strError;
    ASSERT_EQ(1, CTargetList(m_strPath).WriteTargets(lines, strError));

    CTargetList nowhere(L"C:\\no\\such\\folder\\QuorvexTargets.txt");
    EXPECT_EQ(0, nowhere.WriteTargets(lines, strError));
    EXPECT_FALSE(strError.IsEmpty());

    CStringArray bad;
    bad.Add(L"TARGET> \u4e2d:1"); // not an 8-bit character: the writer refuses it
    EXPECT_EQ(0, CTargetList(m_strPath).WriteTargets(bad, strError));
    CStringArray targets;
    CTargetList(m_strPath).ReadTargets(targets);
    ASSERT_EQ(1, targets.GetSize());
    EXPECT_STREQ(L"kept:1", targets[0]);
}

TEST_F(TargetListTest, ReadersNeverSeeAPartialList)
{
    CStringArray lines;
    for (int i = 0; i < 200; ++i)
    {
        CString strLine;
        strLine.Format(L"TARGET> collector-%03d.example:7258", i);
        lines.Add(strLine);
    }
    CString strError;
    ASSERT_EQ(1, CTargetList(m_strPath).WriteTargets(lines, strError));

    std::atomic<bool> bDone{false};
    std::atomic<int> nBad{0}, nReads{0};
    std::thread reader([&] {
        while (!bDone)
        {
            CStringArray targets;
            CTargetList(m_strPath).ReadTargets(targets);
            if (targets.GetSize() != 200)
                ++nBad;
            ++nReads;
        }
    });
    for (int round = 0; round < 40; ++round)
        EXPECT_EQ(1, CTargetList(m_strPath).WriteTargets(lines, strError)) << CStringA(strError).GetString();
    bDone = true;
    reader.join();
    EXPECT_GT(nReads, 0);
    EXPECT_EQ(0, nBad);
}
