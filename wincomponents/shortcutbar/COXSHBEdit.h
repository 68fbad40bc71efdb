// The in-place editor of a shortcut bar's group headers and group list labels. StartEdit opens it
// over a rectangle with a text, style, font and colours; while open it holds the mouse capture,
// grows with the text when asked to, and closes on Enter (accepted), Escape (not accepted), a
// click elsewhere or loss of focus (accepted). Closing sends its parent WM_NOTIFY with the record
// NMSHBEDIT and the code SHBEN_FINISHEDIT; the parent then reads the window text.
#pragma once

#include "framework/controls/CEdit.h"
#include "framework/gdi/CBrush.h"
#include "framework/gdi/CFont.h"
#include "wincomponents/shortcutbar/ShortcutBarDefs.h"

#include <memory>

class COXSHBEdit : public CEdit
{
    DECLARE_DYNAMIC(COXSHBEdit)
public:
    COXSHBEdit();
    ~COXSHBEdit() override;

    // The window must exist (hidden). Null pInfo reopens it as it stands. FALSE for invalid
    // display information or when the window cannot be made again; the editor is then hidden.
    BOOL StartEdit(const SHBE_DISPLAY* pInfo);
    // Closes the editor and tells the parent whether the text was accepted.
    void FinishEdit(BOOL bOK);
    BOOL VerifyDisplayInfo(const SHBE_DISPLAY* pInfo) const;
    // TRUE between StartEdit and FinishEdit.
    BOOL IsEditing() const { return m_bEditing; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT OnSetFocusMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocusMsg(WPARAM wParam, LPARAM lParam);
    void OnUpdate();
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    BOOL RelayMouseOutside(MSG* pMsg);
    void RegainCapture();
    void FitToText();
    CRect MeasureText(const CString& strText, const CRect& rectMax, const CRect& rectMargins);

    SHBE_DISPLAY* m_pDisplayInfo; // own copy of the last display information, null until then
    CFont m_font;
    CBrush m_brushBack;
    BOOL m_bEditing;
    // Expires with this object: the parent that owns the editor may delete it while it is told
    // that the edit finished.
    std::shared_ptr<BYTE> m_pLife;
};
