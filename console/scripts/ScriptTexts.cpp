#include "console/scripts/ScriptTexts.h"

#include "support/StringEx.h"

const wchar_t* const szClassVariablesBegin = L"' {{CLASS_VARIABLES (do not edit this block)";
const wchar_t* const szClassVariablesEnd = L"' }}CLASS_VARIABLES (do not edit this block)";

namespace
{
BOOL BeginsWith(const CString& strLine, const wchar_t* pszStart)
{
    return wcsncmp(strLine, pszStart, wcslen(pszStart)) == 0;
}

// The first line beginning with the text; the line count when there is none.
int FindLineBeginning(const CStringArray& lines, const wchar_t* pszStart)
{
    for (int i = 0; i < lines.GetSize(); ++i)
    {
        if (BeginsWith(lines[i], pszStart))
            return i;
    }
    return (int)lines.GetSize();
}
} // namespace

void SplitScriptLines(const CString& strScript, CStringArray& lines)
{
    CStringEx strText(strScript);
    strText.Remove(L'\r');
    strText.Split(L'\n', lines);
}

void EnsureClassVariables(CString& strScript, const CString& strVariableLine)
{
    CStringArray lines;
    SplitScriptLines(strScript, lines);
    if (FindLineBeginning(lines, szClassVariablesEnd) == lines.GetSize())
    {
        int nInsert = 0;
        while (nInsert < lines.GetSize() && BeginsWith(lines[nInsert], L"'"))
            ++nInsert;
        const wchar_t* const block[] = {L"", szClassVariablesBegin, szClassVariablesEnd, L""};
        for (int i = 0; i < 4; ++i)
            lines.InsertAt(nInsert + i, block[i]);
    }
    if (!strVariableLine.IsEmpty())
        lines.InsertAt(FindLineBeginning(lines, szClassVariablesEnd), strVariableLine);
    strScript = CStringArrayEx(lines).Join(L"\r\n");
}

CString ClassVariableLine(UINT nFieldId, const CString& strClass, const CString& strField)
{
    CString strLine;
    strLine.Format(L"Const str%u = \"\"\t' %s => %s", nFieldId, (const wchar_t*)strClass, (const wchar_t*)strField);
    return strLine;
}

BOOL AddDiagnosticLines(CString& strScript, const CStringArray& arrNames)
{
    CStringArray lines;
    SplitScriptLines(strScript, lines);
    int nAfter = FindLineBeginning(lines, L"' }}CLASS_VARIABLES");
    if (nAfter == lines.GetSize())
        return FALSE;
    CStringArray block;
    block.Add(L"");
    block.Add(L"' {{DIAGNOSTICS");
    for (int i = 0; i < arrNames.GetSize(); ++i)
    {
        CString strLine;
        strLine.Format(L"WScript.Echo \"%s = \" + %s", (const wchar_t*)arrNames[i], (const wchar_t*)arrNames[i]);
        block.Add(strLine);
    }
    block.Add(L"' }}DIAGNOSTICS");
    block.Add(L"");
    for (int i = 0; i < block.GetSize(); ++i)
        lines.InsertAt(nAfter + 1 + i, block[i]);
    strScript = CStringArrayEx(lines).Join(L"\r\n");
    return TRUE;
}
