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
    CScriptDefinitionMap() : m_bDamaged(FALSE) {}
    virtual ~CScriptDefinitionMap() {}

    void SetScript(const wchar_t* pszName, const CString& strText);
    void RemoveScript(const wchar_t* pszName);
    void RenameScript(const wchar_t* pszOldName, const wchar_t* pszNewName, const CString& strText);
    // In the map's own enumeration order, unsorted.
    void GetNames(CStringArray& arrNames) const;
    // "" when absent.
    CString Lookup(const wchar_t* pszName) const;
    BOOL HasScript(const wchar_t* pszName) const;
    // Both maps hold the name with the same text, or neither holds it.
    BOOL SameScript(const CScriptDefinitionMap& other, const wchar_t* pszName) const;
    // The name with other's text, or removed when other lacks it.
    void TakeScript(const CScriptDefinitionMap& other, const wchar_t* pszName);
    // The names that this map and other hold differently (text, or present in one only).
    void GetChangedNames(const CScriptDefinitionMap& other, CStringArray& arrNames) const;
    // Replaces the content by other's, in other's enumeration order.
    void CopyFrom(const CScriptDefinitionMap& other);

    // The scripts file holds one byte a character: the index of the first character above
    // U+00FF (the euro sign, typographic quotes and dashes), -1 when there is none.
    static int FindUnstorableCharacter(const CString& strText);
    // The character at that index (a surrogate pair whole) and its code point, for messages.
    static CString DescribeCharacter(const CString& strText, int nIndex);
    // The file writes line feed, carriage return, TAB and form feed as escape texts of
    // EscapeTextLength characters, so the same text typed would read back as the character:
    // the index of the first one, -1 when there is none; strCharacter names its character.
    static int FindEscapeText(const CString& strText, CString& strCharacter);
    static const int EscapeTextLength = 8;

    // The scripts file in the program folder.
    static CString DefaultPath();
    // The number of whole records read; with none (a missing, empty or cut file) the map
    // is kept as it was and 0 returned. A record cut short (its end, title or text line
    // missing) sets m_bDamaged, and m_strError says which; the whole records are read.
    int Load();
    int LoadFile(const wchar_t* pszPath);
    // The revision counter is raised only after the file was written whole. FALSE, with the
    // file as it was and m_strError saying why, when a script holds a character or an escape
    // text the file cannot hold or the file cannot be written.
    BOOL Save();
    BOOL SaveFile(const wchar_t* pszPath);

    CString m_strError;
    // The last load met a record cut short: the file is not all there.
    BOOL m_bDamaged;

    // Turns each constant of the class-variable block ("Const str<field id> = """) into a
    // variable of the same name holding the field's value (at most 1024 characters) as a safe
    // VBScript string expression, and lists the names filled in block order.
    void BuildVbScript(const wchar_t* pszName, const CUIntArray& arrFieldIds, const CStringArray& arrValues,
                       CStringArray& arrConstantNames);
    void PrepareScript(const wchar_t* pszName, const CUIntArray& arrFieldIds, const CStringArray& arrValues);

private:
    // nCutRecord: the first record cut short (from 1), 0 when there is none.
    int ParseLines(const CStringArray& arrLines, int& nCutRecord);
    void ReportCutRecord(const wchar_t* pszPath, int nRecord);
    BOOL CheckStorable();
    BOOL CheckStorable(const CString& strName, const CString& strText);
    void Serialize(CStringArray& arrLines) const;

    CMapStringToString m_mapScripts;
};
