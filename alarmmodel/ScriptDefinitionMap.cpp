#include "alarmmodel/ScriptDefinitionMap.h"

#include "support/StringEx.h"
#include "support/SystemErrorText.h"

namespace
{
enum ScriptTag : UINT
{
    TAG_NAME = 100,
    TAG_TEXT = 101,
};

struct EscapePair
{
    wchar_t ch;
    const wchar_t* pszEscape;
    const wchar_t* pszName;
};

const EscapePair EscapePairs[] = {
    {L'\f', L"{{-\\f-}}", L"a form feed"},
    {L'\n', L"{{-\\n-}}", L"a line feed"},
    {L'\r', L"{{-\\r-}}", L"a carriage return"},
    {L'\t', L"{{-\\t-}}", L"a TAB"},
};

// The lines of one record as they are read: a whole one has one title and one text line.
struct RecordLines
{
    CString name;
    CString text;
    int nNames = 0;
    int nTexts = 0;
    bool bStarted = false;

    bool IsWhole() const { return nNames == 1 && nTexts == 1; }
};

const wchar_t BlockStart[] = L"' {{CLASS_VARIABLES";
const wchar_t BlockEnd[] = L"' }}CLASS_VARIABLES";
const int MaxValueLength = 1024;

bool StartsWith(const CString& line, const CString& prefix)
{
    return line.Left(prefix.GetLength()) == prefix;
}

// A record value as a VBScript string expression: quotes are doubled inside the literal, and
// control characters (line breaks above all) leave it through Chr(), so that record text can
// neither end the literal nor break the line and run as code.
CString VbStringExpression(const CString& value)
{
    const CString text = value.Left(MaxValueLength);
    CStringArrayEx pieces;
    CString literal;
    for (int i = 0; i < text.GetLength(); ++i)
    {
        const wchar_t ch = text[i];
        if (ch >= L' ')
        {
            literal += ch;
            if (ch == L'"')
                literal += ch;
            continue;
        }
        if (!literal.IsEmpty())
            pieces.Add(L"\"" + literal + L"\"");
        literal.Empty();
        pieces.AddFormat(L"Chr(%d)", (int)ch);
    }
    if (!literal.IsEmpty() || pieces.IsEmpty())
        pieces.Add(L"\"" + literal + L"\"");
    return pieces.Join(L" & ");
}

// Whether the line declares exactly this constant ("Const str10" is not "Const str101").
bool DeclaresConstant(const CString& line, const CString& strDeclaration)
{
    if (!StartsWith(line, strDeclaration))
        return false;
    const wchar_t next = line.GetLength() > strDeclaration.GetLength() ? line[strDeclaration.GetLength()] : L'\0';
    return next < L'0' || next > L'9';
}

// "Const strN = ""<rest>" becomes "Dim strN : strN = <value><rest>": a constant takes a
// literal only, and a value with a line break needs Chr().
CString FilledDeclaration(const CString& line, const CString& strName, const CString& value)
{
    const int nEmpty = line.Find(L"\"\"", 6 + strName.GetLength());
    if (nEmpty < 0)
        return line;
    return L"Dim " + strName + L" : " + strName + L" = " + VbStringExpression(value) + line.Mid(nEmpty + 2);
}
} // namespace

void EscapeStoredText(CString& strText, BOOL bUnescape)
{
    for (const EscapePair& pair : EscapePairs)
    {
        const wchar_t single[2] = {pair.ch, 0};
        if (bUnescape)
            strText.Replace(pair.pszEscape, single);
        else
            strText.Replace(single, pair.pszEscape);
    }
}

void CScriptDefinitionMap::SetScript(const wchar_t* pszName, const CString& strText)
{
    m_mapScripts.SetAt(pszName, strText);
}

void CScriptDefinitionMap::RemoveScript(const wchar_t* pszName)
{
    m_mapScripts.RemoveKey(pszName);
}

void CScriptDefinitionMap::RenameScript(const wchar_t* pszOldName, const wchar_t* pszNewName, const CString& strText)
{
    RemoveScript(pszOldName);
    SetScript(pszNewName, strText);
}

void CScriptDefinitionMap::GetNames(CStringArray& arrNames) const
{
    arrNames.RemoveAll();
    CString name, text;
    for (POSITION pos = m_mapScripts.GetStartPosition(); pos;)
    {
        m_mapScripts.GetNextAssoc(pos, name, text);
        arrNames.Add(name);
    }
}

CString CScriptDefinitionMap::Lookup(const wchar_t* pszName) const
{
    CString text;
    m_mapScripts.Lookup(pszName, text);
    return text;
}

BOOL CScriptDefinitionMap::HasScript(const wchar_t* pszName) const
{
    CString text;
    return m_mapScripts.Lookup(pszName, text);
}

BOOL CScriptDefinitionMap::SameScript(const CScriptDefinitionMap& other, const wchar_t* pszName) const
{
    CString mine, theirs;
    const BOOL bMine = m_mapScripts.Lookup(pszName, mine);
    const BOOL bTheirs = other.m_mapScripts.Lookup(pszName, theirs);
    return !bMine == !bTheirs && mine == theirs;
}

void CScriptDefinitionMap::TakeScript(const CScriptDefinitionMap& other, const wchar_t* pszName)
{
    CString text;
    if (other.m_mapScripts.Lookup(pszName, text))
        SetScript(pszName, text);
    else
        RemoveScript(pszName);
}

void CScriptDefinitionMap::GetChangedNames(const CScriptDefinitionMap& other, CStringArray& arrNames) const
{
    arrNames.RemoveAll();
    CStringArray arrMine, arrTheirs;
    GetNames(arrMine);
    other.GetNames(arrTheirs);
    for (const CString& name : arrMine)
    {
        if (!SameScript(other, name))
            arrNames.Add(name);
    }
    for (const CString& name : arrTheirs)
    {
        if (!HasScript(name))
            arrNames.Add(name);
    }
}

void CScriptDefinitionMap::CopyFrom(const CScriptDefinitionMap& other)
{
    m_mapScripts.RemoveAll();
    CStringArray arrNames;
    other.GetNames(arrNames);
    // A new name goes to the front of its bucket: added last to first, the order stays.
    for (int i = arrNames.GetSize() - 1; i >= 0; --i)
        SetScript(arrNames[i], other.Lookup(arrNames[i]));
}

int CScriptDefinitionMap::FindUnstorableCharacter(const CString& strText)
{
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        if (strText[i] > 0xFF)
            return i;
    }
    return -1;
}

CString CScriptDefinitionMap::DescribeCharacter(const CString& strText, int nIndex)
{
    UINT nCode = strText[nIndex];
    int nUnits = 1;
    const UINT nNext = nIndex + 1 < strText.GetLength() ? strText[nIndex + 1] : 0;
    if (nCode >= 0xD800 && nCode <= 0xDBFF && nNext >= 0xDC00 && nNext <= 0xDFFF)
    {
        nCode = 0x10000 + ((nCode - 0xD800) << 10) + (nNext - 0xDC00);
        nUnits = 2;
    }
    CString strDescription;
    strDescription.Format(L"\"%s\" (U+%04X)", (const wchar_t*)strText.Mid(nIndex, nUnits), nCode);
    return strDescription;
}

int CScriptDefinitionMap::FindEscapeText(const CString& strText, CString& strCharacter)
{
    int nFirst = -1;
    for (const EscapePair& pair : EscapePairs)
    {
        const int nAt = strText.Find(pair.pszEscape);
        if (nAt >= 0 && (nFirst < 0 || nAt < nFirst))
        {
            nFirst = nAt;
            strCharacter = pair.pszName;
        }
    }
    return nFirst;
}

CString CScriptDefinitionMap::DefaultPath()
{
    return ProgramFilePath(L"TervokAlarmScripts.txt");
}

int CScriptDefinitionMap::Load()
{
    return LoadFile(DefaultPath());
}

int CScriptDefinitionMap::LoadFile(const wchar_t* pszPath)
{
    m_bDamaged = FALSE;
    m_strError.Empty();
    CStringArray lines;
    ReadLines(pszPath, lines);
    int nCutRecord = 0;
    const int nRecords = ParseLines(lines, nCutRecord);
    if (nCutRecord > 0)
        ReportCutRecord(pszPath, nCutRecord);
    return nRecords;
}

void CScriptDefinitionMap::ReportCutRecord(const wchar_t* pszPath, int nRecord)
{
    m_bDamaged = TRUE;
    m_strError.Format(L"The scripts file %s is damaged: its script record %d is cut short.", pszPath, nRecord);
}

BOOL CScriptDefinitionMap::Save()
{
    return SaveFile(DefaultPath());
}

BOOL CScriptDefinitionMap::SaveFile(const wchar_t* pszPath)
{
    m_strError.Empty();
    if (!CheckStorable())
        return FALSE;
    CStringArray lines;
    Serialize(lines);
    if (!WriteLines(pszPath, lines, L"Tervok Script Definitions"))
    {
        const DWORD dwError = GetLastError();
        m_strError.Format(L"The scripts could not be written to %s.", pszPath);
        if (dwError != ERROR_SUCCESS)
            m_strError += L" " + CSystemErrorText::Reason(dwError);
        return FALSE;
    }
    RaiseDefinitionsRevision();
    return TRUE;
}

// Checked before writing, so that the error names the script and what it holds: nothing is
// written that would read back otherwise.
BOOL CScriptDefinitionMap::CheckStorable()
{
    CString name, text;
    for (POSITION pos = m_mapScripts.GetStartPosition(); pos;)
    {
        m_mapScripts.GetNextAssoc(pos, name, text);
        if (!CheckStorable(name, name) || !CheckStorable(name, text))
            return FALSE;
    }
    return TRUE;
}

BOOL CScriptDefinitionMap::CheckStorable(const CString& strName, const CString& strText)
{
    const int nAt = FindUnstorableCharacter(strText);
    if (nAt >= 0)
    {
        m_strError.Format(L"The script \"%s\" holds the character %s, which the scripts file cannot hold.",
                          (const wchar_t*)strName, (const wchar_t*)DescribeCharacter(strText, nAt));
        return FALSE;
    }
    CString strCharacter;
    const int nEscape = FindEscapeText(strText, strCharacter);
    if (nEscape >= 0)
    {
        m_strError.Format(L"The script \"%s\" holds the text \"%s\", which the scripts file would read back as %s.",
                          (const wchar_t*)strName, (const wchar_t*)strText.Mid(nEscape, EscapeTextLength),
                          (const wchar_t*)strCharacter);
        return FALSE;
    }
    return TRUE;
}

int CScriptDefinitionMap::ParseLines(const CStringArray& arrLines, int& nCutRecord)
{
    // Gathered aside, so that lines without a whole record leave the map as it was.
    CStringArray arrNames, arrTexts;
    RecordLines record;
    nCutRecord = 0;
    for (const CString& line : arrLines)
    {
        if (line == EndOfRecord)
        {
            if (!record.IsWhole() && nCutRecord == 0)
                nCutRecord = arrNames.GetSize() + 1;
            arrNames.Add(record.name);
            arrTexts.Add(record.text);
            record = RecordLines();
            continue;
        }
        if (line.IsEmpty())
            continue;
        record.bStarted = true;
        CString value = LineValue(line);
        EscapeStoredText(value, TRUE);
        switch (LineTag(line))
        {
        case TAG_NAME: record.name = value; ++record.nNames; break;
        case TAG_TEXT: record.text = value; ++record.nTexts; break;
        default: break;
        }
    }
    // The file ends inside a record.
    if (record.bStarted && nCutRecord == 0)
        nCutRecord = arrNames.GetSize() + 1;
    if (arrNames.IsEmpty())
        return 0;
    m_mapScripts.RemoveAll();
    for (int i = 0; i < arrNames.GetSize(); ++i)
        SetScript(arrNames[i], arrTexts[i]);
    return arrNames.GetSize();
}

void CScriptDefinitionMap::Serialize(CStringArray& arrLines) const
{
    CString name, text;
    for (POSITION pos = m_mapScripts.GetStartPosition(); pos;)
    {
        m_mapScripts.GetNextAssoc(pos, name, text);
        EscapeStoredText(name, FALSE);
        EscapeStoredText(text, FALSE);
        AddTaggedLine(arrLines, TAG_NAME, name);
        AddTaggedLine(arrLines, TAG_TEXT, text);
        arrLines.Add(EndOfRecord);
    }
}

void CScriptDefinitionMap::BuildVbScript(const wchar_t* pszName, const CUIntArray& arrFieldIds,
                                         const CStringArray& arrValues, CStringArray& arrConstantNames)
{
    arrConstantNames.RemoveAll();
    CStringEx text(Lookup(pszName));
    text.Remove(L'\r');
    CStringArrayEx lines;
    text.Split(L'\n', lines);

    bool inside = false;
    for (int n = 0; n < lines.GetSize(); ++n)
    {
        CString& line = lines[n];
        if (!inside)
        {
            inside = StartsWith(line, BlockStart);
            continue;
        }
        if (StartsWith(line, BlockEnd))
            break;
        for (int k = 0; k < arrFieldIds.GetSize(); ++k)
        {
            CString constant;
            constant.Format(L"str%d", (int)arrFieldIds[k]);
            if (!DeclaresConstant(line, L"Const " + constant))
                continue;
            // A record short of values fills the missing ones with empty text.
            line = FilledDeclaration(line, constant, k < arrValues.GetSize() ? arrValues[k] : CString());
            arrConstantNames.Add(constant);
        }
    }
    RemoveScript(pszName);
    SetScript(pszName, lines.Join(L"\r\n"));
}

void CScriptDefinitionMap::PrepareScript(const wchar_t* pszName, const CUIntArray& arrFieldIds, const CStringArray& arrValues)
{
    CStringArray constantNames;
    BuildVbScript(pszName, arrFieldIds, arrValues, constantNames);
}
