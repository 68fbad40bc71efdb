#include "console/settings/ComPortList.h"

#include "wincomponents/lists/CDataComboBox.h"

namespace
{
const wchar_t c_szNotPresent[] = L" (not present)";
}

CStringArray ComPortNames(const std::function<BOOL(const CString&)>& fnAnswers)
{
    CStringArray arrPorts;
    for (int n = 1; n <= 255; ++n)
    {
        CString strPort;
        strPort.Format(L"COM%d", n);
        if (fnAnswers(strPort))
            arrPorts.Add(strPort);
    }
    if (arrPorts.GetSize() == 0)
    {
        for (const wchar_t* pszPort : {L"COM1", L"COM2", L"COM3", L"COM4"})
            arrPorts.Add(pszPort);
    }
    return arrPorts;
}

BOOL ComPortAnswers(const CString& strPort)
{
    return ComPortAnswersQuery(strPort, ::GetDefaultCommConfigW);
}

BOOL ComPortAnswersQuery(const CString& strPort, DefaultCommConfigQuery pfnQuery)
{
    COMMCONFIG config = {};
    DWORD dwSize = sizeof config;
    if (pfnQuery(strPort, &config, &dwSize))
        return TRUE;
    // The provider data of a modem-class port make its configuration larger than a COMMCONFIG;
    // only the port's presence is wanted here.
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

void FillComPortCombo(CDataComboBox& combo, const CString& strChosen,
                      const std::function<BOOL(const CString&)>& fnAnswers)
{
    combo.AddItems(ComPortNames(fnAnswers));
    combo.SetCurSel(0);
    // The whole name: a stored COM1 that is gone must not select COM10.
    int nIndex = (int)combo.SendMessage(CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)strChosen.GetString());
    if (nIndex >= 0)
        combo.SetCurSel(nIndex);
}

void FillComPortComboKeepingChosen(CDataComboBox& combo, const CString& strChosen,
                                   const std::function<BOOL(const CString&)>& fnAnswers)
{
    FillComPortCombo(combo, strChosen, fnAnswers);
    if (strChosen.IsEmpty() || combo.GetSelText().CompareNoCase(strChosen) == 0)
        return;
    int nIndex = combo.AddItem(strChosen + c_szNotPresent, (DWORD)combo.GetCount());
    if (nIndex >= 0)
        combo.SetCurSel(nIndex);
}

CString SelectedComPort(const CDataComboBox& combo)
{
    CString strPort = combo.GetSelText();
    int nMark = strPort.GetLength() - (int)wcslen(c_szNotPresent);
    if (nMark > 0 && strPort.Mid(nMark) == c_szNotPresent)
        strPort = strPort.Left(nMark);
    return strPort;
}
