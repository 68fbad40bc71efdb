// The "Highlight" dialog: the two age bands of the outstanding-alarms list, each with a check
// box, a background and a text colour and a maximum age in hours, kept in the profile.
#pragma once

#include "framework/window/CDialog.h"
#include "wincomponents/controls/CColorStatic.h"

class CHighlighting : public CDialog
{
public:
    explicit CHighlighting(CWnd* pParent);

    BOOL m_bCheckNew;
    BOOL m_bCheckOld;
    CString m_strNewHours;
    CString m_strOldHours;
    CColorStatic m_wndNewSample;
    CColorStatic m_wndOldSample;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnChange();
    void OnNewBackground();
    void OnNewText();
    void OnOldBackground();
    void OnOldText();
    DECLARE_MESSAGE_MAP()

private:
    void ChooseColour(CColorStatic& sample, COLORREF& crColour);
    void EnableGroup(const int* pIds, int nCount, BOOL bEnable);
    int SpinPosition(int nSpinId);

    BOOL m_bInitialised;
};
