#include "MessageCapture.h"

std::vector<CapturedBox> CMessageCapture::s_boxes;
std::vector<CString> CMessageCapture::s_traces;

namespace
{
int WINAPI CaptureBox(HWND, LPCWSTR pszText, LPCWSTR pszCaption, UINT nStyle)
{
    CMessageCapture::s_boxes.push_back({pszCaption, pszText, nStyle});
    return IDOK;
}

void CaptureTrace(const wchar_t* pszLine)
{
    CMessageCapture::s_traces.push_back(pszLine);
}
} // namespace

CMessageCapture::CMessageCapture()
{
    s_boxes.clear();
    s_traces.clear();
    SetMessageBoxFunction(CaptureBox);
    SetTraceFunction(CaptureTrace);
}

CMessageCapture::~CMessageCapture()
{
    SetMessageBoxFunction(nullptr);
    SetTraceFunction(nullptr);
}
