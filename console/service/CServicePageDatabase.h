// The "Database" page of the service sheet: the database facts, read shortly after the page is
// made and again every 10 seconds, and the compaction of an Access database file.
#pragma once

#include "console/service/CDatabaseStatusList.h"
#include "framework/window/CPropertyPage.h"

class CServicePageDatabase : public CPropertyPage
{
public:
    CServicePageDatabase();

    CDatabaseStatusList m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnCompact();
    DECLARE_MESSAGE_MAP()
};
