#include "alarmmodel/AlarmVocabulary.h"
#include "alarmmodel/NumberText.h"

#include <gtest/gtest.h>

TEST(VocabularyTriggerSources, TableOrderNamesAndUnknowns)
{
    CUIntArray ids;
    CStringArray names, descriptions;
    names.Add(L"stale");
    GetTriggerSourcesEx(ids, names, descriptions);
    ASSERT_EQ(5, ids.GetSize());
    ASSERT_EQ(5, names.GetSize());
    const UINT expected[] = {3, 4, 2, 1, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(expected[i], ids[i]);
    EXPECT_STREQ(L"Quorvex: ALL Data", names[0]);
    EXPECT_STREQ(L"Quorvex: Windows", names[4]);
    EXPECT_STREQ(L"Triggered by Syslog records from the Quorvex central service", descriptions[3]);

    CUIntArray shortIds;
    CStringArray shortNames;
    GetTriggerSources(shortIds, shortNames);
    EXPECT_EQ(5, shortIds.GetSize());
    EXPECT_STREQ(L"Quorvex: OpenVMS", shortNames[1]);

    EXPECT_STREQ(L"Quorvex: SNMP", TriggerSourceName(2));
    EXPECT_STREQ(L"Unknown", TriggerSourceName(7));
    EXPECT_STREQ(L"Unknown", TriggerSourceName(ALARM_SOURCE_ALL));
    EXPECT_EQ(1u, TriggerSourceFromName(L"Quorvex: Syslog"));
    EXPECT_EQ(999u, TriggerSourceFromName(L"Windows"));
    EXPECT_EQ(999u, TriggerSourceFromName(L"quorvex: windows"));
    EXPECT_EQ(999u, TriggerSourceFromName(nullptr));
}

TEST(VocabularyFields, CountsPerSourceAndIdNumbering)
{
    CUIntArray ids;
    CStringArray columns, labels;
    GetAlarmFields(ALARM_SOURCE_ALL, ids, columns, labels);
    ASSERT_EQ(57, ids.GetSize());
    EXPECT_EQ(57, labels.GetSize());

    const int perSource[] = {13, 10, 14, 10, 10};
    for (UINT source = 0; source < 5; ++source)
    {
        GetAlarmFields(source, ids, columns, labels);
        ASSERT_EQ(perSource[source], ids.GetSize()) << "source " << source;
        for (int k = 0; k < ids.GetSize(); ++k)
            EXPECT_EQ(source * 100 + 101 + (UINT)k, ids[k]) << "source " << source;
    }
    GetAlarmFields(1, ids, columns, labels);
    EXPECT_EQ(201u, ids[0]);
    EXPECT_EQ(210u, ids[9]);
    EXPECT_STREQ(L"FLD_TIME_WRITTEN", columns[4]);
    EXPECT_STREQ(L"Archived", labels[4]);

    GetAlarmFields(7, ids, columns, labels);
    EXPECT_EQ(0, ids.GetSize());
    EXPECT_EQ(0, columns.GetSize());
}

TEST(VocabularyFields, LookupsByColumnIdAndSource)
{
    EXPECT_EQ(204u, AlarmFieldIdFromColumn(L"FLD_TIMESTAMP"));
    EXPECT_EQ(101u, AlarmFieldIdFromColumn(L"FLD_RECEIVED_ADDRESS"));
    EXPECT_EQ(501u, AlarmFieldIdFromColumn(L"FLD_RECEIVED_ADDR"));
    EXPECT_EQ(0u, AlarmFieldIdFromColumn(L"fld_text"));
    EXPECT_EQ(0u, AlarmFieldIdFromColumn(nullptr));

    EXPECT_STREQ(L"From", AlarmFieldLabelForSource(1, L"FLD_RECEIVED_NAME"));
    EXPECT_STREQ(L"Username", AlarmFieldLabelForSource(4, L"FLD_USERNAME"));
    EXPECT_STREQ(L"User", AlarmFieldLabelForSource(0, L"FLD_USERNAME"));
    EXPECT_STREQ(L"", AlarmFieldLabelForSource(0, L"FLD_MESSAGE"));

    EXPECT_STREQ(L"FLD_TEXT", AlarmFieldColumnName(113));
    EXPECT_STREQ(L"Data: OID", AlarmFieldLabel(312));
    EXPECT_STREQ(L"FLD_RECORD_TEXT", AlarmFieldColumnName(410));
    EXPECT_STREQ(L"", AlarmFieldColumnName(0));
    EXPECT_STREQ(L"", AlarmFieldLabel(114));
}

TEST(VocabularyOperatorsAndActions, LabelsWordsAndFallbacks)
{
    CUIntArray ids;
    CStringArray labels;
    GetMatchOperators(ids, labels);
    ASSERT_EQ(9, ids.GetSize());
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ((UINT)i, ids[i]);
    EXPECT_STREQ(L"Number greater than or equal to (>=)", labels[8]);

    EXPECT_STREQ(L"Text does not contain", MatchOperatorLabel(2));
    EXPECT_STREQ(L"", MatchOperatorLabel(9));
    EXPECT_STREQ(L"=", MatchOperatorWord(1));
    EXPECT_STREQ(L"=", MatchOperatorWord(3));
    EXPECT_STREQ(L"!=", MatchOperatorWord(4));
    EXPECT_STREQ(L"", MatchOperatorWord(100));
    EXPECT_EQ(6u, MatchOperatorFromLabel(L"Number less than or equal to (<=)"));
    EXPECT_EQ(0u, MatchOperatorFromLabel(L"no such label"));
    EXPECT_EQ(0u, MatchOperatorFromLabel(L"text exact"));

    EXPECT_STREQ(L"E-Mail", ActionTypeName(0));
    EXPECT_STREQ(L"Net Send", ActionTypeName(3));
    EXPECT_STREQ(L"Script", ActionTypeName(5));
    EXPECT_STREQ(L"", ActionTypeName(6));
}

TEST(NumberFromText, SignsBlanksStopsAndWrap)
{
    EXPECT_EQ(0, NumberFromText(L""));
    EXPECT_EQ(0, NumberFromText(nullptr));
    EXPECT_EQ(0, NumberFromText(L"abc"));
    EXPECT_EQ(42, NumberFromText(L"42"));
    EXPECT_EQ(-17, NumberFromText(L"  -17x"));
    EXPECT_EQ(8, NumberFromText(L"\t+8 9"));
    EXPECT_EQ(0, NumberFromText(L"+-3"));
    EXPECT_EQ(0, NumberFromText(L"- 3"));
    EXPECT_EQ(12, NumberFromText(L"012"));
    // Written with "%u", read back to the same 32 bits.
    EXPECT_EQ(-1, NumberFromText(L"4294967295"));
    EXPECT_EQ((int)0x80000000u, NumberFromText(L"2147483648"));
    EXPECT_EQ(5, NumberFromText(L"4294967301"));
}
