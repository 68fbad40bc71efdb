// Runs a VBScript text once through the script host with chosen options, after the Preview
// Script dialog, and shows the script and its output. It remembers its options and the text of
// its last run in the profile.
#pragma once

#include "framework/controls/CEdit.h"
#include "framework/controls/CSpinButtonCtrl.h"
#include "framework/core/CStringArray.h"
#include "framework/window/CDialog.h"
#include "wincomponents/controls/CInfoEdit.h"

#include <memory>

class CFont;

class CScriptTest : public CDialog
{
public:
    // An empty text shows the text of the last run (on a first start, the default script).
    CScriptTest(CWnd* pParentWnd, const CString& strScript);
    ~CScriptTest() override;

    CEdit m_editOutput;
    CInfoEdit m_editScript;
    CSpinButtonCtrl m_spinSeconds;
    BOOL m_bActiveDebug;
    BOOL m_bInDebugger;
    BOOL m_bNoBanner;
    BOOL m_bUseUnicode;
    BOOL m_bTimeout;
    int m_nSeconds;
    CString m_strScript;
    int m_nOutput; // 0 everything the run wrote, 1 only what the script wrote

    static const wchar_t* const DefaultScript;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnChangeScript();
    void OnEdit();
    void OnDefaults();
    void OnSelect();
    void OnViewOutput();
    DECLARE_MESSAGE_MAP()

private:
    void SetDefaults();
    void ReadProfile(BOOL bReadScript);
    void WriteProfile();
    void ApplyRunRule();
    void ShowRun(const CStringArray& script, const CStringArray& output);
    void WriteControls();

    std::unique_ptr<CFont> m_pFont;
    BOOL m_bWriting;
};
