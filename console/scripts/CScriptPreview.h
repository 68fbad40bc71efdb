// Shows the text about to be run by the Script Test dialog: sample values can be put into the
// class variables and lines added that echo them; "Continue" hands the text back for the run.
#pragma once

#include "framework/core/CStringArray.h"
#include "wincomponents/layout/CResizableToolDialog.h"

#include <memory>

class CFont;

class CScriptPreview : public CResizableToolDialog
{
public:
    CScriptPreview(CWnd* pParentWnd, const CString& strScript);
    ~CScriptPreview() override;

    CString m_strScript;
    // The variables filled by "Add Sample Values", in block order.
    CStringArray m_arrNames;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnAddSampleValues();
    void OnAddDiagnostics();
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CFont> m_pFont;
};
