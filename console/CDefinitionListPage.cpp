#include "console/CDefinitionListPage.h"

#include "framework/window/CDataExchange.h"
#include "resources/console/DefinitionsRes.h"

BEGIN_MESSAGE_MAP(CDefinitionListPage, CPropertyPage)
    ON_CONTROL(BN_CLICKED, IDC_LIST_ADD, OnAddCommand)
    ON_CONTROL(BN_CLICKED, IDC_LIST_MODIFY, OnModifyCommand)
    ON_CONTROL(BN_CLICKED, IDC_LIST_DELETE, OnDelete)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_DEFINITION_LIST, OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_DEFINITION_LIST, OnDoubleClick)
END_MESSAGE_MAP()

CDefinitionListPage::CDefinitionListPage(UINT nIDTemplate) : CPropertyPage(nIDTemplate), m_pGeneralPage(nullptr)
{
}

void CDefinitionListPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_DEFINITION_LIST, m_list);
}

void CDefinitionListPage::InitList(const SORTLIST_COLUMN* pColumns, int nCount)
{
    m_list.SetColumns(pColumns, nCount);
    m_list.SetFullRowSelect();
    m_list.AutoSizeColumns();
    ApplyButtonRule();
}

void CDefinitionListPage::ApplyButtonRule()
{
    int nSelected = (int)m_list.SendMessage(LVM_GETSELECTEDCOUNT);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_LIST_DELETE), nSelected >= 1);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_LIST_MODIFY), nSelected == 1);
}

void CDefinitionListPage::OnDelete()
{
    m_list.DeleteSelectedItems();
}

void CDefinitionListPage::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    ApplyButtonRule();
    *pResult = 0;
}

void CDefinitionListPage::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    OnModify();
    *pResult = 0;
}
