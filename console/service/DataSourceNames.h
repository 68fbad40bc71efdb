// The names of the ODBC data sources of this machine, user and system alike.
#pragma once

#include "support/StringEx.h"

// The names sorted case-sensitively; FALSE, with no names, when no ODBC environment is to be had.
BOOL ListDataSourceNames(CStringArrayEx& arrNames);
