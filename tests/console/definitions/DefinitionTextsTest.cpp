#include "alarmmodel/AlarmVocabulary.h"
#include "console/definitions/DefinitionTexts.h"

#include <gtest/gtest.h>

namespace
{
CStringArray Lines(std::initializer_list<const wchar_t*> lines)
{
    CStringArray arr;
    for (const wchar_t* psz : lines)
        arr.Add(psz);
    return arr;
}
} // namespace

TEST(DefinitionTextsTest, CriterionValuesTravelBetweenStoredAndDisplayedFormsUnchanged)
{
    UINT nField = 0;
    UINT nOperator = 9;
    CString strValues;
    ASSERT_TRUE(ParseStoredCriterion(L"101:0:disk\x0C" L"full", nField, nOperator, strValues));
    EXPECT_EQ(101u, nField);
    EXPECT_EQ(0u, nOperator);
    EXPECT_EQ(CString(L"disk\t , \tfull"), CriterionValuesForDisplay(strValues));
    EXPECT_EQ(CString(L"101:0:disk\x0C" L"full"),
              FormatStoredCriterion(nField, nOperator, CriterionValuesFromDisplay(CriterionValuesForDisplay(strValues))));
    // A colon inside the values belongs to them.
    ASSERT_TRUE(ParseStoredCriterion(L"7:3:a:b", nField, nOperator, strValues));
    EXPECT_EQ(CString(L"a:b"), strValues);
}

TEST(DefinitionTextsTest, CriteriaWithoutBothIdsAreRefused)
{
    UINT nField = 0;
    UINT nOperator = 0;
    CString strValues;
    EXPECT_FALSE(ParseStoredCriterion(L":0:disk", nField, nOperator, strValues));
    EXPECT_FALSE(ParseStoredCriterion(L"101::disk", nField, nOperator, strValues));
    EXPECT_FALSE(ParseStoredCriterion(L"101:0", nField, nOperator, strValues));
    UINT nKind = 0;
    EXPECT_FALSE(ParseStoredAction(L"no colon", nKind, strValues));
    ASSERT_TRUE(ParseStoredAction(L"2:C:\\sounds\\bell.wav", nKind, strValues));
    EXPECT_EQ(2u, nKind);
    EXPECT_EQ(CString(L"C:\\sounds\\bell.wav"), strValues);
}

TEST(DefinitionTextsTest, ValuesSplitIntoSixPartsAndJoinWithoutEmptyOnes)
{
    CStringArray arrParts;
    SplitCriterionValues(L"a\x0C" L"b\x0C" L"c\x0C" L"d\x0C" L"e\x0C" L"f\x0C" L"g", arrParts, 6);
    ASSERT_EQ(6, arrParts.GetSize());
    EXPECT_EQ(CString(L"f"), arrParts[5]);
    SplitCriterionValues(L"only", arrParts, 6);
    ASSERT_EQ(6, arrParts.GetSize());
    EXPECT_TRUE(arrParts[1].IsEmpty());
    EXPECT_EQ(CString(L"a\x0C" L"c"), JoinCriterionValues(Lines({L"", L"a", L"", L"c"})));
    EXPECT_TRUE(JoinCriterionValues(Lines({L"", L""})).IsEmpty());
}

TEST(DefinitionTextsTest, ClipboardRecordGivesItsClassAndFields)
{
    EXPECT_EQ(2u, ClipboardRecordClass(Lines({L"Header", L"QuorvexClass=2", L"QuorvexClass=3"})));
    EXPECT_EQ(0u, ClipboardRecordClass(Lines({L"QuorvexClass=x"})));
    EXPECT_EQ(ALARM_SOURCE_UNKNOWN, ClipboardRecordClass(Lines({L"quorvexclass=2"})));
    CString strLabel;
    CString strValue;
    ASSERT_TRUE(ParseClipboardField(L"Quorvex:Trap=link=down", strLabel, strValue));
    EXPECT_EQ(CString(L"Trap"), strLabel);
    EXPECT_EQ(CString(L"link=down"), strValue);
    EXPECT_FALSE(ParseClipboardField(L"Quorvex:=value", strLabel, strValue));
    EXPECT_FALSE(ParseClipboardField(L"quorvex:Trap=x", strLabel, strValue));
    CStringArray arrLines;
    SplitClipboardText(L"a\r\n\r\nb\nc", arrLines);
    ASSERT_EQ(4, arrLines.GetSize());
    EXPECT_TRUE(arrLines[1].IsEmpty());
    SplitClipboardText(L"", arrLines);
    EXPECT_EQ(0, arrLines.GetSize());
}

TEST(DefinitionTextsTest, RowTextsShowDashesForNoLimitAndTheLimitsOtherwise)
{
    CAlarmDefinition definition;
    definition.m_nClass = 2;
    definition.m_strTitle = L"Disk";
    CStringArray arrTexts;
    DefinitionRowTexts(definition, arrTexts);
    ASSERT_EQ(8, arrTexts.GetSize());
    EXPECT_EQ(TriggerSourceName(2), arrTexts[0]);
    EXPECT_EQ(CString(L"Disk"), arrTexts[1]);
    for (int i : {2, 3, 4, 5})
        EXPECT_EQ(CString(L"-"), arrTexts[i]) << i;
    definition.m_nRepeatSecs = 300;
    definition.m_nThresholdCount = 3;
    definition.m_nThresholdSecs = 60;
    definition.m_strAssignedTo = L"Ops";
    DefinitionRowTexts(definition, arrTexts);
    EXPECT_EQ(CString(L"Ops"), arrTexts[2]);
    EXPECT_EQ(CString(L"300 secs"), arrTexts[4]);
    EXPECT_EQ(CString(L"3 in 60 secs"), arrTexts[5]);
}
