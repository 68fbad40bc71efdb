#include "alarmmodel/AlarmDefinitionList.h"
#include "alarmmodel/ParsedCriterion.h"

#include <gtest/gtest.h>

#include <ctime>

namespace
{
CAlarmDefinition* MakeDefinition(const wchar_t* pszTitle)
{
    CAlarmDefinition* d = new CAlarmDefinition;
    d->m_strTitle = pszTitle;
    return d;
}

CString Titles(const CAlarmDefinitionList& list)
{
    CString out;
    for (int i = 0; i < list.GetCount(); ++i)
        out += list.GetAt(i)->m_strTitle;
    return out;
}
} // namespace

TEST(AlarmDefinitionRecord, ClearCopyAndStamps)
{
    CAlarmDefinition d;
    EXPECT_TRUE(d.m_bActive);
    EXPECT_EQ(0, d.m_nClass);
    EXPECT_EQ(0, d.m_tCreated);

    d.m_bActive = FALSE;
    d.m_nRepeatSecs = 5;
    d.m_nClass = 3;
    d.m_nThresholdCount = 2;
    d.m_nThresholdSecs = 60;
    d.m_strTitle = L"Disk";
    d.m_strPriority = L"High";
    d.m_arrActions.Add(L"0:ops@example.com");
    d.m_arrCriteria.Add(L"113:0:disk");

    CAlarmDefinition copy;
    copy.CopyFrom(d);
    d.m_arrActions[0] = L"changed";
    EXPECT_FALSE(copy.m_bActive);
    EXPECT_EQ(3, copy.m_nClass);
    EXPECT_EQ(60, copy.m_nThresholdSecs);
    EXPECT_STREQ(L"High", copy.m_strPriority);
    ASSERT_EQ(1, copy.m_arrActions.GetSize());
    EXPECT_STREQ(L"0:ops@example.com", copy.m_arrActions[0]);

    copy.Clear();
    EXPECT_TRUE(copy.m_bActive);
    EXPECT_EQ(0, copy.m_nRepeatSecs + copy.m_nClass + copy.m_nThresholdCount + copy.m_nThresholdSecs);
    EXPECT_TRUE(copy.m_strTitle.IsEmpty() && copy.m_strPriority.IsEmpty());
    EXPECT_EQ(0, copy.m_arrActions.GetSize() + copy.m_arrCriteria.GetSize());

    __time32_t before = (__time32_t)time(nullptr);
    copy.StampCreated();
    EXPECT_GE(copy.m_tCreated, before);
    EXPECT_EQ(copy.m_tCreated, copy.m_tModified);
    copy.m_tModified = 0;
    copy.StampModified();
    EXPECT_GE(copy.m_tModified, before);
}

TEST(ParsedCriterion, WellFormedStrings)
{
    CParsedCriterion c(L"113:0:disk");
    EXPECT_TRUE(c.m_bParsed);
    EXPECT_EQ(113u, c.m_nFieldId);
    EXPECT_EQ(0u, c.m_nOperatorId);
    EXPECT_STREQ(L"FLD_TEXT", c.m_strColumn);
    EXPECT_STREQ(L"Text", c.m_strFieldLabel);
    EXPECT_STREQ(L"Text contains", c.m_strOperatorLabel);
    EXPECT_STREQ(L"disk", c.m_strValues);

    CParsedCriterion colons(L"113:2:a:b");
    EXPECT_TRUE(colons.m_bParsed);
    EXPECT_STREQ(L"a:b", colons.m_strValues);
    EXPECT_STREQ(L"Text does not contain", colons.m_strOperatorLabel);

    CParsedCriterion empty(L"204:5:");
    EXPECT_TRUE(empty.m_bParsed);
    EXPECT_STREQ(L"", empty.m_strValues);
    EXPECT_STREQ(L"FLD_TIMESTAMP", empty.m_strColumn);

    CParsedCriterion badField(L"abc:0:x");
    EXPECT_TRUE(badField.m_bParsed);
    EXPECT_EQ(0u, badField.m_nFieldId);
    EXPECT_STREQ(L"", badField.m_strColumn);
    EXPECT_STREQ(L"", badField.m_strFieldLabel);
}

TEST(ParsedCriterion, MalformedStringsStayUnparsed)
{
    for (const wchar_t* text : {L"113::x", L":0:x", L"113", L"", L"113:", L"113:0"})
    {
        CParsedCriterion c(text);
        EXPECT_FALSE(c.m_bParsed) << "criterion " << CStringA(text).GetString();
        EXPECT_TRUE(c.m_strColumn.IsEmpty());
        EXPECT_TRUE(c.m_strValues.IsEmpty());
    }
}

TEST(AlarmDefinitionListRemove, RepeatedUnsortedAndOutOfRangeIndexes)
{
    CAlarmDefinitionList list;
    int expected = 0;
    for (const wchar_t* t : {L"0", L"1", L"2", L"3", L"4"})
        EXPECT_EQ(expected++, list.Add(MakeDefinition(t)));

    CUIntArray indexes;
    indexes.Add(3);
    indexes.Add(1);
    list.RemoveAt(indexes);
    EXPECT_STREQ(L"024", Titles(list));

    CUIntArray repeated;
    repeated.Add(2);
    repeated.Add(0);
    repeated.Add(2);
    repeated.Add(99);
    list.RemoveAt(repeated);
    EXPECT_STREQ(L"2", Titles(list));

    list.RemoveAt(CUIntArray());
    EXPECT_EQ(1, list.GetCount());
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
}

TEST(AlarmDefinitionListPickLists, SortedCaseSensitiveWithoutDuplicates)
{
    CAlarmDefinitionList list;
    for (const wchar_t* p : {L"b", L"a", L"b", L"A"})
    {
        CAlarmDefinition* d = MakeDefinition(L"t");
        d->m_strPriority = p;
        d->m_strAssignedTo = p[0] == L'b' ? L"" : L"ops";
        list.Add(d);
    }
    EXPECT_STREQ(L"A,a,b", list.GetPriorityList().Join(L","));
    const CStringArrayEx& assigned = list.GetAssignedToList();
    ASSERT_EQ(2, assigned.GetSize());
    EXPECT_STREQ(L"", assigned[0]);
    EXPECT_STREQ(L"ops", assigned[1]);

    CAlarmDefinitionList empty;
    EXPECT_EQ(0, empty.GetPriorityList().GetSize());
}
