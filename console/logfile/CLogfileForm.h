// The log window's form: one read-only rich edit that fills it, where every diagnostic line of
// the console appears behind its level's picture. Its commands empty the log, repaint it and
// save it as RTF; its context menu is the main menu's "Logfile" popup.
#pragma once

#include "console/logfile/CLogfileText.h"
#include "framework/controls/CRichEditCtrl.h"
#include "wincomponents/layout/CResizableFormView.h"
#include "wincomponents/printing/CRichEditPrintout.h"

#include <richedit.h>

class CLogfileForm : public CResizableFormView
{
    DECLARE_DYNCREATE(CLogfileForm)
public:
    CLogfileForm();

    // The one entry for lines: the picture of the level, the text and a line break; the
    // control repaints once, 250 ms after the last line of a burst.
    void AppendLine(int nLevel, const wchar_t* pszText);
    void OnInitialUpdate() override;
    // The print is the log's text with its pictures, as the control lays it out on the page.
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    CRichEditCtrl m_wndRichEdit;
    CHARFORMATA m_cf;
    CString m_strSaveFile;
    CLogfileText m_text;

    void OnErase();
    void OnRefresh();
    void OnSave();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    void OnToolTipText(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void SetDefaultFormat();

    CRichEditPrintout m_printout;
};
