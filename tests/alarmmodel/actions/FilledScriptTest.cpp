// Record values filled into a script's class-variable block, run by the real script host: the
// script must compile and each value must arrive whole, whatever characters it holds.
#include "alarmmodel/ScriptDefinitionMap.h"
#include "alarmmodel/channels/ScriptRunner.h"

#include "support/AppPaths.h"
#include "support/StringEx.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace
{
// Each batch run gets a console of its own (see the script runner's tests).
const BOOL DetachedFromConsole = FreeConsole();

// Prints, per variable, its length and its characters as ANSI codes: Wine's host has no
// AscW, and its output passes the OEM code page, which would hide a wrong character.
const wchar_t EchoCodes[] = L"Function Codes(s)\r\n"
                            L"    Dim i, t\r\n"
                            L"    t = Len(s) & \":\"\r\n"
                            L"    For i = 1 To Len(s)\r\n"
                            L"        t = t & \" \" & Asc(Mid(s, i, 1))\r\n"
                            L"    Next\r\n"
                            L"    Codes = t\r\n"
                            L"End Function\r\n";

CString ExpectedCodes(const CString& value)
{
    CString text;
    text.Format(L"%d:", value.GetLength());
    for (int i = 0; i < value.GetLength(); ++i)
    {
        wchar_t ch = value[i];
        unsigned char byte = 0;
        WideCharToMultiByte(CP_ACP, 0, &ch, 1, (char*)&byte, 1, nullptr, nullptr);
        text.AppendFormat(L" %u", (unsigned)byte);
    }
    return text;
}

class FilledScriptTest : public ::testing::Test
{
protected:
    // The real host behind the stand-in that drops the time limit Wine's host refuses.
    void SetUp() override
    {
        GetAppPaths().MakeUserDataFolder();
        CScriptRunner::SetHostProgram(ProgramFolder() + L"script_host.exe");
    }
    void TearDown() override { CScriptRunner::SetHostProgram(L"cscript"); }

    // Fills constants 101, 102, ... with the values and returns the script's output.
    CStringArray RunFilled(const CStringArray& values)
    {
        CString script = L"' {{CLASS_VARIABLES (do not edit this block)\r\n";
        CUIntArray ids;
        for (int i = 0; i < values.GetSize(); ++i)
        {
            ids.Add(101 + i);
            script.AppendFormat(L"Const str%d = \"\"\t' Syslog => Field %d\r\n", 101 + i, i);
        }
        script += L"' }}CLASS_VARIABLES (do not edit this block)\r\n";
        script += EchoCodes;
        for (int i = 0; i < values.GetSize(); ++i)
            script.AppendFormat(L"WScript.Echo Codes(str%d)\r\n", 101 + i);
        script += L"WScript.Echo \"end\"\r\nWScript.Quit 0\r\n";

        CScriptDefinitionMap scripts;
        scripts.SetScript(L"t", script);
        scripts.PrepareScript(L"t", ids, values);
        CStringArray output;
        CScriptRunner(scripts.Lookup(L"t"), output);
        return output;
    }
};
} // namespace

TEST_F(FilledScriptTest, EveryValueReachesTheScriptWhole)
{
    const CStringArray values = Lines({L"disk \"X\" full", L"line one\r\nline two", L"a\rb\nc", L"\r\n",
                                       L"col\tcol", L"\"", L"\"\"", L"caf\u00E9 \u20AC\u0160", L"",
                                       L"x\" : WScript.Quit 7 : y = \"", L"' not a comment", L"\f\x01"});
    const CStringArray output = RunFilled(values);
    ASSERT_EQ(values.GetSize() + 1, output.GetSize()) << CStringA(CStringArrayEx(output).Join(L"\n")).GetString();
    for (int i = 0; i < values.GetSize(); ++i)
        EXPECT_STREQ(ExpectedCodes(values[i]), output[i]) << "value " << i;
    EXPECT_STREQ(L"end", output[values.GetSize()]);
}

// The longest value kept, a quote at the cut included, still compiles.
TEST_F(FilledScriptTest, LongValueWithQuotesIsCutAndRuns)
{
    CString value;
    for (int i = 0; i < 700; ++i)
        value += L"\"\r";
    const CStringArray output = RunFilled(Lines({value}));
    ASSERT_EQ(2, output.GetSize());
    EXPECT_STREQ(ExpectedCodes(value.Left(1024)), output[0]);
}
