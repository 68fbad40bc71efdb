#include "console/service/CDatabaseStatusList.h"

#include "console/service/CDatabaseCompactor.h"
#include "resources/console/ServiceRes.h"

CDatabaseStatusList::CDatabaseStatusList(BOOL bFileAlways) : m_facts(bFileAlways)
{
}

void CDatabaseStatusList::SetUp()
{
    const SORTLIST_COLUMN arrColumns[] = {{L"Title", LVCFMT_LEFT}, {L"Value", LVCFMT_LEFT}};
    SetColumns(arrColumns, 2);
    SetFullRowSelect();
}

void CDatabaseStatusList::Refresh()
{
    if (m_facts.Read())
        ShowFacts();
    ::EnableWindow(::GetDlgItem(::GetParent(m_hWnd), IDC_DATABASE_COMPACT), !m_facts.m_strFilename.IsEmpty());
}

void CDatabaseStatusList::ShowFacts()
{
    for (int nRow = 0; nRow < CDatabaseFacts::nRows; ++nRow)
    {
        if (GetItemCount() > nRow)
            SetItemText(nRow, 0, CDatabaseFacts::Label(nRow));
        else
            InsertItem(nRow, CDatabaseFacts::Label(nRow));
        SetItemText(nRow, 1, m_facts.m_arrValues[nRow]);
    }
    AutoSizeColumns();
}

BOOL CDatabaseStatusList::Compact()
{
    CDatabaseCompactor compactor(::GetParent(m_hWnd));
    return compactor.Compact(m_facts.m_strFilename);
}
