#include "console/definitions/CDefinitionListPage.h"

#include "framework/window/CDataExchange.h"
#include "resources/console/DefinitionsRes.h"

BEGIN_MESSAGE_MAP(CDefinitionListPage, CPropertyPage)
    ON_CONTROL(BN_CLICKED, IDC_LIST_ADD, OnAddCommand)
    ON_CONTROL(BN_CLICKED, IDC_LIST_MODIFY, OnModifyCommand)
    ON_CONTROL(BN_CLICKED, IDC_LIST_DELETE, OnDelete)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_DEFINITION_LIST, OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_DEFINITION_LIST, OnDoubleClick)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
const UINT controlIds[] = {IDC_DEFINITION_LIST, IDC_LIST_ADD, IDC_LIST_MODIFY, IDC_LIST_DELETE,
                           IDC_LOAD_FROM_CLIPBOARD};
} // namespace

CDefinitionListPage::CDefinitionListPage(UINT nIDTemplate) : CPropertyPage(nIDTemplate), m_pGeneralPage(nullptr)
{
}

void CDefinitionListPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_DEFINITION_LIST, m_list);
}

void CDefinitionListPage::InitList(const SORTLIST_COLUMN* pColumns, int nCount)
{
    GetClientRect(&m_rectInitial);
    for (int i = 0; i < (int)(sizeof(controlIds) / sizeof(controlIds[0])); ++i)
        m_rectControls[i] = ControlRect(controlIds[i]);
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

CRect CDefinitionListPage::ControlRect(UINT nID) const
{
    CRect rect;
    HWND hControl = ::GetDlgItem(m_hWnd, (int)nID);
    if (!hControl)
        return rect;
    ::GetWindowRect(hControl, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CDefinitionListPage::OnSize(UINT nType, int cx, int cy)
{
    CPropertyPage::OnSize(nType, cx, cy);
    if (m_rectInitial.IsRectEmpty() || !m_list.m_hWnd)
        return;
    int dx = cx - m_rectInitial.Width();
    int dy = cy - m_rectInitial.Height();
    const CRect& rectList = m_rectControls[0];
    m_list.SetWindowPos(nullptr, 0, 0, rectList.Width() + dx, rectList.Height() + dy,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 1; i < (int)(sizeof(controlIds) / sizeof(controlIds[0])); ++i)
    {
        HWND hButton = ::GetDlgItem(m_hWnd, (int)controlIds[i]);
        if (hButton)
            ::SetWindowPos(hButton, nullptr, m_rectControls[i].left, m_rectControls[i].top + dy, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_list.AutoSizeColumns();
}
