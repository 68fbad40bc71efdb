// Connect strings as they may be shown: in a log line, a box or a trace.
#pragma once

#include "framework/core/CString.h"

// The connect string with the value of every PWD and Password attribute (any case, braced or
// not) replaced by "********"; an empty password stays empty.
CString MaskConnectPasswords(const wchar_t* pszConnect);
