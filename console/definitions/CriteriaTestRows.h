// The ids of row k's controls in the criteria test dialogs.
#pragma once

#include "resources/console/DefinitionsRes.h"

#include <windows.h>

const int nCriteriaTestRows = 4;

inline int TestRowFieldId(int k) { return IDC_TEST_FIELD0 + k; }
inline int TestRowValueId(int k) { return IDC_TEST_VALUE0 + k; }
inline int TestRowDisplayId(int k) { return IDC_TEST_DISPLAY0 + 3 * k; }
inline int TestRowMatchId(int k) { return IDC_TEST_DISPLAY0 + 3 * k + 1; }
inline int TestRowNoMatchId(int k) { return IDC_TEST_DISPLAY0 + 3 * k + 2; }
inline int TestRowMatchTextId(int k) { return IDC_TEST_MATCH_TEXT0 + k; }
inline int TestRowDisplayLabelId(int k) { return IDC_TEST_DISPLAY_LABEL0 + k; }
inline int TestRowMatchLabelId(int k) { return IDC_TEST_MATCH_LABEL0 + k; }
