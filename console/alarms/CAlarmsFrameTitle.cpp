#include "console/alarms/CAlarmsFrameTitle.h"

#include "framework/frames/CFrameWnd.h"

namespace
{
const wchar_t kAlarmsTitle[] = L"Outstanding Alarms";
const wchar_t kNewMark[] = L" *";
} // namespace

CString CAlarmsFrameTitle::Get() const
{
    CFrameWnd* pFrame = m_view.GetParentFrame();
    return pFrame ? pFrame->GetWindowText() : CString();
}

void CAlarmsFrameTitle::Set(const CString& strTitle) const
{
    if (CFrameWnd* pFrame = m_view.GetParentFrame())
        pFrame->SetWindowText(strTitle);
}

void CAlarmsFrameTitle::MarkNewAlarms() const
{
    CString strTitle = Get();
    if (strTitle.Right(2) != kNewMark)
        Set(strTitle + kNewMark);
}

void CAlarmsFrameTitle::UnmarkNewAlarms() const
{
    CString strTitle = Get();
    if (strTitle.Right(2) == kNewMark)
        Set(strTitle.Left(strTitle.GetLength() - 2));
}

void CAlarmsFrameTitle::ShowRows(int nRows, int nMaxRows, const CString& strFilterParts) const
{
    CString strName = Get();
    int nColon = strName.Find(L':');
    if (nColon > 0)
        strName = strName.Left(nColon);
    if (strName.IsEmpty())
        strName = kAlarmsTitle;
    CString strTitle;
    strTitle.Format(L"%s: %d", strName.GetString(), nRows);
    strTitle += strFilterParts;
    if (nRows == nMaxRows)
        strTitle.AppendFormat(L" (max = %d)", nMaxRows);
    Set(strTitle);
}
