// The agent's event message: fourteen tagged lines made of a record, its account, its category
// and message texts from the message files that the record's source has registered.
#pragma once

#include "agent/EventLog/EventRecord.h"
#include "framework/Framework.h"

class CEventRecordText
{
public:
    static void GetRecordMessage(const CString& strLogName, const CEventRecord& record, CString& strText);
    static void GetRecordCategory(const CString& strLogName, const CEventRecord& record, CString& strText);
    static CString GetAccountName(const CEventRecord& record);
    static void BuildMessageText(const CEventRecord& record, const CString& strLogName, const CString& strCategory,
                                 const CString& strAccount, const CString& strMessage, const CString& strData,
                                 CString& strMessageText);
    static BOOL LookupHostName(const CString& strDotted, CString& strHostName);
    // The records read between these calls are one pass: each source's message files are
    // looked up once for all of them.
    static void BeginPass();
    static void EndPass();

    // The most insertion strings a message takes, and the longest text that parameter
    // replacement may grow a message to.
    enum { MAX_INSERTS = 1024, MAX_MESSAGE_LENGTH = 65536 };

private:
    static CString SourceKey(const CString& strLogName, const CEventRecord& record);
    static HMODULE LoadMessageModule(int nIndex, const CString& strModule);
    static BOOL FormatFromModule(HMODULE hModule, const CEventRecord& record, const CStringArray& arrStrings,
                                 CString& strText);
    static BOOL ReplaceParameters(HMODULE hModule, CString& strText);
    static HMODULE LoadDataModule(const CString& strExpanded);
    static const CString& ComputerName();
    static CString HostDescription();
    static CString LookupHostDescription();

    enum { HOST_REFRESH_MS = 60000 };
};
