// The list of database facts with its Compact button, which the Database Status dialog and the
// Database page of the service sheet share: two columns, ten rows, filled at each refresh.
#pragma once

#include "console/service/CDatabaseFacts.h"
#include "wincomponents/lists/CSortListCtrl.h"

class CDatabaseStatusList : public CSortListCtrl
{
public:
    // bFileAlways: file facts for any database system (the dialog), else for Access only.
    explicit CDatabaseStatusList(BOOL bFileAlways);

    // Once the control is attached: its two columns.
    void SetUp();
    // Reads the facts and shows them; the parent's Compact button follows the file name.
    void Refresh();
    // Compacts the database file; TRUE when the facts are to be read again soon.
    BOOL Compact();

    CDatabaseFacts m_facts;

private:
    void ShowFacts();
};
