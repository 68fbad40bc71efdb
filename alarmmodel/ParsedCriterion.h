// The parsed view of one criterion string "field:operator:values".
#pragma once

#include "framework/Framework.h"

class CParsedCriterion
{
public:
    explicit CParsedCriterion(const CString& strCriterion);

    BOOL m_bParsed;
    CString m_strColumn;
    CString m_strOperatorLabel;
    CString m_strFieldLabel;
    // The alternatives, separated by a form feed; may hold further colons.
    CString m_strValues;
    UINT m_nFieldId;
    UINT m_nOperatorId;
};
