#include "framework/database/CDBException.h"

#include <sqlext.h>

#include <cwchar>

namespace
{
// A driver message starts with its origin, the bracketed names of the components that
// produced it ("[unixODBC][Driver Manager]...").
int OriginLength(const CString& strMessage)
{
    int n = 0;
    while (n < strMessage.GetLength() && strMessage[n] == L'[')
    {
        int nClose = strMessage.Find(L']', n);
        if (nClose < 0)
            break;
        n = nClose + 1;
    }
    return n;
}

void AppendLine(CString& strText, const CString& strLine)
{
    if (!strText.IsEmpty())
        strText += L'\n';
    strText += strLine;
}
} // namespace

CDBException::CDBException(SQLRETURN nRetCode) : m_nRetCode(nRetCode), m_nNativeError(0) {}

CDBException::CDBException(SQLRETURN nRetCode, const wchar_t* pszError)
    : m_nRetCode(nRetCode), m_strError(pszError), m_nNativeError(0)
{
}

void CDBException::BuildErrorString(SQLSMALLINT nHandleType, SQLHANDLE hHandle)
{
    if (hHandle == SQL_NULL_HANDLE)
        return;
    for (SQLSMALLINT nRecord = 1;; nRecord++)
    {
        SQLWCHAR szState[SQL_SQLSTATE_SIZE + 1] = {0};
        SQLWCHAR szMessage[SQL_MAX_MESSAGE_LENGTH + 1] = {0};
        SQLINTEGER nNative = 0;
        SQLSMALLINT nLength = 0;
        SQLRETURN nRet = SQLGetDiagRecW(nHandleType, hHandle, nRecord, szState, &nNative, szMessage,
                                        SQL_MAX_MESSAGE_LENGTH + 1, &nLength);
        if (nRet != SQL_SUCCESS && nRet != SQL_SUCCESS_WITH_INFO)
            break;
        CString strMessage((const wchar_t*)szMessage);
        strMessage.TrimRight();
        int nOrigin = OriginLength(strMessage);
        if (nRecord == 1)
        {
            m_strSqlState = (const wchar_t*)szState;
            m_nNativeError = (long)nNative;
        }
        AppendLine(m_strError, strMessage.Mid(nOrigin));
        CString strState;
        strState.Format(L"State:%s,Native:%ld,Origin:%s", (const wchar_t*)szState, (long)nNative,
                        strMessage.Left(nOrigin).GetString());
        AppendLine(m_strStateNativeOrigin, strState);
    }
}

CString CDBException::GetErrorMessage() const
{
    if (!m_strError.IsEmpty())
        return m_strError;
    CString strText;
    strText.Format(L"ODBC call failed with return code %d.", (int)m_nRetCode);
    return strText;
}

BOOL CDBException::GetErrorMessage(wchar_t* pszError, UINT nMaxError) const
{
    if (pszError == nullptr || nMaxError == 0)
        return FALSE;
    CString strText = GetErrorMessage();
    wcsncpy(pszError, strText, nMaxError - 1);
    pszError[nMaxError - 1] = 0;
    return TRUE;
}

void CDBException::Check(SQLRETURN nRetCode, SQLSMALLINT nHandleType, SQLHANDLE hHandle)
{
    if (nRetCode == SQL_SUCCESS || nRetCode == SQL_SUCCESS_WITH_INFO)
        return;
    CDBException e(nRetCode);
    e.BuildErrorString(nHandleType, hHandle);
    throw e;
}
