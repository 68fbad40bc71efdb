// What the channel test dialogs share: the Courier font of their output and input edits, owned
// by the dialog, and the rule that the controls are no input while the dialog fills them.
#pragma once

#include "framework/window/CDialog.h"

#include <initializer_list>
#include <memory>

class CChannelTestDialog : public CDialog
{
public:
    CChannelTestDialog(UINT nIDTemplate, CWnd* pParentWnd);
    ~CChannelTestDialog() override;

protected:
    // The framework's initialisation; afterwards every change of a control is the user's.
    BOOL OnInitDialog() override;
    void SetCourierFont(std::initializer_list<int> controls);
    // Sets the output edit's text, its line ends made CR LF.
    void ShowOutput(const CString& strText);

    BOOL m_bInitialised;

private:
    std::unique_ptr<CFont> m_pFont;
};
