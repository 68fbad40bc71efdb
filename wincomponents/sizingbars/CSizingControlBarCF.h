// A sizing bar whose docked gripper is a caption strip with the bar's window text in the
// system's caption colours (a gradient where the system draws gradient captions), active while
// the keyboard focus is inside the bar.
#pragma once

#include "framework/core/CString.h"
#include "wincomponents/sizingbars/CSizingControlBarG.h"

class CSizingControlBarCF : public CSizingControlBarG
{
    DECLARE_DYNAMIC(CSizingControlBarCF)
public:
    CSizingControlBarCF();

    void PaintGripper(HDC hDC, const CRect& rectClient) override;
    // Also follows the focus: the caption turns active while it is inside the bar.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    BOOL m_bCaptionActive;
    CString m_strFontFace; // "Tahoma" where installed, else "Arial"

private:
    CRect CaptionRect(const CRect& rectClient) const;
    void FillCaption(HDC hDC, const CRect& rect) const;
    void DrawCaptionText(HDC hDC, const CRect& rect);
};
