#include "alarmmodel/database/ODBCTableInfo.h"

CODBCTableInfo::CODBCTableInfo(CDatabase* pDatabase) : CRecordset(pDatabase) { m_nFields = 5; }

void CODBCTableInfo::DoFieldExchange(CFieldExchange* pFX)
{
    RFX_Text(pFX, L"TABLE_QUALIFIER", m_strTableQualifier, 255, SQL_VARCHAR);
    RFX_Text(pFX, L"TABLE_OWNER", m_strTableOwner, 255, SQL_VARCHAR);
    RFX_Text(pFX, L"TABLE_NAME", m_strTableName, 255, SQL_VARCHAR);
    RFX_Text(pFX, L"TABLE_TYPE", m_strTableType, 255, SQL_VARCHAR);
    RFX_Text(pFX, L"REMARKS", m_strRemarks, 255, SQL_VARCHAR);
}

BOOL CODBCTableInfo::OpenCatalog(const wchar_t* pszTableName, const wchar_t* pszTableTypes, UINT nOpenType)
{
    if (m_pDatabase == nullptr || !m_pDatabase->IsOpen())
        return FALSE;
    SQLUSMALLINT bSupported = SQL_FALSE;
    SQLGetFunctions(m_pDatabase->m_hdbc, SQL_API_SQLTABLES, &bSupported);
    if (bSupported != SQL_TRUE)
        return FALSE;
    PrepareOpen(nOpenType, readOnly);
    SQLWCHAR* pszName = (SQLWCHAR*)pszTableName;
    SQLWCHAR* pszTypes = (SQLWCHAR*)pszTableTypes;
    CompleteOpen(CallUntilDone([&] {
        return SQLTablesW(m_hstmt, nullptr, 0, nullptr, 0, pszName, pszName ? SQL_NTS : 0, pszTypes,
                          pszTypes ? SQL_NTS : 0);
    }));
    return TRUE;
}

void CODBCTableInfo::LoadTables()
{
    if (OpenCatalog(nullptr, L"TABLE", snapshot))
        LoadAll();
}

void CODBCTableInfo::LoadAll()
{
    m_arrNames.RemoveAll();
    m_arrTypes.RemoveAll();
    m_arrQualifiers.RemoveAll();
    m_arrOwners.RemoveAll();
    m_arrRemarks.RemoveAll();
    if (!IsOpen() || IsBOF())
        return;
    for (MoveFirst(); !IsEOF(); MoveNext())
    {
        m_arrNames.Add(m_strTableName);
        m_arrTypes.Add(m_strTableType);
        m_arrQualifiers.Add(m_strTableQualifier);
        m_arrOwners.Add(m_strTableOwner);
        m_arrRemarks.Add(m_strRemarks);
    }
}

BOOL CODBCTableInfo::HasTable(const wchar_t* pszName) const
{
    for (const CString& strName : m_arrNames)
        if (strName == pszName)
            return TRUE;
    return FALSE;
}
