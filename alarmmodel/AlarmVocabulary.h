// The fixed vocabulary of alarms: trigger sources, record fields, match operators and action
// kinds. Definitions and alarm rows store only the numeric ids; labels are looked up here.
#pragma once

#include "framework/core/CUIntArray.h"
#include "framework/Framework.h"

// Pseudo source ids: every source in field lists, and the answer for an unknown name.
const UINT ALARM_SOURCE_ALL = 998;
const UINT ALARM_SOURCE_UNKNOWN = 999;

enum AlarmFieldKind : UINT
{
    ALARM_FIELD_TIMESTAMP = 1,
    ALARM_FIELD_TEXT = 2,
};

enum MatchOperatorId : UINT
{
    MATCH_TEXT_CONTAINS = 0,
    MATCH_TEXT_EXACT = 1,
    MATCH_TEXT_NOT_CONTAINS = 2,
    MATCH_NUMBER_EQUAL = 3,
    MATCH_NUMBER_NOT_EQUAL = 4,
    MATCH_NUMBER_LESS = 5,
    MATCH_NUMBER_LESS_EQUAL = 6,
    MATCH_NUMBER_GREATER = 7,
    MATCH_NUMBER_GREATER_EQUAL = 8,
};

enum ActionKindId : UINT
{
    ACTION_EMAIL = 0,
    ACTION_SMS = 1,
    ACTION_SOUND = 2,
    ACTION_NET_SEND = 3,
    ACTION_SPEECH = 4,
    ACTION_SCRIPT = 5,
};

struct TriggerSourceRow
{
    UINT nId;
    const wchar_t* pszName;
    const wchar_t* pszDescription;
};

struct AlarmFieldRow
{
    UINT nSource;
    UINT nField;
    const wchar_t* pszColumn;
    const wchar_t* pszLabel;
    UINT nKind;
};

struct MatchOperatorRow
{
    UINT nId;
    const wchar_t* pszLabel;
    const wchar_t* pszWord;
    // "or": one matching alternative suffices; "and": every alternative must match.
    const wchar_t* pszJoin;
};

struct ActionTypeRow
{
    UINT nId;
    const wchar_t* pszName;
};

const int TriggerSourceCount = 5;
const int AlarmFieldCount = 57;
const int MatchOperatorCount = 9;
const int ActionTypeCount = 6;

extern const TriggerSourceRow TriggerSourceTable[TriggerSourceCount];
extern const AlarmFieldRow AlarmFieldTable[AlarmFieldCount];
extern const MatchOperatorRow MatchOperatorTable[MatchOperatorCount];
extern const ActionTypeRow ActionTypeTable[ActionTypeCount];

CString TriggerSourceName(UINT nSource);
UINT TriggerSourceFromName(const wchar_t* pszName);
void GetTriggerSources(CUIntArray& arrIds, CStringArray& arrNames);
void GetTriggerSourcesEx(CUIntArray& arrIds, CStringArray& arrNames, CStringArray& arrDescriptions);

// The first row with that column wins, so a column shared by several sources gives the field of
// the lowest-numbered source in table order; 0 when none.
UINT AlarmFieldIdFromColumn(const wchar_t* pszColumn);
// The field of that column in the source's own rows, else as AlarmFieldIdFromColumn.
UINT AlarmFieldIdForSource(UINT nSource, const wchar_t* pszColumn);
// The row of the field id; null when none.
const AlarmFieldRow* FindAlarmField(UINT nField);
void GetAlarmFields(UINT nSource, CUIntArray& arrFieldIds, CStringArray& arrColumns, CStringArray& arrLabels);
CString AlarmFieldLabelForSource(UINT nSource, const wchar_t* pszColumn);
CString AlarmFieldColumnName(UINT nField);
CString AlarmFieldLabel(UINT nField);

CString MatchOperatorLabel(UINT nOperator);
CString MatchOperatorWord(UINT nOperator);
// 0 when no operator has the label, which is also the id of "Text contains".
UINT MatchOperatorFromLabel(const wchar_t* pszLabel);
void GetMatchOperators(CUIntArray& arrIds, CStringArray& arrLabels);

CString ActionTypeName(UINT nKind);
