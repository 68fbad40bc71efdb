#include "alarmmodel/database/ODBCTypeInfo.h"

CODBCTypeInfo::CODBCTypeInfo(CDatabase* pDatabase) : CRecordset(pDatabase) { m_nFields = 15; }

void CODBCTypeInfo::DoFieldExchange(CFieldExchange* pFX)
{
    RFX_Text(pFX, L"type_name", m_strTypeName);
    RFX_Long(pFX, L"data_type", m_nDataType);
    RFX_Long(pFX, L"precision", m_nPrecision);
    RFX_Text(pFX, L"literal_prefix", m_strLiteralPrefix);
    RFX_Text(pFX, L"literal_suffix", m_strLiteralSuffix);
    RFX_Text(pFX, L"create_params", m_strCreateParams);
    RFX_Long(pFX, L"nullable", m_nNullable);
    RFX_Long(pFX, L"case_sensitive", m_nCaseSensitive);
    RFX_Long(pFX, L"searchable", m_nSearchable);
    RFX_Long(pFX, L"unsigned_attribute", m_nUnsignedAttribute);
    RFX_Long(pFX, L"money", m_nMoney);
    RFX_Long(pFX, L"auto_increment", m_nAutoIncrement);
    RFX_Text(pFX, L"local_type_name", m_strLocalTypeName);
    RFX_Long(pFX, L"minimum_scale", m_nMinimumScale);
    RFX_Long(pFX, L"maximum_scale", m_nMaximumScale);
}

BOOL CODBCTypeInfo::Open(UINT nOpenType, const wchar_t* /*pszSQL*/, DWORD dwOptions)
{
    if (nOpenType == AFX_DB_USE_DEFAULT_TYPE)
        nOpenType = m_nDefaultType;
    PrepareOpen(nOpenType, dwOptions);
    CompleteOpen(CallUntilDone([&] { return SQLGetTypeInfoW(m_hstmt, m_nSqlType); }));
    return TRUE;
}

void CODBCTypeInfo::LoadAll()
{
    m_arrCreateParams.RemoveAll();
    m_arrLiteralPrefix.RemoveAll();
    m_arrLiteralSuffix.RemoveAll();
    m_arrLocalTypeName.RemoveAll();
    m_arrTypeName.RemoveAll();
    for (std::vector<long>* pList : {&m_arrAutoIncrement, &m_arrCaseSensitive, &m_arrDataType, &m_arrMaximumScale,
                                     &m_arrMinimumScale, &m_arrMoney, &m_arrNullable, &m_arrSearchable,
                                     &m_arrUnsignedAttribute, &m_arrPrecision})
        pList->clear();
    for (; IsOpen() && !IsEOF(); MoveNext())
    {
        m_arrCreateParams.Add(m_strCreateParams);
        m_arrLiteralPrefix.Add(m_strLiteralPrefix);
        m_arrLiteralSuffix.Add(m_strLiteralSuffix);
        m_arrLocalTypeName.Add(m_strLocalTypeName);
        m_arrTypeName.Add(m_strTypeName);
        m_arrAutoIncrement.push_back(OrMinusOne(m_nAutoIncrement));
        m_arrCaseSensitive.push_back(m_nCaseSensitive);
        m_arrDataType.push_back(m_nDataType);
        m_arrMaximumScale.push_back(OrMinusOne(m_nMaximumScale));
        m_arrMinimumScale.push_back(OrMinusOne(m_nMinimumScale));
        m_arrMoney.push_back(m_nMoney);
        m_arrNullable.push_back(m_nNullable);
        m_arrSearchable.push_back(m_nSearchable);
        m_arrUnsignedAttribute.push_back(OrMinusOne(m_nUnsignedAttribute));
        m_arrPrecision.push_back(m_nPrecision);
    }
}
