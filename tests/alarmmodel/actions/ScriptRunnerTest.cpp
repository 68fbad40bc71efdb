#include "alarmmodel/channels/ScriptRunner.h"

#include "support/AppPaths.h"
#include "support/StringEx.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace
{
// The console program has no console, so each batch run gets its own. Sharing this test
// program's console instead, Wine's script host leaves its redirected output file held open
// by the console until this process ends.
const BOOL DetachedFromConsole = FreeConsole();

CString DataFile(const wchar_t* pszName)
{
    return GetAppPaths().GetUserDataFolder() + pszName;
}

std::string Narrow(const CString& s)
{
    return std::string(CStringA(s).GetString());
}

std::string ExpectedBatch(const CString& strCommand)
{
    std::string folder = Narrow(GetAppPaths().GetUserDataFolder());
    std::string command = Narrow(strCommand);
    return "ECHO OFF\r\nECHO #++\r\nECHO #\r\n"
           "ECHO #   TERVOK DOS Command file to run VBS script TervokScript.vbs\r\n"
           "ECHO #\r\nECHO #   Change Directory\r\nECHO #\r\n"
           "CHDIR " + folder + "\r\nCD\r\n"
           "ECHO #\r\nECHO #   Command\r\nECHO #\r\n"
           "ECHO \"" + command + "\"\r\n"
           "ECHO # {{--Script-Start--}}\r\n" + command + "\r\nECHO # {{--Script-End--}}\r\n"
           "ECHO #\r\nECHO #   Finished\r\nECHO #\r\nECHO #--\r\n";
}

void ExpectLines(std::initializer_list<const wchar_t*> expected, const CStringArray& actual)
{
    CStringArray lines = Lines(expected);
    ASSERT_EQ(lines.GetSize(), actual.GetSize()) << Narrow(CStringArrayEx(actual).Join(L"\n"));
    for (int i = 0; i < lines.GetSize(); ++i)
        EXPECT_STREQ(lines[i], actual[i]) << "line " << i;
}

class ScriptRunnerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GetAppPaths().MakeUserDataFolder();
        ASSERT_FALSE(GetAppPaths().GetUserDataFolder().IsEmpty());
    }
    void TearDown() override { CScriptRunner::SetHostProgram(L"cscript"); }

    // Wine's cscript refuses the time limit and a few other switches; a stand-in drops them.
    void UseStandInHost() { CScriptRunner::SetHostProgram(ProgramFolder() + L"script_host.exe"); }
};

const wchar_t* const LoopAndFunction =
    L"Function Square(n)\r\n"
    L"    Square = n * n\r\n"
    L"End Function\r\n"
    L"Dim i\r\n"
    L"For i = 1 To 3\r\n"
    L"    WScript.Echo \"square \" & i & \" = \" & Square(i)\r\n"
    L"Next\r\n"
    L"WScript.Quit 0\r\n";
} // namespace

// Wine's own script host runs the real VBScript when no refused switch is given.
TEST_F(ScriptRunnerTest, RealHostRunsLoopAndFunctionBetweenTheMarkers)
{
    CStringArray script = Lines({L"Function Square(n)", L"    Square = n * n", L"End Function",
                                 L"Dim i", L"For i = 1 To 3",
                                 L"    WScript.Echo \"square \" & i & \" = \" & Square(i)", L"Next",
                                 L"WScript.Quit 0"});
    CStringArray output;
    CScriptRunner runner(FALSE, FALSE, TRUE, FALSE, 0, TRUE, script, output);

    EXPECT_EQ(ExpectedBatch(L"cscript //Nologo  TervokScript.vbs"),
              ReadBytes(DataFile(L"TervokDosScript.bat")));
    ExpectLines({L"square 1 = 1", L"square 2 = 4", L"square 3 = 9"}, output);
}

TEST_F(ScriptRunnerTest, ScriptTextRunsWithTimeLimitAndNoBanner)
{
    UseStandInHost();
    CStringArray output;
    output.Add(L"left over");
    CScriptRunner runner(LoopAndFunction, output);

    CString strCommand = CScriptRunner::GetHostProgram() + L" //Nologo //T:60 TervokScript.vbs";
    EXPECT_EQ(ExpectedBatch(strCommand), ReadBytes(DataFile(L"TervokDosScript.bat")));
    ExpectLines({L"square 1 = 1", L"square 2 = 4", L"square 3 = 9"}, output);
}

TEST_F(ScriptRunnerTest, SingleEchoGivesThatLine)
{
    UseStandInHost();
    CStringArray output;
    CScriptRunner(L"WScript.Echo \"hi\"", output);
    ExpectLines({L"hi"}, output);
}

// Nothing between the markers: the whole batch run comes back, markers and all.
TEST_F(ScriptRunnerTest, SilentScriptReturnsEveryLineOfTheRun)
{
    UseStandInHost();
    CStringArray output;
    CScriptRunner(L"Dim x\nx = 1\n", output);
    CStringArrayEx lines(output);
    EXPECT_TRUE(lines.Contains(L"#++"));
    EXPECT_TRUE(lines.Contains(L"# {{--Script-Start--}}"));
    EXPECT_TRUE(lines.Contains(L"# {{--Script-End--}}"));
    EXPECT_STREQ(L"#--", output[output.GetSize() - 1]);
}

TEST_F(ScriptRunnerTest, OptionsInOrderWithoutTimeLimit)
{
    UseStandInHost();
    CStringArray output;
    CScriptRunner(TRUE, FALSE, FALSE, TRUE, 0, TRUE, Lines({L"WScript.Echo \"opt\""}), output);
    CString strCommand = CScriptRunner::GetHostProgram() + L" //D //Logo //U  TervokScript.vbs";
    EXPECT_EQ(ExpectedBatch(strCommand), ReadBytes(DataFile(L"TervokDosScript.bat")));
    ExpectLines({L"opt"}, output);
}

// Characters beyond Latin-1 must not cut the script short. Those of the ANSI code page keep
// the script in that page, which every host reads.
TEST_F(ScriptRunnerTest, AnsiCharactersBeyondLatin1RunWhole)
{
    UseStandInHost();
    CStringArray output;
    CScriptRunner(L"' \u20AC comment\nDim s\ns = \"\u20AC\u0160\u017D\"\n"
                  L"WScript.Echo \"length \" & Len(s)\nWScript.Echo \"after\"\nWScript.Quit 0",
                  output);
    ExpectLines({L"length 3", L"after"}, output);
    EXPECT_EQ(0u, ReadBytes(DataFile(L"TervokScript.vbs")).find("' \x80 comment\r\n"));
}

// Others turn the whole script into UTF-16 behind a byte-order mark (Wine's host cannot read
// that form; Windows' does).
TEST_F(ScriptRunnerTest, OtherCharactersStoreTheScriptAsUtf16)
{
    UseStandInHost();
    CStringArray output;
    CScriptRunner(L"s = \"\u03A9\u4E2D\"\nWScript.Echo Len(s)", output);
    std::wstring expected = L"\xFEFFs = \"\u03A9\u4E2D\"\r\nWScript.Echo Len(s)\r\n";
    EXPECT_EQ(std::string((const char*)expected.data(), expected.size() * sizeof(wchar_t)),
              ReadBytes(DataFile(L"TervokScript.vbs")));
}

// The output of an earlier run never passes for a run that produced none.
TEST_F(ScriptRunnerTest, HostThatCannotStartLeavesNoStaleOutput)
{
    UseStandInHost();
    CStringArray output;
    CScriptRunner(L"WScript.Echo \"earlier\"", output);
    ASSERT_EQ(1, output.GetSize());

    CScriptRunner::SetHostProgram(L"C:\\no-such-folder\\host.exe");
    CScriptRunner(L"WScript.Echo \"later\"", output);
    for (const CString& line : output)
        EXPECT_EQ(-1, line.Find(L"earlier"));
}

// A work file held open elsewhere cannot be replaced: the run is refused rather than its old
// content read back as this run's output.
TEST_F(ScriptRunnerTest, HeldOutputFileRefusesTheRun)
{
    UseStandInHost();
    CStringArray output;
    CScriptRunner(L"WScript.Echo \"earlier\"", output);
    HANDLE hHeld = CreateFileW(DataFile(L"TervokDosOutput.txt"), GENERIC_READ, FILE_SHARE_READ,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    CScriptRunner(L"WScript.Echo \"later\"", output);
    CloseHandle(hHeld);
    ExpectLines({L"Cannot replace " + DataFile(L"TervokDosOutput.txt") + L": it is in use"}, output);
}

// The host's Unicode output (//U, UTF-16LE as Windows' host writes it) arrives whole: umlauts,
// CJK, a line of 100,000 characters, and what the script wrote to standard error. The batch
// lines around it stay in the console code page.
TEST_F(ScriptRunnerTest, UnicodeOutputArrivesWholeAlsoWhenLong)
{
    CScriptRunner::SetHostProgram(ProgramFolder() + L"echo_host.exe");
    CString strLong(L'\u00E9', 100000);
    CStringArray script = Lines({L"WScript.Echo \"Gr\u00FC\u00DFe \u4E2D\u6587\"", L"WScript.Echo \"\""});
    script[1] = L"WScript.Echo \"" + strLong + L"\"";
    script.Add(L"WScript.StdErr.WriteLine \"Fehler: \u00C4rger \u65E5\u672C\"");
    CStringArray output;
    CScriptRunner(FALSE, FALSE, TRUE, TRUE, 0, TRUE, script, output);
    ASSERT_EQ(3, output.GetSize()) << Narrow(CStringArrayEx(output).Join(L"\n").Left(300));
    EXPECT_STREQ(L"Gr\u00FC\u00DFe \u4E2D\u6587", output[0]);
    EXPECT_EQ(100000, output[1].GetLength());
    EXPECT_TRUE(output[1] == strLong);
    EXPECT_STREQ(L"Fehler: \u00C4rger \u65E5\u672C", output[2]);

    // All lines of the run: the batch's own lines around the host's are read as before.
    CScriptRunner(FALSE, FALSE, TRUE, TRUE, 0, FALSE, script, output);
    CStringArrayEx lines(output);
    EXPECT_TRUE(lines.Contains(L"# {{--Script-Start--}}"));
    EXPECT_TRUE(lines.Contains(L"Gr\u00FC\u00DFe \u4E2D\u6587"));
    EXPECT_TRUE(lines.Contains(L"# {{--Script-End--}}"));
    EXPECT_STREQ(L"#--", output[output.GetSize() - 1]);
}

// Without //U the host writes the console code page: umlauts arrive as they were written.
TEST_F(ScriptRunnerTest, ConsoleCodePageOutputKeepsUmlauts)
{
    CScriptRunner::SetHostProgram(ProgramFolder() + L"echo_host.exe");
    CStringArray output;
    CScriptRunner(FALSE, FALSE, TRUE, FALSE, 0, TRUE, Lines({L"WScript.Echo \"Gr\u00FC\u00DFe\""}), output);
    ExpectLines({L"Gr\u00FC\u00DFe"}, output);
}
