// Adds or changes one notification action: one radio button per action kind, each with its
// parameter control. OK needs a parameter for the chosen kind.
#pragma once

#include "framework/controls/CStatic.h"
#include "framework/window/CDialog.h"

#include <memory>

class CAddActionDialog : public CDialog
{
public:
    static const int nKinds = 6;

    // A kind outside 0 to 5 starts as an e-mail action.
    CAddActionDialog(CWnd* pParentWnd, int nKind, const CString& strParameter, const CString& strTitle);
    ~CAddActionDialog() override;

    // Valid after OK.
    int m_nKind;
    CString m_strParameter;

    // The speech text in lower case with "{title}" replaced by the title in its own case, its
    // markup characters escaped as the action runner escapes them.
    static CString PreviewText(const CString& strSpeech, const CString& strTitle);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnUpdate();
    void OnBrowseSound();
    void OnPlaySound();
    void OnSpeak();
    void OnBrowseScript();
    DECLARE_MESSAGE_MAP()

private:
    void ApplyUpdateRule();
    // Writes the controls without reacting to the changes it makes.
    void WriteControls();

    CStatic m_staticSound;
    CString m_arrTexts[nKinds];
    CString m_strTitle;
    std::unique_ptr<CFont> m_pFont;
    BOOL m_bWriting;
};
