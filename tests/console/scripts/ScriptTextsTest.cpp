#include "console/scripts/CSampleScripts.h"
#include "console/scripts/ScriptTexts.h"

#include <gtest/gtest.h>

namespace
{
const CString strBegin(szClassVariablesBegin);
const CString strEnd(szClassVariablesEnd);

CStringArray Names(std::initializer_list<const wchar_t*> names)
{
    CStringArray arr;
    for (const wchar_t* psz : names)
        arr.Add(psz);
    return arr;
}
} // namespace

TEST(ClassVariablesTest, BlockGoesAboveTheFirstCodeLineOrAtTheEndOfComments)
{
    CString strScript = L"' comment\r\nWScript.Echo 1";
    EnsureClassVariables(strScript, CString());
    EXPECT_EQ(L"' comment\r\n\r\n" + strBegin + L"\r\n" + strEnd + L"\r\n\r\nWScript.Echo 1", strScript);

    strScript = L"WScript.Echo 1";
    EnsureClassVariables(strScript, CString());
    EXPECT_EQ(L"\r\n" + strBegin + L"\r\n" + strEnd + L"\r\n\r\nWScript.Echo 1", strScript);

    strScript = L"' one\n' two";
    EnsureClassVariables(strScript, CString());
    EXPECT_EQ(L"' one\r\n' two\r\n\r\n" + strBegin + L"\r\n" + strEnd + L"\r\n", strScript);

    // An empty line counts as the first line that is not a comment.
    strScript = L"' one\r\n\r\nx = 1";
    EnsureClassVariables(strScript, CString());
    EXPECT_EQ(L"' one\r\n\r\n" + strBegin + L"\r\n" + strEnd + L"\r\n\r\n\r\nx = 1", strScript);
}

TEST(ClassVariablesTest, VariablesGoAboveTheBlocksEndAndNoSecondBlockIsMade)
{
    CString strLine = ClassVariableLine(101, L"Event Log", L"Message");
    EXPECT_EQ(CString(L"Const str101 = \"\"\t' Event Log => Message"), strLine);
    CString strScript = L"x = 1";
    EnsureClassVariables(strScript, strLine);
    EnsureClassVariables(strScript, strLine);
    EXPECT_EQ(L"\r\n" + strBegin + L"\r\n" + strLine + L"\r\n" + strLine + L"\r\n" + strEnd + L"\r\n\r\nx = 1",
              strScript);

    // Only the block's end line is looked for.
    strScript = L"x = 1\r\n" + strEnd;
    EnsureClassVariables(strScript, strLine);
    EXPECT_EQ(L"x = 1\r\n" + strLine + L"\r\n" + strEnd, strScript);
}

TEST(ClassVariablesTest, DiagnosticLinesFollowTheBlockOrNothingChanges)
{
    CString strScript = strBegin + L"\r\nDim str101 : str101 = \"Message\"\r\n" + strEnd + L"\r\nx = 1";
    ASSERT_TRUE(AddDiagnosticLines(strScript, Names({L"str101", L"str7"})));
    EXPECT_EQ(strBegin + L"\r\nDim str101 : str101 = \"Message\"\r\n" + strEnd +
                  L"\r\n\r\n' {{DIAGNOSTICS\r\nWScript.Echo \"str101 = \" + str101\r\n"
                  L"WScript.Echo \"str7 = \" + str7\r\n' }}DIAGNOSTICS\r\n\r\nx = 1",
              strScript);

    CString strPlain = L"x = 1\r\ny = 2";
    EXPECT_FALSE(AddDiagnosticLines(strPlain, Names({L"str101"})));
    EXPECT_EQ(CString(L"x = 1\r\ny = 2"), strPlain);
}

TEST(SampleScriptsTest, TitlesAreSortedAndEachIndexesItsBody)
{
    const char text[] = "preamble\r\n>'  Zeta  \r\nz1\r\nz2\r\n>'alpha\r\na1\r\n>'Beta\r\n>'alpha\r\na2\r\na3";
    CSampleScripts samples;
    samples.Parse(text, sizeof text - 1);
    const CStringArray& titles = samples.GetTitles();
    ASSERT_EQ(4, titles.GetSize());
    // Plain character order: capitals first; a title met twice is listed twice.
    EXPECT_STREQ(L"Beta", titles[0]);
    EXPECT_STREQ(L"Zeta", titles[1]);
    EXPECT_STREQ(L"alpha", titles[2]);
    EXPECT_STREQ(L"alpha", titles[3]);

    CStringArray body;
    samples.GetBody(L"Zeta", body);
    ASSERT_EQ(2, body.GetSize());
    EXPECT_STREQ(L"z1", body[0]);
    EXPECT_STREQ(L"z2", body[1]);
    samples.GetBody(L"Beta", body);
    EXPECT_EQ(0, body.GetSize());
    // The later sample of a title is the one kept.
    samples.GetBody(L"alpha", body);
    ASSERT_EQ(2, body.GetSize());
    EXPECT_STREQ(L"a2", body[0]);
    EXPECT_STREQ(L"a3", body[1]);
    samples.GetBody(L"preamble", body);
    EXPECT_EQ(0, body.GetSize());
}

// The program's own samples: titled, each with a body.
TEST(SampleScriptsTest, TheResourceHoldsSamples)
{
    CSampleScripts samples;
    ASSERT_TRUE(samples.LoadResource(161));
    ASSERT_GE(samples.GetTitles().GetSize(), 3);
    for (int i = 0; i < samples.GetTitles().GetSize(); ++i)
    {
        CStringArray body;
        samples.GetBody(samples.GetTitles()[i], body);
        EXPECT_GT(body.GetSize(), 0) << i;
        for (int k = 0; k < body.GetSize(); ++k)
            EXPECT_EQ(-1, body[k].Find(L'\r'));
    }
}
