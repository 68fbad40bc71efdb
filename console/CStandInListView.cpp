#include "console/CStandInListView.h"

#include "resources/console/BelvaneRes.h"

IMPLEMENT_DYNAMIC(CStandInListView, CResizableFormView)

BEGIN_MESSAGE_MAP(CStandInListView, CResizableFormView)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CStandInListView::CStandInListView(const wchar_t* pszColumn) : CResizableFormView(IDD_STANDIN_FORM), m_strColumn(pszColumn)
{
}

void CStandInListView::OnInitialUpdate()
{
    CResizableFormView::OnInitialUpdate();
    HWND hList = ::GetDlgItem(m_hWnd, IDC_STANDIN_LIST);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 300;
    column.pszText = m_strColumn.GetBuffer();
    ::SendMessageW(hList, LVM_INSERTCOLUMNW, 0, (LPARAM)&column);
    m_strColumn.ReleaseBuffer();
    static const LAYOUT_ANCHOR layout[] = {{IDC_STANDIN_LIST, 4, 4, 0, 0}};
    SetLayout(layout, 1);
    RepositionControls(TRUE);
}

void CStandInListView::OnSize(UINT nType, int cx, int cy)
{
    CResizableFormView::OnSize(nType, cx, cy);
    RepositionControls(TRUE);
}
