#include "framework/database/CFieldExchange.h"

#include <cstring>

void CFieldExchange::Add(const wchar_t* pszName, FieldKind nKind, void* pValue, int nMaxLength)
{
    m_fields.push_back(CFieldInfo{CString(pszName), nKind, pValue, nMaxLength, FALSE});
}

void RFX_Long(CFieldExchange* pFX, const wchar_t* pszName, long& value)
{
    pFX->Add(pszName, fieldLong, &value, 0);
}

// Every text column is exchanged as variable text; the type and scale are accepted for the
// callers' sake.
void RFX_Text(CFieldExchange* pFX, const wchar_t* pszName, CString& value, int nMaxLength,
              int /*nColumnType*/, short /*nScale*/)
{
    pFX->Add(pszName, fieldText, &value, nMaxLength);
}

void RFX_Date(CFieldExchange* pFX, const wchar_t* pszName, TIMESTAMP_STRUCT& value)
{
    pFX->Add(pszName, fieldTimestamp, &value, 0);
}

void RFX_Double(CFieldExchange* pFX, const wchar_t* pszName, double& value)
{
    pFX->Add(pszName, fieldDouble, &value, 0);
}

void SetFieldDefault(const CFieldInfo& field)
{
    CFieldValue empty;
    RestoreFieldValue(field, empty);
}

void SaveFieldValue(const CFieldInfo& field, CFieldValue& value)
{
    switch (field.nKind)
    {
    case fieldLong: value.lValue = *(long*)field.pValue; break;
    case fieldText: value.strValue = *(CString*)field.pValue; break;
    case fieldTimestamp: value.tsValue = *(TIMESTAMP_STRUCT*)field.pValue; break;
    case fieldDouble: value.dValue = *(double*)field.pValue; break;
    }
}

void RestoreFieldValue(const CFieldInfo& field, const CFieldValue& value)
{
    switch (field.nKind)
    {
    case fieldLong: *(long*)field.pValue = value.lValue; break;
    case fieldText: *(CString*)field.pValue = value.strValue; break;
    case fieldTimestamp: *(TIMESTAMP_STRUCT*)field.pValue = value.tsValue; break;
    case fieldDouble: *(double*)field.pValue = value.dValue; break;
    }
}

bool FieldValueEquals(const CFieldInfo& field, const CFieldValue& value)
{
    switch (field.nKind)
    {
    case fieldLong: return *(long*)field.pValue == value.lValue;
    case fieldText: return *(CString*)field.pValue == value.strValue;
    case fieldTimestamp:
        return memcmp(field.pValue, &value.tsValue, sizeof(TIMESTAMP_STRUCT)) == 0;
    case fieldDouble: return *(double*)field.pValue == value.dValue;
    }
    return false;
}
