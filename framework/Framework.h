// The project's class layer in place of the platform's class library.
#pragma once

#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "framework/CTime.h"
#include "framework/CFile.h"
#include "framework/CStdioFile.h"
#include "framework/CWinApp.h"
