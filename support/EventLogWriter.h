// Entries in the Windows Application event log under the program's own source, which is
// registered (with its message files) the first time a process writes.
#pragma once

#include "framework/core/CString.h"

// The event-log calls, replaceable so that a test can see what reaches the log.
class CEventLogApi
{
public:
    virtual ~CEventLogApi() {}
    virtual HANDLE Register(const wchar_t* pszSource);
    virtual BOOL Report(HANDLE hSource, WORD wType, WORD wCategory, DWORD dwEventId, PSID pUserSid,
                        const wchar_t* pszText);
    virtual BOOL Deregister(HANDLE hSource);
};

class CEventLogWriter
{
public:
    // TRUE when the entry was written; otherwise strError says why. A source that this user may
    // not register is still written to when it is registered already.
    BOOL Write(WORD wType, WORD wCategory, DWORD dwEventId, const wchar_t* pszText, CString& strError);
    // Creates or updates the source's key under the Application log.
    BOOL RegisterSource(CString& strError);

    // The program's source: "TervokAlarms" unless the program names its own at start-up. Another
    // name is registered anew at its first entry.
    static void SetSourceName(const wchar_t* pszSource);
    static const CString& GetSourceName();
    // Null restores the platform's calls.
    static void SetApi(CEventLogApi* pApi);
};
