// The named VBScript texts that script actions run, kept in the scripts file, and the filling
// of a script's class-variable block with the values of a record.
#pragma once

#include "alarmmodel/DefinitionFileBase.h"
#include "framework/core/CMapStringToString.h"
#include "framework/core/CUIntArray.h"

// Replaces form feed, line feed, carriage return and TAB by their eight-character escape
// texts, or the escape texts by the characters, so that one stored text takes one line.
void EscapeStoredText(CString& strText, BOOL bUnescape);

class CScriptDefinitionMap : public CDefinitionFileBase
{
public:
    CScriptDefinitionMap() {}
    virtual ~CScriptDefinitionMap() {}

    void SetScript(const wchar_t* pszName, const CString& strText);
    void RemoveScript(const wchar_t* pszName);
    void RenameScript(const wchar_t* pszOldName, const wchar_t* pszNewName, const CString& strText);
    // In the map's own enumeration order, unsorted.
    void GetNames(CStringArray& arrNames) const;
    // "" when absent.
    CString Lookup(const wchar_t* pszName) const;

    // The scripts file in the program folder.
    static CString DefaultPath();
    // The number of whole records read; with none (a missing, empty or cut file) the map
    // is kept as it was and 0 returned.
    int Load();
    int LoadFile(const wchar_t* pszPath);
    // The revision counter is raised only after the file was written whole.
    BOOL Save() const;
    BOOL SaveFile(const wchar_t* pszPath) const;

    // Turns each constant of the class-variable block ("Const str<field id> = """) into a
    // variable of the same name holding the field's value (at most 1024 characters) as a safe
    // VBScript string expression, and lists the names filled in block order.
    void BuildVbScript(const wchar_t* pszName, const CUIntArray& arrFieldIds, const CStringArray& arrValues,
                       CStringArray& arrConstantNames);
    void PrepareScript(const wchar_t* pszName, const CUIntArray& arrFieldIds, const CStringArray& arrValues);

private:
    int ParseLines(const CStringArray& arrLines);
    void Serialize(CStringArray& arrLines) const;

    CMapStringToString m_mapScripts;
};
