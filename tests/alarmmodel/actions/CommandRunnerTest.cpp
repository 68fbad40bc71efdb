#include "alarmmodel/channels/CommandRunner.h"

#include "alarmmodel/channels/ConsoleTextFile.h"
#include "alarmmodel/channels/HiddenProcess.h"
#include "support/AppPaths.h"
#include "support/CodePageText.h"
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

// Where the interpreter runs instead of the work folder: an AutoRun's "cd\", or the Windows folder
// where cmd refuses a UNC current folder.
CString g_strElsewhere;

// Windows' interpreter with the registry's AutoRun and DelayedExpansion set, as Microsoft documents
// it (Wine's ignores both): the AutoRun runs first unless /D is given, and "!" marks a variable
// unless /V:OFF is given.
BOOL InterpreterWithRegistrySettings(const CString& strCommandLine, const CString& strFolder, CString& strError)
{
    CString strPlayed(strCommandLine);
    if (strPlayed.Find(L" /V:OFF ") < 0)
        strPlayed.Replace(L" /S /C ", L" /V:ON /S /C ");
    BOOL bAutoRun = strPlayed.Find(L" /D ") < 0;
    return StartHiddenProcess(strPlayed, bAutoRun ? g_strElsewhere : strFolder, strError);
}

BOOL InterpreterInAnotherFolder(const CString& strCommandLine, const CString&, CString& strError)
{
    return StartHiddenProcess(strCommandLine, g_strElsewhere, strError);
}

// Runs the command with that stand-in for the interpreter, which runs elsewhere when it leaves the
// work folder; TRUE when nothing it did landed there.
BOOL RunThrough(HiddenProcessFunction pfnInterpreter, const wchar_t* pszCommand, CStringArray& output,
                CStringArray& errors)
{
    CScratchFolder elsewhere(L"elsewhere");
    g_strElsewhere = elsewhere.Folder();
    HiddenProcessFunction pfnPrevious = SetHiddenProcessFunction(pfnInterpreter);
    RunCommandCaptured(pszCommand, output, errors);
    SetHiddenProcessFunction(pfnPrevious);
    return CountFiles(elsewhere.Folder()) == 0;
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

TEST(CommandRunner, TheRegistrysAutoRunAndDelayedExpansionChangeNothing)
{
    CStringArray output, errors;
    EXPECT_TRUE(RunThrough(InterpreterWithRegistrySettings, L"echo Disk !C! full", output, errors));
    ExpectLines({L"Disk !C! full"}, output);
    EXPECT_EQ(0, errors.GetSize());
}

TEST(CommandRunner, ACommandTheInterpreterDidNotRunIsSaidSo)
{
    CStringArray output, errors;
    RunThrough(InterpreterInAnotherFolder, L"echo Disk full", output, errors);
    EXPECT_EQ(0, output.GetSize());
    ASSERT_EQ(1, errors.GetSize());
    EXPECT_STREQ(L"The command was not run: echo Disk full", errors[0]);
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

UINT Utf8CodePage()
{
    return CP_UTF8;
}

// WideCharToMultiByte as Microsoft documents it for UTF-8, which Wine's does not enforce: the flags
// "must be set to either 0 or WC_ERR_INVALID_CHARS" and both default-character arguments null.
int WINAPI WindowsWideToUtf8(UINT nCodePage, DWORD dwFlags, LPCWCH pszWide, int nWide, LPSTR pszBytes, int nBytes,
                             LPCCH pszDefault, LPBOOL pbDefaultUsed)
{
    if (nCodePage == CP_UTF8 && ((dwFlags & ~(DWORD)WC_ERR_INVALID_CHARS) || pszDefault || pbDefaultUsed))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WideCharToMultiByte(nCodePage, dwFlags, pszWide, nWide, pszBytes, nBytes, pszDefault, pbDefaultUsed);
}

// With Windows' "Use Unicode UTF-8 for worldwide language support" the console code page is UTF-8:
// every character has its form there; only a text that is no UTF-16 (a lone surrogate) is refused.
TEST(CommandRunner, WhereTheConsoleCodePageIsUtf8TheBatchFileIsWrittenInIt)
{
    WideToMultiByteFunction pfnConvert = SetWideToMultiByteFunction(WindowsWideToUtf8);
    CodePageFunction pfnPrevious = SetOemCodePageFunction(Utf8CodePage);
    CStringArray output, errors, refused, ignored;
    RunCommandCaptured(L"echo Disk full", output, errors);
    RunCommandCaptured(L"@echo caf\u00E9 \u4E2D>nul", ignored, ignored);
    std::string strBatch = BatchBytes();
    RunCommandCaptured(L"echo \xD800", ignored, refused);
    SetOemCodePageFunction(pfnPrevious);
    SetWideToMultiByteFunction(pfnConvert);

    ExpectLines({L"Disk full"}, output);
    EXPECT_EQ(0, errors.GetSize());
    EXPECT_EQ("@echo caf\xC3\xA9 \xE4\xB8\xAD>nul\r\n", strBatch);
    ASSERT_EQ(1, refused.GetSize());
    EXPECT_NE(-1, refused[0].Find(L"console code page")) << CStringA(refused[0]).GetString();
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
