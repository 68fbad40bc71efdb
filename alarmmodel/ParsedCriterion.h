// The parsed view of one criterion string "field:operator:values".
#pragma once

#include "framework/Framework.h"

class CParsedCriterion
{
public:
    explicit CParsedCriterion(const CString& strCriterion);

    // The ids and where the values text starts, without building the texts; FALSE when the
    // criterion does not have the form.
    static BOOL Locate(const CString& strCriterion, UINT& nFieldId, UINT& nOperatorId, int& nValuesStart);

    BOOL m_bParsed;
    CString m_strColumn;
    CString m_strOperatorLabel;
    CString m_strFieldLabel;
    // The alternatives, separated by a form feed; may hold further colons.
    CString m_strValues;
    UINT m_nFieldId;
    UINT m_nOperatorId;
};
