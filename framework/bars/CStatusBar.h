// The status bar: a row of panes at the bottom of a frame, over the common status control.
// Each pane has a command id; its width comes from the id's string resource, which is also its
// first text. Pane 0 shows menu prompts. At idle time each pane's update handler
// (ON_UPDATE_COMMAND_UI of the id) may set its text and state; panes without one stay as they are.
#pragma once

#include "framework/bars/CControlBar.h"
#include "framework/core/CString.h"

#include <vector>

const UINT SBPS_NORMAL = 0x0000;
const UINT SBPS_NOBORDERS = SBT_NOBORDERS;
const UINT SBPS_POPOUT = SBT_POPOUT;
const UINT SBPS_OWNERDRAW = SBT_OWNERDRAW;
const UINT SBPS_DISABLED = 0x04000000; // the text is not shown
const UINT SBPS_STRETCH = 0x08000000;  // the pane takes the width the others leave

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id. ID_SEPARATOR makes an empty pane; as the first pane it stretches.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return (int)m_panes.size(); }
    // The pane of the id, or -1.
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, const wchar_t* lpszNewText, BOOL bUpdate = TRUE);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    struct Pane
    {
        UINT nID;
        UINT nStyle;
        int cxText; // the text's width, borders not included
        CString strText;
    };

    // The text's width in the bar's font; pMetrics gets the font's metrics.
    int MeasureText(const wchar_t* pszText, TEXTMETRICW* pMetrics = nullptr) const;
    // Hands the pane edges to the control: fixed panes at their width, the stretching one
    // taking what is left.
    void UpdateParts();
    void ShowPaneText(int nIndex);

    std::vector<Pane> m_panes;
};
