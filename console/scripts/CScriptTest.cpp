#include "console/scripts/CScriptTest.h"

#include "alarmmodel/ScriptDefinitionMap.h"
#include "alarmmodel/channels/ScriptRunner.h"
#include "console/scripts/CScriptDefine.h"
#include "console/scripts/CScriptPreview.h"
#include "console/scripts/CScriptSelect.h"
#include "console/scripts/ScriptTexts.h"
#include "framework/window/CDataExchange.h"
#include "framework/window/CWaitCursor.h"
#include "resources/console/ScriptsRes.h"
#include "support/AppProfile.h"
#include "support/StringEx.h"
#include "wincomponents/controls/CFontFactory.h"
#include "wincomponents/dialogs/ExternalEditor.h"

namespace
{
const int nMinSeconds = 10;
const int nMaxSeconds = 999;
const int nFallbackSeconds = 60;

const wchar_t szActiveDebug[] = L"CScriptTest::m_bActiveDebug";
const wchar_t szInDebugger[] = L"CScriptTest::m_bInDebugger";
const wchar_t szNoBanner[] = L"CScriptTest::m_bNoBanner";
const wchar_t szUseUnicode[] = L"CScriptTest::m_bUseUnicode";
const wchar_t szTimeout[] = L"CScriptTest::m_bTimeout";
const wchar_t szOutput[] = L"CScriptTest::m_nOutput";
const wchar_t szSeconds[] = L"CScriptTest::m_nSeconds";
const wchar_t szScript[] = L"CScriptTest::m_strScript";
} // namespace

const wchar_t* const CScriptTest::DefaultScript =
    L"' List all processes\r\n"
    L"\r\n"
    L"for each Process in GetObject(\"winmgmts:{impersonationLevel=impersonate}\").InstancesOf (\"Win32_process\")\r\n"
    L"    WScript.Echo Process.Name\r\n"
    L"Next";

BEGIN_MESSAGE_MAP(CScriptTest, CDialog)
    ON_CONTROL(EN_CHANGE, IDC_RUN_SCRIPT, OnChangeScript)
    ON_CONTROL(BN_CLICKED, IDC_RUN_EDIT, OnEdit)
    ON_CONTROL(BN_CLICKED, IDC_RUN_DEFAULTS, OnDefaults)
    ON_CONTROL(BN_CLICKED, IDC_RUN_SELECT, OnSelect)
    ON_CONTROL(BN_CLICKED, IDC_RUN_VIEW_OUTPUT, OnViewOutput)
END_MESSAGE_MAP()

CScriptTest::CScriptTest(CWnd* pParentWnd, const CString& strScript)
    : CDialog(IDD_SCRIPT_TEST, pParentWnd), m_bActiveDebug(FALSE), m_bInDebugger(FALSE), m_bNoBanner(TRUE),
      m_bUseUnicode(TRUE), m_bTimeout(TRUE), m_nSeconds(nFallbackSeconds), m_nOutput(1), m_bWriting(FALSE)
{
    SetDefaults();
    m_strScript = strScript;
    ReadProfile(strScript.IsEmpty());
}

CScriptTest::~CScriptTest()
{
}

void CScriptTest::SetDefaults()
{
    m_bActiveDebug = FALSE;
    m_bInDebugger = FALSE;
    m_bNoBanner = TRUE;
    m_bUseUnicode = TRUE;
    m_bTimeout = TRUE;
    m_nOutput = 1;
    m_nSeconds = nFallbackSeconds;
    m_strScript = DefaultScript;
}

// Unicode output is not read back: the script host is always asked for it, so that every
// character of the output arrives (the console code page drops those it cannot show).
void CScriptTest::ReadProfile(BOOL bReadScript)
{
    CAppProfile& profile = GetAppProfile();
    m_bActiveDebug = profile.GetBool(szActiveDebug, m_bActiveDebug);
    m_bInDebugger = profile.GetBool(szInDebugger, m_bInDebugger);
    m_bNoBanner = profile.GetBool(szNoBanner, m_bNoBanner);
    m_bTimeout = profile.GetBool(szTimeout, m_bTimeout);
    m_nOutput = profile.GetInt(szOutput, 0);
    m_nSeconds = profile.GetInt(szSeconds, m_nSeconds);
    if (bReadScript)
        m_strScript = profile.GetString(szScript, DefaultScript);
}

void CScriptTest::WriteProfile()
{
    CAppProfile& profile = GetAppProfile();
    profile.WriteBool(szActiveDebug, m_bActiveDebug);
    profile.WriteBool(szInDebugger, m_bInDebugger);
    profile.WriteBool(szNoBanner, m_bNoBanner);
    profile.WriteBool(szUseUnicode, m_bUseUnicode);
    profile.WriteBool(szTimeout, m_bTimeout);
    profile.WriteInt(szOutput, m_nOutput);
    profile.WriteInt(szSeconds, m_nSeconds);
    profile.WriteString(szScript, m_strScript);
}

void CScriptTest::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RUN_OUTPUT, m_editOutput);
    DDX_Control(pDX, IDC_RUN_SCRIPT, m_editScript);
    DDX_Control(pDX, IDC_RUN_SECONDS_SPIN, m_spinSeconds);
    DDX_Check(pDX, IDC_RUN_ACTIVE_DEBUG, m_bActiveDebug);
    DDX_Check(pDX, IDC_RUN_IN_DEBUGGER, m_bInDebugger);
    DDX_Check(pDX, IDC_RUN_NO_BANNER, m_bNoBanner);
    DDX_Check(pDX, IDC_RUN_UNICODE, m_bUseUnicode);
    DDX_Check(pDX, IDC_RUN_TIMEOUT, m_bTimeout);
    DDX_Text(pDX, IDC_RUN_SECONDS, m_nSeconds);
    DDV_MinMaxInt(pDX, m_nSeconds, nMinSeconds, nMaxSeconds);
    DDX_Text(pDX, IDC_RUN_SCRIPT, m_strScript);
    DDX_Radio(pDX, IDC_RUN_OUTPUT_ALL, m_nOutput);
}

BOOL CScriptTest::OnInitDialog()
{
    m_bWriting = TRUE;
    CDialog::OnInitDialog();
    m_bWriting = FALSE;
    m_pFont.reset(CFontFactory(this).CreateCourierFont(10, FALSE));
    m_editOutput.SetFont(m_pFont.get());
    m_editScript.SetFont(m_pFont.get());
    // A pasted script may be longer than the 30,000 characters an edit takes at first.
    m_editScript.LimitText(0);
    m_spinSeconds.SetRange32(nMinSeconds, nMaxSeconds);
    m_spinSeconds.SetPos32(m_nSeconds);
    ApplyRunRule();
    return TRUE;
}

void CScriptTest::ApplyRunRule()
{
    UpdateData(TRUE);
    m_strScript.TrimRight();
    GetDlgItem(IDOK)->EnableWindow(!m_strScript.IsEmpty());
}

// A change that the writing itself causes would read the controls half written.
void CScriptTest::WriteControls()
{
    m_bWriting = TRUE;
    UpdateData(FALSE);
    m_bWriting = FALSE;
    ApplyRunRule();
}

void CScriptTest::OnChangeScript()
{
    if (!m_bWriting)
        ApplyRunRule();
}

void CScriptTest::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    WriteProfile();
    CScriptPreview preview(this, m_strScript);
    if (preview.DoModal() != IDOK)
        return;
    CStringArray script;
    SplitScriptLines(preview.m_strScript, script);
    CStringArray output;
    {
        CWaitCursor wait;
        CScriptRunner(m_bActiveDebug, m_bInDebugger, m_bNoBanner, m_bUseUnicode,
                      m_bTimeout ? m_nSeconds : nFallbackSeconds, m_nOutput == 1, script, output);
    }
    ShowRun(script, output);
    GetDlgItem(IDC_RUN_VIEW_OUTPUT)->EnableWindow(TRUE);
}

void CScriptTest::ShowRun(const CStringArray& script, const CStringArray& output)
{
    CString strText = L"--- S c r i p t ---\r\n" + CStringArrayEx(script).Join(L"\r\n") +
                      L"\r\n\r\n--- O u t p u t ---\r\n" + CStringArrayEx(output).Join(L"\r\n");
    m_editOutput.SetWindowText(strText);
}

void CScriptTest::OnEdit()
{
    UpdateData(TRUE);
    CScriptDefine dialog(this, L".", m_strScript, FALSE);
    if (dialog.DoModal() != IDOK)
        return;
    m_strScript = dialog.m_strScript;
    WriteControls();
}

void CScriptTest::OnDefaults()
{
    SetDefaults();
    WriteControls();
}

void CScriptTest::OnSelect()
{
    CScriptSelect dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    UpdateData(TRUE);
    CScriptDefinitionMap scripts;
    scripts.Load();
    m_strScript = scripts.Lookup(dialog.m_strTitle);
    WriteControls();
}

void CScriptTest::OnViewOutput()
{
    ViewTextExternally(m_editOutput);
}
