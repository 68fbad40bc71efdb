#include "alarmmodel/channels/CommandRunner.h"

#include "alarmmodel/channels/HiddenProcess.h"
#include "support/AppPaths.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace
{
CString TempFile(const wchar_t* pszName)
{
    return GetAppPaths().GetTempFolder() + L"\\" + pszName;
}

std::string BatchBytes()
{
    return ReadBytes(TempFile(L"BelvaneNetSendTestScript.bat"));
}

// The batch file runs with echo on: the interpreter shows its prompt (the folder it runs in) and
// the command before the command's own lines.
CStringArray WithoutEcho(const CStringArray& captured, const CString& strFolder = GetAppPaths().GetTempFolder())
{
    CString strPrompt = strFolder + L">";
    CStringArray lines;
    for (const CString& line : captured)
    {
        if (!line.IsEmpty() && line.Find(strPrompt) != 0)
            lines.Add(line);
    }
    return lines;
}

void ExpectLines(std::initializer_list<const wchar_t*> expected, const CStringArray& captured,
                 const CString& strFolder = GetAppPaths().GetTempFolder())
{
    CStringArray lines = Lines(expected);
    CStringArray actual = WithoutEcho(captured, strFolder);
    ASSERT_EQ(lines.GetSize(), actual.GetSize());
    for (int i = 0; i < lines.GetSize(); ++i)
        EXPECT_STREQ(lines[i], actual[i]) << "line " << i;
}
} // namespace

TEST(CommandRunner, CapturesStandardOutputAndErrorApart)
{
    CStringArray output, errors;
    RunCommandCaptured(L"echo first& echo second& echo trouble>&2", output, errors);

    EXPECT_EQ("echo first& echo second& echo trouble>&2\r\n", BatchBytes());
    ExpectLines({L"first", L"second"}, output);
    ExpectLines({L"trouble"}, errors);
}

TEST(CommandRunner, SilentCommandGivesNoLinesAndReplacesEarlierOutput)
{
    CStringArray output, errors;
    RunCommandCaptured(L"echo stale& echo stale>&2", output, errors);
    ASSERT_EQ(1, WithoutEcho(output).GetSize());

    RunCommandCaptured(L"@rem nothing", output, errors);
    EXPECT_EQ("@rem nothing\r\n", BatchBytes());
    EXPECT_EQ(0, output.GetSize());
    EXPECT_EQ(0, errors.GetSize());
}

// Where the volume keeps no short names, the temporary folder is the long one, blanks and all, and
// a folder name may hold characters that the interpreter reads as its own (& ^ ( ) and a % pair
// naming a variable).
TEST(CommandRunner, RunsInAFolderWhoseNameTheInterpreterWouldSplitOrExpand)
{
    CScratchFolder scratch(L"net send & 100%PATH%^ (x)");
    CString strFolder = scratch.Folder().Left(scratch.Folder().GetLength() - 1);
    CStringArray output, errors;
    RunCommandCaptured(L"echo first& echo trouble>&2", strFolder, output, errors);

    ExpectLines({L"first"}, output, strFolder);
    ExpectLines({L"trouble"}, errors, strFolder);
    EXPECT_EQ("echo first& echo trouble>&2\r\n", ReadBytes(scratch.Path(L"BelvaneNetSendTestScript.bat")));
    EXPECT_EQ(3, CountFiles(scratch.Folder()));
}

// A command the interpreter could not read as written is refused before anything runs, and the
// previous run's output is not handed back as this run's.
TEST(CommandRunner, RefusesWhatTheBatchFileCannotCarry)
{
    CStringArray output, errors;
    RunCommandCaptured(L"echo earlier", output, errors);
    ASSERT_EQ(1, WithoutEcho(output).GetSize());

    RunCommandCaptured(L"echo \u4E2D\u6587", output, errors);
    EXPECT_EQ(0, output.GetSize());
    ASSERT_EQ(1, errors.GetSize());
    EXPECT_NE(-1, errors[0].Find(L"console code page"));
    EXPECT_FALSE(FileExists(TempFile(L"BelvaneNetSendTestOutput.txt")));

    RunCommandCaptured(L"echo one\r\necho two", output, errors);
    EXPECT_EQ(0, output.GetSize());
    ASSERT_EQ(1, errors.GetSize());
    EXPECT_EQ(0, errors[0].Find(L"The command must be one line"));

    // The interpreter ends a batch line at Ctrl-Z: the rest would run as a command of its own.
    for (const wchar_t* pszCommand : {L"echo one\x1A echo two", L"echo \x1B[2J", L"echo a\tb", L"echo \x7F"})
    {
        RunCommandCaptured(pszCommand, output, errors);
        EXPECT_EQ(0, output.GetSize()) << CStringA(pszCommand).GetString();
        ASSERT_EQ(1, errors.GetSize()) << CStringA(pszCommand).GetString();
        EXPECT_EQ(0, errors[0].Find(L"The command must not hold control characters: "))
            << CStringA(errors[0]).GetString();
    }
}

// Another run holding the work files does not hide why a command is refused.
TEST(CommandRunner, RefusalNeedsNoWorkFile)
{
    HANDLE hBusy = ::CreateFileW(TempFile(L"BelvaneNetSendTestOutput.txt"), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hBusy);
    CStringArray output, errors;
    RunCommandCaptured(L"echo one\x1A echo two", output, errors);
    ASSERT_EQ(1, errors.GetSize());
    EXPECT_EQ(0, errors[0].Find(L"The command must not hold control characters: ")) << CStringA(errors[0]).GetString();
    RunCommandCaptured(L"echo one", output, errors);
    ASSERT_EQ(1, errors.GetSize());
    EXPECT_NE(-1, errors[0].Find(L"it is in use")) << CStringA(errors[0]).GetString();
    ::CloseHandle(hBusy);
}

// The interpreter reads its batch file in the OEM code page (437 here): an accented letter
// must be stored as that page's byte, not as its ANSI one.
TEST(CommandRunner, BatchFileIsWrittenInTheOemCodePage)
{
    ASSERT_EQ(437u, GetOEMCP());
    CStringArray output, errors;
    RunCommandCaptured(L"@echo caf\u00E9>nul", output, errors);
    EXPECT_EQ("@echo caf\x82>nul\r\n", BatchBytes());
    EXPECT_EQ(0, output.GetSize());
    EXPECT_EQ(0, errors.GetSize());
}

TEST(CommandRunner, StartFailureNamesCommandAndReason)
{
    CString strError;
    EXPECT_FALSE(RunHiddenProcess(L"C:\\no-such-folder\\none.exe /x", L"", strError));
    EXPECT_EQ(0, strError.Find(L"Cannot start C:\\no-such-folder\\none.exe /x: "));
    EXPECT_GT(strError.GetLength(), 45);
}

TEST(NetSend, EscapesTheTypedTextForTheInterpreter)
{
    EXPECT_STREQ(L"NET SEND srv01 Disk full", FormatNetSendCommand(L"srv01 Disk full"));
    EXPECT_STREQ(L"NET SEND srv01 CPU 95%% ^& rising", FormatNetSendCommand(L"srv01 CPU 95% & rising"));
    EXPECT_STREQ(L"a ^| b ^< c ^> d ^^ e", EscapeForBatchLine(L"a | b < c > d ^ e"));
    // Inside quotes the interpreter takes those characters literally already.
    EXPECT_STREQ(L"\"x & y\" ^& \"100%%\"", EscapeForBatchLine(L"\"x & y\" & \"100%\""));
}

// What is escaped reaches the program exactly as typed, and runs nothing.
TEST(NetSend, EscapedTextArrivesAsTyped)
{
    const wchar_t* typed = L"CPU 95% & rising > gone.txt | sort ^ %PATH% \"quoted & kept\"";
    CStringArray output, errors;
    RunCommandCaptured(L"echo " + EscapeForBatchLine(typed), output, errors);
    ExpectLines({typed}, output);
    EXPECT_EQ(0, errors.GetSize());
    EXPECT_FALSE(FileExists(TempFile(L"gone.txt")));
}

// Wine's NET has no SEND command: it answers with its usage text, which is captured.
TEST(NetSend, RunsForRealAndCapturesTheAnswer)
{
    CStringArray output, errors;
    RunCommandCaptured(FormatNetSendCommand(L"srv01 Disk full"), output, errors);
    EXPECT_EQ("NET SEND srv01 Disk full\r\n", BatchBytes());
    EXPECT_GT(output.GetSize() + errors.GetSize(), 0);
}
