// One-call open and save dialogs for the console's file kinds. Each takes the parent, the path
// (in: the initial file name; out: the chosen full path, only on OK) and an optional title.
#pragma once

#include "framework/window/CFileDialog.h"

class COwnFileDialog : public CFileDialog
{
public:
    COwnFileDialog(BOOL bOpenFileDialog, const wchar_t* lpszDefExt, const wchar_t* lpszFileName, DWORD dwFlags,
                   const wchar_t* lpszFilter, CWnd* pParentWnd)
        : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd)
    {
    }
    ~COwnFileDialog() override {}

    static BOOL OpenTextFile(CWnd* pParentWnd, CString& strPath, const wchar_t* lpszTitle = nullptr);
    static BOOL OpenWaveFile(CWnd* pParentWnd, CString& strPath, const wchar_t* lpszTitle = nullptr);
    static BOOL SaveTextFile(CWnd* pParentWnd, CString& strPath, const wchar_t* lpszTitle = nullptr);
    static BOOL SaveRtfFile(CWnd* pParentWnd, CString& strPath, const wchar_t* lpszTitle = nullptr);

    DECLARE_MESSAGE_MAP()

private:
    static BOOL Run(BOOL bOpen, const wchar_t* lpszDefExt, DWORD dwFlags, const wchar_t* lpszFilter,
                    CWnd* pParentWnd, CString& strPath, const wchar_t* lpszTitle);
};
