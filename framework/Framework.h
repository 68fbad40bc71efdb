// The project's class layer in place of the platform's class library.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/CStringArray.h"
#include "framework/core/CTime.h"
#include "framework/files/CFile.h"
#include "framework/files/CStdioFile.h"
#include "framework/window/CWinApp.h"
