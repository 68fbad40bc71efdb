// Catches the library's warning boxes and trace lines for the length of one test.
#pragma once

#include "installactions/InstallerMessages.h"

#include <vector>

struct CapturedBox
{
    CString strCaption;
    CString strText;
    UINT nStyle;
};

class CMessageCapture
{
public:
    CMessageCapture();
    ~CMessageCapture();

    static std::vector<CapturedBox> s_boxes;
    static std::vector<CString> s_traces;
};

// Any window will do as the owner: the captured boxes are never shown.
inline HWND TestOwner()
{
    return GetDesktopWindow();
}
