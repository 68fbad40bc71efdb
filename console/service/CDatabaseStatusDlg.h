// "Database Status": what the alarm database is, read once when the dialog opens, and the
// compaction of an Access database file.
#pragma once

#include "console/service/CDatabaseStatusList.h"
#include "framework/window/CDialog.h"

class CDatabaseStatusDlg : public CDialog
{
public:
    explicit CDatabaseStatusDlg(CWnd* pParentWnd);

    CDatabaseStatusList m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnCompact();
    DECLARE_MESSAGE_MAP()
};
