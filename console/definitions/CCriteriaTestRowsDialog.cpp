#include "console/definitions/CCriteriaTestRowsDialog.h"

BOOL CCriteriaTestRowsDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    for (int nRow = 0; nRow < nCriteriaTestRows; ++nRow)
    {
        if (nID == TestRowFieldId(nRow) && nCode == CBN_SELCHANGE)
        {
            OnFieldChosen(nRow);
            return TRUE;
        }
        if (nID == TestRowValueId(nRow) && nCode == EN_CHANGE)
        {
            Evaluate();
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}
