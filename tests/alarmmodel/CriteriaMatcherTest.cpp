#include "alarmmodel/CriteriaMatcher.h"

#include <gtest/gtest.h>

namespace
{
const CString Alternatives(const wchar_t* a, const wchar_t* b)
{
    return CString(a) + L'\f' + b;
}

BOOL Match(const CString& values, const wchar_t* field, UINT op)
{
    return MatchCriterionValue(values, field, op);
}

struct Record
{
    CStringArray columns;
    CStringArray values;
    Record& Add(const wchar_t* column, const wchar_t* value)
    {
        columns.Add(column);
        values.Add(value);
        return *this;
    }
};
} // namespace

TEST(MatchTextContains, CaseOfAToZAndEmptyAlternatives)
{
    EXPECT_TRUE(Match(L"Disk", L"DISK FULL", 0));
    EXPECT_TRUE(Match(Alternatives(L"cpu", L"full"), L"disk full", 0));
    EXPECT_FALSE(Match(L"memory", L"disk full", 0));
    EXPECT_FALSE(Match(L"", L"disk full", 0));
    EXPECT_TRUE(Match(Alternatives(L"x", L""), L"disk", 0));
    // Letters beyond A-Z keep their case.
    EXPECT_FALSE(Match(L"\x00E4", L"\x00C4", 0));
}

TEST(MatchTextExact, WholeValueAnyAlternative)
{
    EXPECT_TRUE(Match(Alternatives(L"abc", L"def"), L"DEF", 1));
    EXPECT_FALSE(Match(L"abc", L"abcd", 1));
    EXPECT_FALSE(Match(L"", L"abc", 1));
}

TEST(MatchTextDoesNotContain, EveryAlternativeMustHold)
{
    const CString ab = Alternatives(L"a", L"b");
    EXPECT_FALSE(Match(ab, L"cab", 2));
    EXPECT_FALSE(Match(ab, L"CxB", 2));
    EXPECT_TRUE(Match(ab, L"xyz", 2));
    EXPECT_TRUE(Match(L"", L"xyz", 2));
}

TEST(MatchNumberEqual, LeadingNumbers)
{
    EXPECT_TRUE(Match(L"10", L"10 items", 3));
    EXPECT_TRUE(Match(Alternatives(L"1", L" -7"), L"-7", 3));
    EXPECT_FALSE(Match(L"10", L"11", 3));
    EXPECT_TRUE(Match(L"abc", L"xyz", 3));
}

TEST(MatchNumberNotEqual, EveryAlternativeMustHold)
{
    EXPECT_TRUE(Match(L"", L"5", 4));
    EXPECT_TRUE(Match(Alternatives(L"1", L"2"), L"3", 4));
    EXPECT_FALSE(Match(Alternatives(L"1", L"3"), L"3", 4));
}

TEST(MatchNumberLess, NonNumbersCountAsZero)
{
    EXPECT_TRUE(Match(L"10", L"9", 5));
    EXPECT_TRUE(Match(L"10", L"abc", 5));
    EXPECT_FALSE(Match(L"10", L"10", 5));
    EXPECT_FALSE(Match(L"-1", L"0", 5));
}

TEST(MatchNumberLessOrEqual, Boundary)
{
    EXPECT_TRUE(Match(L"10", L"10", 6));
    EXPECT_FALSE(Match(L"10", L"11", 6));
}

TEST(MatchNumberGreater, Boundary)
{
    EXPECT_TRUE(Match(L"10", L"11", 7));
    EXPECT_FALSE(Match(L"10", L"10", 7));
    EXPECT_TRUE(Match(Alternatives(L"100", L"5"), L"6", 7));
}

TEST(MatchNumberGreaterOrEqual, Boundary)
{
    EXPECT_TRUE(Match(L"10", L"10", 8));
    EXPECT_FALSE(Match(L"10", L"9", 8));
}

TEST(MatchAnyOperator, EmptyFieldAndUnknownOperatorNeverMatch)
{
    for (UINT op = 0; op <= 9; ++op)
        EXPECT_FALSE(Match(L"", L"", op)) << "operator " << op;
    EXPECT_FALSE(Match(L"x", L"x", 9));
    EXPECT_FALSE(Match(L"", L"x", 9));
}

TEST(TestDefinitionCriteria, ExplanationTexts)
{
    CAlarmDefinition d;
    d.m_arrCriteria.Add(L"113:0:disk");
    d.m_arrCriteria.Add(L"109:1:Srv");
    CString result = L"stale";

    Record hit;
    hit.Add(L"FLD_SOURCE_NAME", L"srv").Add(L"FLD_TEXT", L"Disk full");
    EXPECT_TRUE(TestDefinitionCriteria(d, hit.columns, hit.values, result));
    EXPECT_STREQ(L"Alarm", result);

    Record miss;
    miss.Add(L"FLD_TEXT", L"cpu hot").Add(L"FLD_SOURCE_NAME", L"Srv");
    EXPECT_FALSE(TestDefinitionCriteria(d, miss.columns, miss.values, result));
    EXPECT_STREQ(L"No match for field = Text, Text contains = disk", result);

    Record other;
    other.Add(L"FLD_MESSAGE", L"disk");
    EXPECT_FALSE(TestDefinitionCriteria(d, other.columns, other.values, result));
    EXPECT_STREQ(L"No criteria tested", result);

    CAlarmDefinition none;
    EXPECT_FALSE(TestDefinitionCriteria(none, hit.columns, hit.values, result));
    EXPECT_STREQ(L"No criteria tested", result);
}

TEST(TestDefinitionCriteria, FirstFailureStopsAndAbsentColumnsAreNotTested)
{
    CAlarmDefinition d;
    d.m_arrCriteria.Add(L"113:1:exact");
    d.m_arrCriteria.Add(L"113:0:never");
    d.m_arrCriteria.Add(L"201:0:syslog only");
    d.m_arrCriteria.Add(L"bad criterion");
    CString result;

    Record r;
    r.Add(L"FLD_TEXT", L"other");
    EXPECT_FALSE(TestDefinitionCriteria(d, r.columns, r.values, result));
    EXPECT_STREQ(L"No match for field = Text, Text exact = exact", result);

    // A column given twice is tested twice; the second copy fails.
    CAlarmDefinition one;
    one.m_arrCriteria.Add(L"113:0:disk");
    Record twice;
    twice.Add(L"FLD_TEXT", L"disk").Add(L"FLD_TEXT", L"cpu");
    EXPECT_FALSE(TestDefinitionCriteria(one, twice.columns, twice.values, result));

    // Column names are compared exactly.
    Record lower;
    lower.Add(L"fld_text", L"disk");
    EXPECT_FALSE(TestDefinitionCriteria(one, lower.columns, lower.values, result));
    EXPECT_STREQ(L"No criteria tested", result);

    // A record short of values does not crash; the missing value never matches.
    CStringArray columns, values;
    columns.Add(L"FLD_TEXT");
    EXPECT_FALSE(TestDefinitionCriteria(one, columns, values, result));
    EXPECT_STREQ(L"No match for field = Text, Text contains = disk", result);
}

TEST(FormatCriteriaText, OneLineForAllCriteria)
{
    CAlarmDefinition d;
    EXPECT_STREQ(L"", FormatCriteriaText(d));
    d.m_arrCriteria.Add(CString(L"113:0:") + Alternatives(L"disk", L"cpu"));
    d.m_arrCriteria.Add(L"unparsable");
    d.m_arrCriteria.Add(L"109:1:Srv");
    EXPECT_STREQ(L"'Text' contains 'disk' or 'cpu', 'Source' = 'Srv'", FormatCriteriaText(d));

    CAlarmDefinition negative;
    negative.m_arrCriteria.Add(CString(L"113:2:") + Alternatives(L"a", L"b"));
    negative.m_arrCriteria.Add(L"204:4:7");
    EXPECT_STREQ(L"'Text' does not contain 'a' or 'b', 'Timestamp' != '7'", FormatCriteriaText(negative));
}
