#include "support/LinesFile.h"

#include "support/AppPaths.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace
{
// Keeps the messages instead of showing boxes.
class CQuietLinesFile : public CLinesFile
{
public:
    using CLinesFile::CLinesFile;
    CStringArray m_shown;

protected:
    void ShowError(const CString& strMessage) override { m_shown.Add(strMessage); }
};

CStringArray ReadBack(const CString& path, const std::string& bytes, BOOL bUtf8)
{
    WriteBytes(path, bytes);
    CStringArray lines;
    EXPECT_TRUE(CLinesFile(path).ReadLines(lines, FALSE, bUtf8));
    return lines;
}
} // namespace

TEST(LinesFileWrite, Utf8WithCrLfBetweenLines)
{
    CScratchFolder dir;
    CString path = dir.Path(L"x.txt");
    CLinesFile file(path);
    EXPECT_TRUE(file.Write(Lines({L"a", L"b", L"c"}), FALSE));
    EXPECT_EQ(std::string("a\r\nb\r\nc"), ReadBytes(path));
    EXPECT_TRUE(file.Write(Lines({L""}), FALSE));
    EXPECT_EQ(std::string(), ReadBytes(path));
    EXPECT_TRUE(file.Write(Lines({L"\u20AC\u00E9"}), FALSE));
    EXPECT_EQ(std::string("\xE2\x82\xAC\xC3\xA9"), ReadBytes(path));

    CStringArray back;
    EXPECT_TRUE(file.ReadLines(back, FALSE, TRUE));
    ASSERT_EQ(1, back.GetSize());
    EXPECT_STREQ(L"\u20AC\u00E9", back[0]);
}

// Lines of any length, many of them: the buffer is flushed before a line that does not fit.
TEST(LinesFileWrite, LongLinesNeverOverrunTheBuffer)
{
    CScratchFolder dir;
    CString path = dir.Path(L"big.txt");
    CStringArray lines;
    lines.Add(CString(L'\u20AC', 70000));
    for (int i = 0; i < 5000; ++i)
        lines.Add(CString(L'x', i % 97));
    lines.Add(CString(L'y', 300000));
    CLinesFile file(path);
    ASSERT_TRUE(file.Write(lines, FALSE));
    CStringArray back;
    ASSERT_TRUE(file.ReadLines(back, FALSE, TRUE));
    ASSERT_EQ(lines.GetSize(), back.GetSize());
    for (int i = 0; i < lines.GetSize(); ++i)
        ASSERT_STREQ(lines[i], back[i]) << i;
}

TEST(LinesFileRead, LineEndsAndByteOrderMark)
{
    CScratchFolder dir;
    CString path = dir.Path(L"r.txt");
    CStringArray lines = ReadBack(path, "one\r\ntwo\r\n", FALSE);
    ASSERT_EQ(2, lines.GetSize());
    lines = ReadBack(path, "one\r\ntwo", FALSE);
    ASSERT_EQ(2, lines.GetSize());
    EXPECT_STREQ(L"two", lines[1]);

    // A bare LF ends a line too.
    lines = ReadBack(path, "a\nb\rc\r\n\nd", FALSE);
    ASSERT_EQ(5, lines.GetSize());
    EXPECT_STREQ(L"a", lines[0]);
    EXPECT_STREQ(L"b", lines[1]);
    EXPECT_STREQ(L"c", lines[2]);
    EXPECT_STREQ(L"", lines[3]);
    EXPECT_STREQ(L"d", lines[4]);

    // The mark is dropped at the start of the file only, in both modes.
    lines = ReadBack(path, "\xEF\xBB\xBFhead\r\n", TRUE);
    ASSERT_EQ(1, lines.GetSize());
    EXPECT_STREQ(L"head", lines[0]);
    lines = ReadBack(path, "\xEF\xBB\xBFhead", FALSE);
    EXPECT_STREQ(L"head", lines[0]);

    // Not UTF-8: taken as ANSI.
    lines = ReadBack(path, "caf\xE9\r\n\xC3\xA9", TRUE);
    ASSERT_EQ(2, lines.GetSize());
    EXPECT_STREQ(L"caf\u00E9", lines[0]);
    EXPECT_STREQ(L"\u00E9", lines[1]);
}

TEST(LinesFileRead, LinesAcrossReadBlocks)
{
    CScratchFolder dir;
    CString path = dir.Path(L"blocks.txt");
    const size_t kBlock = 1048576;
    // A CR LF split by the block boundary, then a long line across the next boundary.
    std::string first(kBlock - 1, 'a');
    std::string bytes = first + "\r\n" + std::string(kBlock + 100, 'b') + "\r\nend";
    CStringArray lines = ReadBack(path, bytes, FALSE);
    ASSERT_EQ(3, lines.GetSize());
    EXPECT_EQ((int)kBlock - 1, lines[0].GetLength());
    EXPECT_EQ((int)kBlock + 100, lines[1].GetLength());
    EXPECT_STREQ(L"end", lines[2]);

    bytes = std::string(kBlock - 1, 'a') + "\r" + "\r\nz";
    lines = ReadBack(path, bytes, FALSE);
    ASSERT_EQ(3, lines.GetSize());
    EXPECT_STREQ(L"", lines[1]);
}

TEST(LinesFileRead, LockedFileIsReadOnceReleased)
{
    CScratchFolder dir;
    CString path = dir.Path(L"locked file.txt");
    WriteBytes(path, "held\r\nlines");
    CString command;
    command.Format(L"\"%ssupport_probe.exe\" lock \"%s\" 1500", ProgramFolder().GetString(), path.GetString());
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    for (int i = 0; i < 500 && !FileExists(path + L".held"); ++i)
        Sleep(10);
    ASSERT_TRUE(FileExists(path + L".held"));

    DWORD start = GetTickCount();
    CStringArray lines;
    EXPECT_TRUE(CLinesFile(path).ReadLines(lines, FALSE, TRUE));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 800u);
    ASSERT_EQ(2, lines.GetSize());
    EXPECT_STREQ(L"lines", lines[1]);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

TEST(LinesFileErrors, MessagesAndLastError)
{
    CScratchFolder dir;
    CQuietLinesFile missing(dir.Path(L"none.txt"));
    CStringArray lines;
    EXPECT_FALSE(missing.ReadLines(lines, TRUE, FALSE));
    EXPECT_FALSE(missing.m_strLastError.IsEmpty());
    ASSERT_EQ(1, missing.m_shown.GetSize());
    EXPECT_STREQ(L"Error opening " + missing.m_strPath + L" -\n \n" + missing.m_strLastError, missing.m_shown[0]);

    CQuietLinesFile badFolder(dir.Path(L"no\\such\\file.txt"));
    EXPECT_FALSE(badFolder.Write(Lines({L"x"}), FALSE));
    EXPECT_EQ(0, badFolder.m_shown.GetSize());
    EXPECT_FALSE(badFolder.Write(Lines({L"x"}), TRUE));
    ASSERT_EQ(1, badFolder.m_shown.GetSize());
    EXPECT_EQ(0, badFolder.m_shown[0].Find(L"Error creating "));
}

TEST(LinesFile, DefaultPathAndDeleteAndWait)
{
    CAppPaths paths;
    CLinesFile scratch;
    EXPECT_STREQ(paths.GetWorkFolder() + L"\\Qxm Tmp.txt", scratch.m_strPath);

    CScratchFolder dir;
    CLinesFile file(dir.Path(L"d.txt"));
    DWORD start = GetTickCount();
    file.DeleteAndWait();
    EXPECT_LT(GetTickCount() - start, 1000u);
    ASSERT_TRUE(file.Write(Lines({L"x"}), FALSE));
    file.DeleteAndWait();
    EXPECT_FALSE(FileExists(file.m_strPath));
}
