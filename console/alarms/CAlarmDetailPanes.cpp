#include "console/alarms/CAlarmDetailPanes.h"

#include "console/alarms/CListedAlarms.h"
#include "support/StringEx.h"
#include "wincomponents/controls/CFontFactory.h"
#include "wincomponents/lists/CSortListCtrl.h"

namespace
{
const SORTLIST_COLUMN kFieldColumns[] = {{L"Field", LVCFMT_LEFT}, {L"Value", LVCFMT_LEFT}};
const SORTLIST_COLUMN kLogColumns[] = {{L"Log", LVCFMT_LEFT}};

void SetUpList(CSortListCtrl& list, const SORTLIST_COLUMN* pColumns, int nCount)
{
    list.SetColumns(pColumns, nCount);
    list.SetFullRowSelect();
    list.AutoSizeColumns();
}

// One row per line; a value's carriage returns continue it on rows of their own.
void ShowFields(CSortListCtrl& list, const CString& strMatchText)
{
    CStringArray arrLines;
    CStringEx(strMatchText).Split(L'\n', arrLines);
    for (const CString& strLine : arrLines)
    {
        int nEquals = strLine.Find(L'=');
        CString strField = nEquals < 0 ? strLine : strLine.Left(nEquals);
        strField.TrimRight();
        CString strValue = nEquals < 0 ? CString() : strLine.Mid(nEquals + 1);
        strValue.TrimLeft();
        strValue.Replace(L"\t", L"    ");
        CStringArray arrPieces;
        CStringEx(strValue).Split(L'\r', arrPieces);
        int nRow = list.InsertItem(list.GetItemCount(), strField);
        for (int i = 0; i < arrPieces.GetSize(); i++)
        {
            if (i > 0)
                nRow = list.InsertItem(list.GetItemCount(), L"");
            list.SetItemText(nRow, 1, arrPieces[i]);
        }
    }
}
} // namespace

CAlarmDetailPanes::CAlarmDetailPanes(CSortListCtrl& fieldList, CSortListCtrl& logList)
    : m_wndFieldList(fieldList), m_wndLogList(logList), m_nShownKey(-1), m_bFollowing(FALSE)
{
}

CAlarmDetailPanes::~CAlarmDetailPanes() = default;

void CAlarmDetailPanes::SetUp(CWnd* pView)
{
    m_pFont.reset(CFontFactory(pView).CreateCourierFont(10, FALSE));
    if (m_pFont)
    {
        m_wndFieldList.SetFont(m_pFont.get());
        m_wndLogList.SetFont(m_pFont.get());
    }
    SetUpList(m_wndFieldList, kFieldColumns, 2);
    SetUpList(m_wndLogList, kLogColumns, 1);
}

void CAlarmDetailPanes::Clear()
{
    m_wndFieldList.DeleteAllItems();
    m_wndLogList.DeleteAllItems();
}

void CAlarmDetailPanes::Show(const CListedAlarms& alarms, UINT nKey)
{
    m_wndFieldList.SetRedraw(FALSE);
    m_wndLogList.SetRedraw(FALSE);
    Clear();
    m_nShownKey = (int)nKey;
    CStringArray arrLines;
    CStringEx(alarms.LogText(nKey)).Split(L'\n', arrLines);
    for (const CString& strLine : arrLines)
        m_wndLogList.InsertItem(m_wndLogList.GetItemCount(), strLine);
    ShowFields(m_wndFieldList, alarms.MatchText(nKey));
    m_wndFieldList.AutoSizeColumns();
    m_wndLogList.AutoSizeColumns();
    m_wndFieldList.SetRedraw(TRUE);
    m_wndLogList.SetRedraw(TRUE);
}

void CAlarmDetailPanes::FollowSelection(const CListedAlarms& alarms)
{
    if (!m_bFollowing)
        return;
    int nRow = alarms.FirstSelectedRow();
    UINT nKey = nRow >= 0 ? alarms.RowKey(nRow) : 0;
    if (nRow < 0 || (int)nKey != m_nShownKey)
        Show(alarms, nKey);
}
