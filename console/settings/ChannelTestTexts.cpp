#include "console/settings/ChannelTestTexts.h"

#include "alarmmodel/channels/CommandRunner.h"
#include "support/StringEx.h"

namespace
{
BOOL IsShown(wchar_t ch)
{
    return ch >= L' ' && !(ch >= 0x7F && ch <= 0x9F);
}

CString ScreenLine(const CString& strLine)
{
    CString strShown;
    BOOL bBlank = FALSE;
    for (int i = 0; i < strLine.GetLength(); ++i)
    {
        wchar_t ch = IsShown(strLine[i]) ? strLine[i] : L' ';
        if (ch == L' ' && bBlank)
            continue;
        bBlank = ch == L' ';
        strShown += ch;
    }
    return strShown.Trim(L' ');
}

void AppendBlock(CString& strText, const wchar_t* pszTitle, const CStringArray& arrLines)
{
    if (arrLines.GetSize() == 0)
        return;
    strText += pszTitle;
    for (const CString& strLine : arrLines)
        strText += strLine + L"\r\n";
    strText += L"\r\n";
}
} // namespace

CString CharacterCountText(const CString& strText)
{
    CString strCount;
    strCount.Format(L"%d characters", strText.GetLength());
    return strCount;
}

CString ModemLogText(const CStringArray& arrLog)
{
    CStringArrayEx arrShown;
    for (const CString& strEntry : arrLog)
    {
        CStringArray arrLines;
        CStringEx(strEntry).Split(L'\n', arrLines);
        for (const CString& strLine : arrLines)
        {
            CString strShown = ScreenLine(strLine);
            if (!strShown.IsEmpty())
                arrShown.Add(strShown);
        }
    }
    return arrShown.Join(L"\r\n");
}

CString NetSendTestCommand(const CString& strSendTo, const CString& strMessage)
{
    return FormatNetSendCommand(strSendTo + L" " + strMessage);
}

CString CommandReportText(const CString& strCommand, const CStringArray& arrOutput, const CStringArray& arrErrors)
{
    CString strText = L"Command\r\n-------\r\n" + strCommand + L"\r\n\r\n";
    AppendBlock(strText, L"Output\r\n------\r\n", arrOutput);
    AppendBlock(strText, L"Errors\r\n------\r\n", arrErrors);
    return strText;
}
