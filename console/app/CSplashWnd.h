// The splash picture with the version and copyright lines, shown over the main frame at
// start-up; it closes itself after four seconds. Its object deletes itself with its window.
#pragma once

#include "framework/gdi/CBitmap.h"
#include "framework/window/CWnd.h"

class CSplashWnd : public CWnd
{
public:
    static void EnableSplashScreen(BOOL bEnable = TRUE);
    // Nothing when the splash is disabled or already up.
    static void ShowSplashScreen(CWnd* pParentWnd);
    static void HideSplashScreen();
    // The splash window up now, or null.
    static CSplashWnd* GetSplashWnd() { return c_pSplashWnd; }

    // The first line under the picture: the version line, and the special build in parentheses.
    static CString FirstLine();

    ~CSplashWnd() override;

protected:
    CSplashWnd() {}
    BOOL Create(CWnd* pParentWnd);
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    void CenterOverOwner();

    CBitmap m_bitmap;
    static BOOL c_bShowSplashWnd;
    static CSplashWnd* c_pSplashWnd;
};
