#include "console/CStandInListView.h"

#include "resources/console/BelvaneRes.h"

IMPLEMENT_DYNAMIC(CStandInListView, CFormView)

BEGIN_MESSAGE_MAP(CStandInListView, CFormView)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CStandInListView::CStandInListView(const wchar_t* pszColumn) : CFormView(IDD_STANDIN_FORM), m_strColumn(pszColumn)
{
}

void CStandInListView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    HWND hList = ::GetDlgItem(m_hWnd, IDC_STANDIN_LIST);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 300;
    column.pszText = m_strColumn.GetBuffer();
    ::SendMessageW(hList, LVM_INSERTCOLUMNW, 0, (LPARAM)&column);
    m_strColumn.ReleaseBuffer();
    SetScrollSizes(MM_TEXT, CSize(0, 0));
}

void CStandInListView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (HWND hList = ::GetDlgItem(m_hWnd, IDC_STANDIN_LIST))
        ::MoveWindow(hList, 0, 0, cx, cy, TRUE);
}
