#include "console/settings/ComPortList.h"

#include "wincomponents/lists/CDataComboBox.h"

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
    COMMCONFIG config = {};
    DWORD dwSize = sizeof config;
    return ::GetDefaultCommConfigW(strPort, &config, &dwSize);
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
