// "Speech Test": speaks a text once through the speech voice, as speech markup, so that voice
// tags in it take effect. Only Cancel closes it; the text comes back from the profile.
#pragma once

#include "console/settings/CChannelTestDialog.h"

class CSpeachTest : public CChannelTestDialog
{
public:
    explicit CSpeachTest(CWnd* pParentWnd);

    CString m_strText;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnSpeak();
    void OnTextChange();
    DECLARE_MESSAGE_MAP()

private:
    void ApplySpeakRule();
    CString m_strIntro;
};
