#include "framework/window/CWinApp.h"

#include "framework/window/CWnd.h"
#include "framework/window/AfxIds.h"
#include "framework/window/AfxMessageBox.h"
#include "framework/window/CCmdUI.h"
#include "framework/window/CCommandLineInfo.h"
#include "framework/window/CFileDialog.h"
#include "framework/window/CPrintDialog.h"
#include "framework/frames/CDocTemplate.h"
#include "framework/core/PositionList.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace
{
CWinApp* g_pApp = nullptr;

CString ProgramBaseName()
{
    wchar_t path[MAX_PATH + 1] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name(path);
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

HKEY CreateSubKey(HKEY hParent, const wchar_t* pszName)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(hParent, pszName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                        nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

// The value's raw bytes; FALSE when the section or value is missing.
BOOL QueryValue(HKEY hSection, const wchar_t* pszEntry, DWORD& dwType, std::vector<BYTE>& data)
{
    DWORD cb = 0;
    if (RegQueryValueExW(hSection, pszEntry, nullptr, &dwType, nullptr, &cb) != ERROR_SUCCESS)
        return FALSE;
    data.assign(cb, 0);
    if (cb && RegQueryValueExW(hSection, pszEntry, nullptr, &dwType, data.data(), &cb) != ERROR_SUCCESS)
        return FALSE;
    data.resize(cb);
    return TRUE;
}
} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_UPDATE_COMMAND_UI(ID_FILE_OPEN, OnUpdateFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(const wchar_t* pszAppName)
    : m_strAppName(pszAppName && *pszAppName ? CString(pszAppName) : ProgramBaseName()),
      m_pszAppName(m_strAppName.GetString()), m_pMainWnd(nullptr), m_nCmdShow(SW_SHOWNORMAL), m_nMaxMRU(0),
      m_hDevMode(nullptr), m_hDevNames(nullptr)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    for (CDocTemplate* pTemplate : m_templateList)
        delete pTemplate;
    if (m_hDevMode)
        GlobalFree(m_hDevMode);
    if (m_hDevNames)
        GlobalFree(m_hDevNames);
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    m_templateList.push_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return AfxFirstPosition(m_templateList);
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPosition) const
{
    return AfxNextAt(m_templateList, rPosition);
}

void CWinApp::CloseAllDocuments()
{
    for (CDocTemplate* pTemplate : m_templateList)
        pTemplate->CloseAllDocuments();
}

void CWinApp::OnFileNew()
{
    if (!m_templateList.empty())
        m_templateList.front()->OpenDocumentFile(nullptr);
}

CString CWinApp::OpenFilter() const
{
    CString strFilter;
    for (CDocTemplate* pTemplate : m_templateList)
    {
        CString strName, strExtensions;
        if (!pTemplate->GetDocString(strName, CDocTemplate::filterName) ||
            !pTemplate->GetDocString(strExtensions, CDocTemplate::filterExt))
            continue;
        // ".a;.b" lists its patterns as "*.a;*.b".
        strExtensions.Replace(L";", L";*");
        strFilter += strName + L"|*" + strExtensions + L"|";
    }
    return strFilter;
}

void CWinApp::OnUpdateFileOpen(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!OpenFilter().IsEmpty());
}

void CWinApp::OnFileOpen()
{
    CString strFilter = OpenFilter();
    if (strFilter.IsEmpty())
        return;
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       strFilter + L"All Files (*.*)|*.*||", m_pMainWnd);
    if (dialog.DoModal() != IDOK)
        return;
    CString strPath = dialog.GetPathName();
    for (CDocTemplate* pTemplate : m_templateList)
        if (pTemplate->MatchDocType(strPath))
        {
            pTemplate->OpenDocumentFile(strPath);
            return;
        }
    AfxShowMessageBox(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr,
                      strPath + L"\n\nNo window of this program opens files of this kind.", nullptr,
                      MB_OK | MB_ICONEXCLAMATION);
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog dialog(TRUE, 0, m_pMainWnd);
    dialog.m_pd.hDevMode = m_hDevMode;
    dialog.m_pd.hDevNames = m_hDevNames;
    dialog.DoModal();
    // Whatever the answer, the dialog's handles are the current ones.
    m_hDevMode = dialog.m_pd.hDevMode;
    m_hDevNames = dialog.m_pd.hDevNames;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rInfo)
{
    int nArgs = 0;
    LPWSTR* ppszArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (!ppszArgs)
        return;
    for (int i = 1; i < nArgs; ++i)
    {
        const wchar_t* pszParam = ppszArgs[i];
        BOOL bFlag = pszParam[0] == L'/' || pszParam[0] == L'-';
        rInfo.ParseParam(bFlag ? pszParam + 1 : pszParam, bFlag, i + 1 == nArgs);
    }
    LocalFree(ppszArgs);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_nMaxMRU = nMaxMRU;
    m_strRecentFiles.RemoveAll();
    for (UINT i = 1; i <= nMaxMRU; ++i)
    {
        CString strEntry;
        strEntry.Format(L"File%u", i);
        CString strFile = GetProfileString(L"Recent File List", strEntry);
        if (!strFile.IsEmpty())
            m_strRecentFiles.Add(strFile);
    }
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

int CWinApp::Run()
{
    for (;;)
    {
        MSG msg;
        for (LONG lIdleCount = 0; !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);)
            if (!OnIdle(lIdleCount++))
                break;
        if (!PumpMessage())
            return ExitInstance();
    }
}

BOOL CWinApp::PumpMessage()
{
    MSG msg;
    if (!GetMessageW(&msg, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&msg))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return TRUE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    CWnd::FilterToolTipMessage(pMsg);
    HWND hWndMain = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    return CWnd::WalkPreTranslateTree(hWndMain, pMsg);
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount == 0)
    {
        if (m_pMainWnd && IsWindow(m_pMainWnd->m_hWnd))
        {
            m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    CWnd::DeleteTempMap();
    return FALSE;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

void CWinApp::SetRegistryKey(const wchar_t* pszRegistryKey)
{
    m_strRegistryKey = pszRegistryKey;
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_strRegistryKey.IsEmpty())
        return nullptr;
    HKEY hSoftware = CreateSubKey(HKEY_CURRENT_USER, L"Software");
    if (!hSoftware)
        return nullptr;
    HKEY hCompany = CreateSubKey(hSoftware, m_strRegistryKey);
    RegCloseKey(hSoftware);
    if (!hCompany)
        return nullptr;
    HKEY hApp = CreateSubKey(hCompany, m_strAppName);
    RegCloseKey(hCompany);
    return hApp;
}

HKEY CWinApp::GetSectionKey(const wchar_t* pszSection)
{
    HKEY hApp = GetAppRegistryKey();
    if (!hApp)
        return nullptr;
    HKEY hSection = CreateSubKey(hApp, pszSection);
    RegCloseKey(hApp);
    return hSection;
}

UINT CWinApp::GetProfileInt(const wchar_t* pszSection, const wchar_t* pszEntry, int nDefault)
{
    HKEY hSection = GetSectionKey(pszSection);
    if (!hSection)
        return (UINT)nDefault;
    DWORD dwType = 0;
    std::vector<BYTE> data;
    UINT nValue = (UINT)nDefault;
    if (QueryValue(hSection, pszEntry, dwType, data) && dwType == REG_DWORD && data.size() == sizeof(DWORD))
        nValue = *(const DWORD*)data.data();
    RegCloseKey(hSection);
    return nValue;
}

BOOL CWinApp::WriteProfileInt(const wchar_t* pszSection, const wchar_t* pszEntry, int nValue)
{
    HKEY hSection = GetSectionKey(pszSection);
    if (!hSection)
        return FALSE;
    DWORD dwValue = (DWORD)nValue;
    LONG status = RegSetValueExW(hSection, pszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof dwValue);
    RegCloseKey(hSection);
    return status == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(const wchar_t* pszSection, const wchar_t* pszEntry, const wchar_t* pszDefault)
{
    CString strValue(pszDefault);
    HKEY hSection = GetSectionKey(pszSection);
    if (!hSection)
        return strValue;
    DWORD dwType = 0;
    std::vector<BYTE> data;
    if (QueryValue(hSection, pszEntry, dwType, data) && (dwType == REG_SZ || dwType == REG_EXPAND_SZ))
    {
        // The stored text may lack its terminator; take it within its byte count.
        strValue = CString((const wchar_t*)data.data(), (int)(data.size() / sizeof(wchar_t)));
        strValue.ReleaseBuffer();
    }
    RegCloseKey(hSection);
    return strValue;
}

BOOL CWinApp::WriteProfileString(const wchar_t* pszSection, const wchar_t* pszEntry, const wchar_t* pszValue)
{
    HKEY hSection = GetSectionKey(pszSection);
    if (!hSection)
        return FALSE;
    CString strValue(pszValue);
    LONG status = RegSetValueExW(hSection, pszEntry, 0, REG_SZ, (const BYTE*)strValue.GetString(),
                                 (DWORD)((strValue.GetLength() + 1) * sizeof(wchar_t)));
    RegCloseKey(hSection);
    return status == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(const wchar_t* pszSection, const wchar_t* pszEntry, BYTE** ppData, UINT* pnBytes)
{
    *ppData = nullptr;
    *pnBytes = 0;
    HKEY hSection = GetSectionKey(pszSection);
    if (!hSection)
        return FALSE;
    DWORD dwType = 0;
    std::vector<BYTE> data;
    BOOL bFound = QueryValue(hSection, pszEntry, dwType, data) && dwType == REG_BINARY;
    RegCloseKey(hSection);
    if (!bFound)
        return FALSE;
    *ppData = new BYTE[data.size() ? data.size() : 1];
    std::copy(data.begin(), data.end(), *ppData);
    *pnBytes = (UINT)data.size();
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(const wchar_t* pszSection, const wchar_t* pszEntry, const BYTE* pData, UINT nBytes)
{
    HKEY hSection = GetSectionKey(pszSection);
    if (!hSection)
        return FALSE;
    LONG status = RegSetValueExW(hSection, pszEntry, 0, REG_BINARY, pData, nBytes);
    RegCloseKey(hSection);
    return status == ERROR_SUCCESS;
}
