#include "console/CriteriaTestRows.h"

TestRowCommand ParseTestRowCommand(WPARAM wParam, int& nRow)
{
    int nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    for (nRow = 0; nRow < nCriteriaTestRows; ++nRow)
    {
        if (nID == TestRowFieldId(nRow) && nCode == CBN_SELCHANGE)
            return TEST_ROW_FIELD_CHOSEN;
        if (nID == TestRowValueId(nRow) && nCode == EN_CHANGE)
            return TEST_ROW_VALUE_CHANGED;
    }
    return TEST_ROW_NONE;
}
