// The four rows of the criteria test dialogs: the ids of row k's controls, and what a command
// from one of them means.
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

enum TestRowCommand
{
    TEST_ROW_NONE,
    TEST_ROW_FIELD_CHOSEN,
    TEST_ROW_VALUE_CHANGED,
};

// The meaning of a WM_COMMAND's wParam for the rows, with the row it came from.
TestRowCommand ParseTestRowCommand(WPARAM wParam, int& nRow);
