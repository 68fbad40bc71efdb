#include "alarmmodel/DefinitionFileBase.h"

#include "alarmmodel/NumberText.h"
#include "support/StringEx.h"

const wchar_t CDefinitionFileBase::EndOfRecord[] = L"@EOR@";

void CDefinitionFileBase::AddTaggedLine(CStringArray& arrLines, UINT nTag, const wchar_t* pszText)
{
    CString line;
    line.Format(L"%03u %s", nTag, pszText ? pszText : L"");
    arrLines.Add(line);
}

void CDefinitionFileBase::AddNumberLine(CStringArray& arrLines, UINT nTag, UINT nNumber)
{
    CString number;
    number.Format(L"%u", nNumber);
    AddTaggedLine(arrLines, nTag, number);
}

void CDefinitionFileBase::AddArrayLine(CStringArray& arrLines, UINT nTag, const CStringArray& arrItems, wchar_t chSeparator)
{
    const wchar_t separator[2] = {chSeparator, 0};
    AddTaggedLine(arrLines, nTag, CStringArrayEx(arrItems).Join(separator));
}

UINT CDefinitionFileBase::LineTag(const CString& strLine)
{
    return (UINT)NumberFromText(strLine.Left(3));
}

CString CDefinitionFileBase::LineValue(const CString& strLine)
{
    return strLine.GetLength() > 4 ? strLine.Mid(4) : CString();
}
