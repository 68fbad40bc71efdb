#include "alarmmodel/AlarmVocabulary.h"

// Row order is the order in which lists are filled.
const TriggerSourceRow TriggerSourceTable[TriggerSourceCount] = {
    {3, L"Quorvex: ALL Data", L"Triggered by All Data records from the Quorvex central service"},
    {4, L"Quorvex: OpenVMS", L"Triggered by OpenVMS records from the Quorvex central service"},
    {2, L"Quorvex: SNMP", L"Triggered by SNMP records from the Quorvex central service"},
    {1, L"Quorvex: Syslog", L"Triggered by Syslog records from the Quorvex central service"},
    {0, L"Quorvex: Windows", L"Triggered by Windows records from the Quorvex central service"},
};

const AlarmFieldRow AlarmFieldTable[AlarmFieldCount] = {
    {0, 101, L"FLD_RECEIVED_ADDRESS", L"From (Address)", ALARM_FIELD_TEXT},
    {0, 102, L"FLD_RECEIVED_NAME", L"From", ALARM_FIELD_TEXT},
    {0, 103, L"FLD_MACHINE_NAME", L"Computer", ALARM_FIELD_TEXT},
    {0, 104, L"FLD_ARCHIVED", L"Archived", ALARM_FIELD_TIMESTAMP},
    {0, 105, L"FLD_LOGFILE", L"Logfile", ALARM_FIELD_TEXT},
    {0, 106, L"FLD_EVENT_ID", L"ID", ALARM_FIELD_TEXT},
    {0, 107, L"FLD_EVENT_TYPE", L"Type", ALARM_FIELD_TEXT},
    {0, 108, L"FLD_EVENT_CATEGORY", L"Category", ALARM_FIELD_TEXT},
    {0, 109, L"FLD_SOURCE_NAME", L"Source", ALARM_FIELD_TEXT},
    {0, 110, L"FLD_HOST_COMPUTER_NAME", L"Agent Name", ALARM_FIELD_TEXT},
    {0, 111, L"FLD_HOST_DESCRIPTION", L"Agent Description", ALARM_FIELD_TEXT},
    {0, 112, L"FLD_USERNAME", L"User", ALARM_FIELD_TEXT},
    {0, 113, L"FLD_TEXT", L"Text", ALARM_FIELD_TEXT},
    {1, 201, L"FLD_MESSAGE", L"Message", ALARM_FIELD_TEXT},
    {1, 202, L"FLD_PROCESS", L"Process", ALARM_FIELD_TEXT},
    {1, 203, L"FLD_ORIGINAL", L"Original", ALARM_FIELD_TEXT},
    {1, 204, L"FLD_TIMESTAMP", L"Timestamp", ALARM_FIELD_TIMESTAMP},
    {1, 205, L"FLD_TIME_WRITTEN", L"Archived", ALARM_FIELD_TIMESTAMP},
    {1, 206, L"FLD_RECEIVED_ADDRESS", L"From (Address)", ALARM_FIELD_TEXT},
    {1, 207, L"FLD_RECEIVED_NAME", L"From", ALARM_FIELD_TEXT},
    {1, 208, L"FLD_HOSTNAME", L"Hostname", ALARM_FIELD_TEXT},
    {1, 209, L"FLD_FACILITY", L"Facility", ALARM_FIELD_TEXT},
    {1, 210, L"FLD_SEVERITY", L"Severity", ALARM_FIELD_TEXT},
    {2, 301, L"FLD_RECEIVED_ADDRESS", L"From (Address)", ALARM_FIELD_TEXT},
    {2, 302, L"FLD_RECEIVED_NAME", L"From", ALARM_FIELD_TEXT},
    {2, 303, L"FLD_TIMESTAMP", L"Timestamp", ALARM_FIELD_TIMESTAMP},
    {2, 304, L"FLD_TRAP", L"Trap", ALARM_FIELD_TEXT},
    {2, 305, L"FLD_COMMUNITY", L"Community", ALARM_FIELD_TEXT},
    {2, 306, L"FLD_ENTERPRISE", L"Enterprise", ALARM_FIELD_TEXT},
    {2, 307, L"FLD_AGENT_ADDRESS", L"Agent", ALARM_FIELD_TEXT},
    {2, 308, L"FLD_SENDER_NAME", L"Sender", ALARM_FIELD_TEXT},
    {2, 309, L"FLD_SENDER_DESCRIPTION", L"Description", ALARM_FIELD_TEXT},
    {2, 310, L"FLD_SENDER_CONTACT", L"Contact", ALARM_FIELD_TEXT},
    {2, 311, L"FLD_SENDER_LOCATION", L"Location", ALARM_FIELD_TEXT},
    {2, 312, L"FLD_VAR_OID", L"Data: OID", ALARM_FIELD_TEXT},
    {2, 313, L"FLD_VAR_STRING", L"Data: String", ALARM_FIELD_TEXT},
    {2, 314, L"FLD_VAR_VALUE", L"Data: Value", ALARM_FIELD_TEXT},
    {3, 401, L"FLD_PRIME_KEY", L"Prime Key", ALARM_FIELD_TEXT},
    {3, 402, L"FLD_RECEIVED_ADDRESS", L"From (Address)", ALARM_FIELD_TEXT},
    {3, 403, L"FLD_RECEIVED_NAME", L"From", ALARM_FIELD_TEXT},
    {3, 404, L"FLD_FLAGS", L"Internal Flags", ALARM_FIELD_TEXT},
    {3, 405, L"FLD_READ", L"Read", ALARM_FIELD_TEXT},
    {3, 406, L"FLD_TIMESTAMP", L"Timestamp", ALARM_FIELD_TIMESTAMP},
    {3, 407, L"FLD_SEVERITY", L"Severity", ALARM_FIELD_TEXT},
    {3, 408, L"FLD_RECORD_TYPE", L"Record Type", ALARM_FIELD_TEXT},
    {3, 409, L"FLD_RECORD_LINK", L"Database Link", ALARM_FIELD_TEXT},
    {3, 410, L"FLD_RECORD_TEXT", L"Text", ALARM_FIELD_TEXT},
    {4, 501, L"FLD_RECEIVED_ADDR", L"From (Address)", ALARM_FIELD_TEXT},
    {4, 502, L"FLD_RECEIVED_NAME", L"From", ALARM_FIELD_TEXT},
    {4, 503, L"FLD_TIMESTAMP", L"Timestamp", ALARM_FIELD_TIMESTAMP},
    {4, 504, L"FLD_NODENAME", L"Nodename", ALARM_FIELD_TEXT},
    {4, 505, L"FLD_TYPE", L"Type", ALARM_FIELD_TEXT},
    {4, 506, L"FLD_SUBTYPE", L"Subtype", ALARM_FIELD_TEXT},
    {4, 507, L"FLD_EVENT", L"Event", ALARM_FIELD_TEXT},
    {4, 508, L"FLD_INFORMATION", L"Information", ALARM_FIELD_TEXT},
    {4, 509, L"FLD_USERNAME", L"Username", ALARM_FIELD_TEXT},
    {4, 510, L"FLD_MESSAGE", L"Message", ALARM_FIELD_TEXT},
};

const MatchOperatorRow MatchOperatorTable[MatchOperatorCount] = {
    {MATCH_TEXT_CONTAINS, L"Text contains", L"contains", L"or"},
    {MATCH_TEXT_EXACT, L"Text exact", L"=", L"or"},
    {MATCH_TEXT_NOT_CONTAINS, L"Text does not contain", L"does not contain", L"and"},
    {MATCH_NUMBER_EQUAL, L"Number equal to (=)", L"=", L"or"},
    {MATCH_NUMBER_NOT_EQUAL, L"Number not equal to (!=)", L"!=", L"and"},
    {MATCH_NUMBER_LESS, L"Number less than (<)", L"<", L"or"},
    {MATCH_NUMBER_LESS_EQUAL, L"Number less than or equal to (<=)", L"<=", L"or"},
    {MATCH_NUMBER_GREATER, L"Number greater than (>)", L">", L"or"},
    {MATCH_NUMBER_GREATER_EQUAL, L"Number greater than or equal to (>=)", L">=", L"or"},
};

const ActionTypeRow ActionTypeTable[ActionTypeCount] = {
    {ACTION_EMAIL, L"E-Mail"}, {ACTION_SMS, L"SMS"},       {ACTION_SOUND, L"Sound"},
    {ACTION_NET_SEND, L"Net Send"}, {ACTION_SPEECH, L"Speech"}, {ACTION_SCRIPT, L"Script"},
};

namespace
{
bool SameText(const wchar_t* a, const wchar_t* b)
{
    return b && wcscmp(a, b) == 0;
}

const TriggerSourceRow* FindSource(UINT nSource)
{
    for (const TriggerSourceRow& row : TriggerSourceTable)
        if (row.nId == nSource)
            return &row;
    return nullptr;
}

const MatchOperatorRow* FindOperator(UINT nOperator)
{
    for (const MatchOperatorRow& row : MatchOperatorTable)
        if (row.nId == nOperator)
            return &row;
    return nullptr;
}
} // namespace

const AlarmFieldRow* FindAlarmField(UINT nField)
{
    for (const AlarmFieldRow& row : AlarmFieldTable)
        if (row.nField == nField)
            return &row;
    return nullptr;
}

CString TriggerSourceName(UINT nSource)
{
    const TriggerSourceRow* row = FindSource(nSource);
    return row ? row->pszName : L"Unknown";
}

UINT TriggerSourceFromName(const wchar_t* pszName)
{
    for (const TriggerSourceRow& row : TriggerSourceTable)
        if (SameText(row.pszName, pszName))
            return row.nId;
    return ALARM_SOURCE_UNKNOWN;
}

void GetTriggerSources(CUIntArray& arrIds, CStringArray& arrNames)
{
    CStringArray descriptions;
    GetTriggerSourcesEx(arrIds, arrNames, descriptions);
}

void GetTriggerSourcesEx(CUIntArray& arrIds, CStringArray& arrNames, CStringArray& arrDescriptions)
{
    arrIds.RemoveAll();
    arrNames.RemoveAll();
    arrDescriptions.RemoveAll();
    for (const TriggerSourceRow& row : TriggerSourceTable)
    {
        arrIds.Add(row.nId);
        arrNames.Add(row.pszName);
        arrDescriptions.Add(row.pszDescription);
    }
}

UINT AlarmFieldIdFromColumn(const wchar_t* pszColumn)
{
    for (const AlarmFieldRow& row : AlarmFieldTable)
        if (SameText(row.pszColumn, pszColumn))
            return row.nField;
    return 0;
}

UINT AlarmFieldIdForSource(UINT nSource, const wchar_t* pszColumn)
{
    for (const AlarmFieldRow& row : AlarmFieldTable)
        if (row.nSource == nSource && SameText(row.pszColumn, pszColumn))
            return row.nField;
    return AlarmFieldIdFromColumn(pszColumn);
}

void GetAlarmFields(UINT nSource, CUIntArray& arrFieldIds, CStringArray& arrColumns, CStringArray& arrLabels)
{
    arrFieldIds.RemoveAll();
    arrColumns.RemoveAll();
    arrLabels.RemoveAll();
    for (const AlarmFieldRow& row : AlarmFieldTable)
    {
        if (nSource != ALARM_SOURCE_ALL && row.nSource != nSource)
            continue;
        arrFieldIds.Add(row.nField);
        arrColumns.Add(row.pszColumn);
        arrLabels.Add(row.pszLabel);
    }
}

CString AlarmFieldLabelForSource(UINT nSource, const wchar_t* pszColumn)
{
    for (const AlarmFieldRow& row : AlarmFieldTable)
        if (row.nSource == nSource && SameText(row.pszColumn, pszColumn))
            return row.pszLabel;
    return CString();
}

CString AlarmFieldColumnName(UINT nField)
{
    const AlarmFieldRow* row = FindAlarmField(nField);
    return row ? row->pszColumn : L"";
}

CString AlarmFieldLabel(UINT nField)
{
    const AlarmFieldRow* row = FindAlarmField(nField);
    return row ? row->pszLabel : L"";
}

CString MatchOperatorLabel(UINT nOperator)
{
    const MatchOperatorRow* row = FindOperator(nOperator);
    return row ? row->pszLabel : L"";
}

CString MatchOperatorWord(UINT nOperator)
{
    const MatchOperatorRow* row = FindOperator(nOperator);
    return row ? row->pszWord : L"";
}

UINT MatchOperatorFromLabel(const wchar_t* pszLabel)
{
    for (const MatchOperatorRow& row : MatchOperatorTable)
        if (SameText(row.pszLabel, pszLabel))
            return row.nId;
    return MATCH_TEXT_CONTAINS;
}

void GetMatchOperators(CUIntArray& arrIds, CStringArray& arrLabels)
{
    arrIds.RemoveAll();
    arrLabels.RemoveAll();
    for (const MatchOperatorRow& row : MatchOperatorTable)
    {
        arrIds.Add(row.nId);
        arrLabels.Add(row.pszLabel);
    }
}

CString ActionTypeName(UINT nKind)
{
    for (const ActionTypeRow& row : ActionTypeTable)
        if (row.nId == nKind)
            return row.pszName;
    return CString();
}
