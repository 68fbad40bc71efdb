// The framework's exceptions: thrown as pointers, deleted by the handler that catches them.
#pragma once

#include <windows.h>

class CException
{
public:
    virtual ~CException() {}
    void Delete() { delete this; }
    // The message of the exception; FALSE when it has none.
    virtual BOOL GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
};

class CMemoryException : public CException
{
public:
    BOOL GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};
