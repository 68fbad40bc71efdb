// Fixture of the window tests: an application object with a private profile key, windows made
// in-process, the message queue pumped until idle, controls driven by id, and pixel reads of a
// window. A failed test leaves a screenshot of the display beside the test results.
#pragma once

#include "framework/window/CWinApp.h"
#include "framework/window/CWnd.h"

class CFrameWnd;

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// The pixels of a window's client area as a 32-bit top-down image.
struct WindowPixels
{
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint32_t> pixels;

    COLORREF At(int x, int y) const;
    // Counts the pixels of that colour inside the rectangle.
    int Count(const RECT& rect, COLORREF crColor) const;
};

class GuiTest : public ::testing::Test
{
protected:
    GuiTest();
    ~GuiTest() override;
    void TearDown() override;

    // Handles every queued message the way the application's loop does, then runs the idle
    // turns.
    void PumpUntilIdle();
    // WM_SETTEXT, so that an edit sends EN_CHANGE.
    void SetText(CWnd* pParent, int nID, const wchar_t* pszText);
    CString GetText(CWnd* pParent, int nID);
    // A button's click, as the user's would: nothing when the button is disabled.
    void Click(CWnd* pParent, int nID);
    BOOL IsEnabled(CWnd* pParent, int nID);
    // Paints the window now and copies its client area.
    WindowPixels Capture(CWnd* pWnd);

    // A visible top-level window for controls to live in.
    CWnd& Host();
    // Loads the frame from its resource id and makes it the application's main window, shown
    // with the size given; instead of the host.
    BOOL ShowMainFrame(CFrameWnd* pFrame, UINT nIDResource, int cx, int cy);
    // An ImageMagick picture of the whole display, in the test's working folder.
    void SaveScreenshot(const CString& strFileName);

    // Real mouse input (tests that use it run alone): the window first goes on top of any
    // other test's windows, then a press, moves in steps and a release, or a double click.
    void MouseDrag(HWND hWndOnTop, CPoint from, CPoint to);
    void MouseDoubleClick(HWND hWndOnTop, CPoint at);
    void MouseClick(HWND hWndOnTop, CPoint at);
    void MouseMove(CPoint pt);
    void MouseButton(DWORD dwFlags);

    CWinApp m_app;
    CString m_strKey;

private:
    CWnd m_host;
};
