// The outstanding-alarms window's work on the alarm table, and every SQL text it sends: the
// newest rows within the six filters, a status change of one alarm and the deletion of alarms,
// each alarm named by its prime key. One object is one connection to the configured data
// source; every failure is reported through the alarm database's report lines.
#pragma once

#include "framework/core/CString.h"
#include "framework/database/CDatabase.h"

#include <functional>
#include <vector>

class CAlarmsRecordset;
class CDBParameterList;

// The filters as a load applies them; an empty text filters nothing.
struct AlarmsFilterTexts
{
    CString strStatus;
    CString strFrom;
    CString strTitle;
    CString strAssignedTo;
    CString strPriority;
    CString strAge; // the timestamp of the age limit; empty for none
};
// The WHERE text: each filter a clause with a ? marker, joined by " AND ", its text added to
// the parameters in the markers' order; an age text that is no exact timestamp is left out.
CString BuildAlarmsFilter(const AlarmsFilterTexts& filters, CDBParameterList& params);
// TRUE for exactly "YYYY-MM-DD HH:MM:SS" with digits in place.
BOOL IsTimestampText(const CString& strText);

class CAlarmsTable
{
public:
    enum WriteResult
    {
        kWritten,
        kMissing, // no alarm has the key (any longer)
        kFailed
    };

    CAlarmsTable() {}

    // FALSE after a reported failure; nothing else may be called then.
    BOOL Open();
    void Close();
    // The database's name as the driver gives it (an SQLite or Access file).
    CString DatabaseName() const;

    // The newest rows within the filters, at most nMax, each handed to fnRow; FALSE when no row
    // could be selected. A failure while reading keeps the rows handed over before it.
    BOOL ReadNewest(const AlarmsFilterTexts& filters, int nMax,
                    const std::function<void(const CAlarmsRecordset&)>& fnRow);
    // Appends the block to the alarm's log and sets its status; the log as written goes to
    // *pNewLog when given. An alarm deleted meanwhile is reported as missing.
    WriteResult WriteStatus(UINT nKey, const wchar_t* pszStatus, const CString& strBlock, CString* pNewLog);
    // Deletes the alarm when it is there.
    void DeleteAlarm(UINT nKey);
    // Deletes the alarms one after the other through one recordset, calling fnDone after each;
    // the first failure ends the run.
    void DeleteAlarms(const std::vector<UINT>& keys, const std::function<void()>& fnDone);

private:
    CDatabase m_database;
};
