// Edits one named VBScript text: its title and text, class variables inserted from the fields of
// a trigger source, a sample script loaded, and a test run of the text. The caller stores the
// title and text after OK.
#pragma once

#include "console/scripts/CSampleScripts.h"
#include "wincomponents/lists/CDataComboBox.h"
#include "wincomponents/layout/CResizableToolDialog.h"

#include <memory>

class CFont;
class CScriptDefinitionMap;

class CScriptDefine : public CResizableToolDialog
{
public:
    // bTitleAndTest: the title can be edited and "Test" is offered (the Script Manager's use);
    // the Script Test dialog opens it without.
    CScriptDefine(CWnd* pParentWnd, const CString& strTitle, const CString& strScript, BOOL bTitleAndTest);
    ~CScriptDefine() override;

    // The store that the result goes to (the Script Manager's) and the title of the script being
    // modified, if any: OK then refuses characters the scripts file cannot hold and asks before
    // the title replaces another script or a script that alarm definitions run is renamed.
    void CheckAgainst(const CScriptDefinitionMap* pScripts, const CString& strOldTitle);

    CDataComboBox m_comboSample;
    CDataComboBox m_comboField;
    CDataComboBox m_comboClass;
    CString m_strScript;
    CString m_strTitle;
    CString m_strVariable;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnTest();
    void OnChangeText();
    void OnInsertVariable();
    void OnClassChanged();
    void OnFieldChanged();
    void OnLoad();
    DECLARE_MESSAGE_MAP()

private:
    // Takes the controls' values and writes them back after fn changed the members.
    void ChangeControls(void (CScriptDefine::*fn)());
    void WriteControls();
    void ReadControls();
    void ApplyEnablingRule();
    void FillFields();
    void UpdateVariableName();
    void InsertVariable();
    void LoadSample();
    BOOL IsStorable(int nID, const CString& strText);
    // Shows the message and selects the refused text in the control; FALSE.
    BOOL Refuse(int nID, const CString& strMessage, int nAt, int nLength);
    BOOL ConfirmReplace();
    static CString ShownTitle(const CString& strTitle);
    BOOL FindStoredTitle(CString& strStored) const;
    BOOL ConfirmRename();

    BOOL m_bTitleAndTest;
    std::unique_ptr<CFont> m_pFont;
    CSampleScripts m_samples;
    BOOL m_bWriting;
    const CScriptDefinitionMap* m_pScripts;
    CString m_strOldTitle;
};
