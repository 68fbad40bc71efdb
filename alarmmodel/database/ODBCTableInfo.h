// The data source's tables, read through the catalog function SQLTables.
#pragma once

#include "framework/database/CRecordset.h"
#include "framework/core/CStringArray.h"

class CODBCTableInfo : public CRecordset
{
public:
    explicit CODBCTableInfo(CDatabase* pDatabase);
    virtual ~CODBCTableInfo() {}

    // The tables of the given name (all when null) and types; FALSE when the driver has no
    // SQLTables. A failed call throws CDBException.
    BOOL OpenCatalog(const wchar_t* pszTableName, const wchar_t* pszTableTypes, UINT nOpenType);
    // Every table of type "TABLE".
    void LoadTables();
    void LoadAll();
    // Exact, case-sensitive.
    BOOL HasTable(const wchar_t* pszName) const;

    CString GetDefaultConnect() override { return CString(); }
    CString GetDefaultSQL() override { return CString(); }
    void DoFieldExchange(CFieldExchange* pFX) override;

    CString m_strTableQualifier;
    CString m_strTableOwner;
    CString m_strTableName;
    CString m_strTableType;
    CString m_strRemarks;

    CStringArray m_arrNames;
    CStringArray m_arrTypes;
    CStringArray m_arrQualifiers;
    CStringArray m_arrOwners;
    CStringArray m_arrRemarks;
};
