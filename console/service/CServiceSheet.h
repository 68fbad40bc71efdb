// "Alarms Service Configuration": the modeless sheet with the Service Status and Database
// pages. Closing it only hides it; the main frame shows it again.
#pragma once

#include "console/service/CServicePageDatabase.h"
#include "console/service/CServicePageStatus.h"
#include "framework/window/CPropertySheet.h"

class CServiceSheet : public CPropertySheet
{
public:
    CServiceSheet(const wchar_t* pszCaption, CWnd* pParentWnd, UINT iSelectPage = 0);

    BOOL OnInitDialog() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CServicePageDatabase m_pageDatabase;
    CServicePageStatus m_pageStatus;
};
