#include "alarmmodel/DefinitionFileBase.h"

#include "alarmmodel/NumberText.h"
#include "support/AppPaths.h"
#include "support/RegistryStore.h"
#include "support/TextFile.h"

#include <cwchar>

const wchar_t CDefinitionFileBase::EndOfRecord[] = L"@EOR@";

namespace
{
// The unsigned decimal of the number, zero-padded to at least nMinDigits digits.
void AppendDecimal(CString& out, UINT nNumber, int nMinDigits)
{
    wchar_t digits[16];
    int n = 0;
    do
    {
        digits[n++] = (wchar_t)(L'0' + nNumber % 10);
        nNumber /= 10;
    } while (nNumber > 0 || n < nMinDigits);
    while (n > 0)
        out += digits[--n];
}

// Appends "%03u " and returns the new line. Built by hand and in place: these files have a
// line per field, and printf and extra copies cost more than the file itself.
CString& NewTaggedLine(CStringArray& arrLines, UINT nTag)
{
    CString& line = arrLines.ElementAt(arrLines.Add(CString()));
    AppendDecimal(line, nTag, 3);
    line += L' ';
    return line;
}
} // namespace

BOOL CDefinitionFileBase::ReadLines(const wchar_t* pszPath, CStringArray& arrLines)
{
    return CTextFile(pszPath).ReadLinesSkipComments(arrLines, TRUE);
}

BOOL CDefinitionFileBase::WriteLines(const wchar_t* pszPath, const CStringArray& arrLines, const wchar_t* pszContents)
{
    return CTextFile(pszPath).WriteWithHeader(arrLines, pszContents);
}

void CDefinitionFileBase::RaiseDefinitionsRevision()
{
    CRegistryStore& store = GetRegistryStore();
    store.SetVolatileDWord(L"AlarmDefnsRevision", store.GetVolatileDWord(L"AlarmDefnsRevision", 0) + 1);
}

CString CDefinitionFileBase::ProgramFilePath(const wchar_t* pszFileName)
{
    return GetAppPaths().GetProgramFolder() + pszFileName;
}

void CDefinitionFileBase::AddTaggedLine(CStringArray& arrLines, UINT nTag, const wchar_t* pszText)
{
    NewTaggedLine(arrLines, nTag) += pszText;
}

void CDefinitionFileBase::AddNumberLine(CStringArray& arrLines, UINT nTag, UINT nNumber)
{
    AppendDecimal(NewTaggedLine(arrLines, nTag), nNumber, 1);
}

void CDefinitionFileBase::AddArrayLine(CStringArray& arrLines, UINT nTag, const CStringArray& arrItems, wchar_t chSeparator)
{
    CString joined;
    for (int i = 0; i < arrItems.GetSize(); ++i)
    {
        if (i > 0)
            joined += chSeparator;
        joined += arrItems[i];
    }
    AddTaggedLine(arrLines, nTag, joined);
}

UINT CDefinitionFileBase::LineTag(const CString& strLine)
{
    wchar_t tag[4] = {};
    wcsncpy(tag, strLine, 3);
    return (UINT)NumberFromText(tag);
}

const wchar_t* CDefinitionFileBase::LineValueStart(const CString& strLine)
{
    return strLine.GetLength() > 4 ? strLine.GetString() + 4 : L"";
}

CString CDefinitionFileBase::LineValue(const CString& strLine)
{
    return LineValueStart(strLine);
}
