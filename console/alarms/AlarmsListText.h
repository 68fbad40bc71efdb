// The texts of the outstanding-alarms list that do not need a window: the clock it ages rows
// by, the age column, the "From" value of a match text and the status-change log block.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/CTime.h"

#include <functional>

class CDBException;

// The driver's message as the window's error lines give it: at most 1024 characters.
CString DatabaseErrorText(const CDBException& e);

// The list's clock; an empty function restores the real one. Returns the clock in place.
typedef std::function<CTime()> AlarmsClockFunction;
AlarmsClockFunction SetAlarmsClock(AlarmsClockFunction fn);
CTime AlarmsNow();

// "%3d %02d:%02d:%02d" with days, else four blanks and "%02d:%02d:%02d".
CString FormatAlarmAge(long long nAgeSeconds);
// The value of the last "from" line (name compared without case); empty without one.
CString MatchTextFrom(const CString& strMatchText);
// The block a status change appends to the log.
CString StatusLogBlock(const wchar_t* pszStatus, const CString& strChanged);
