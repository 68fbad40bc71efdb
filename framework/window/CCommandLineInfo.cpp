#include "framework/window/CCommandLineInfo.h"

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew)
{
}

void CCommandLineInfo::ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL)
{
    if (!bFlag)
    {
        if (m_strFileName.IsEmpty())
        {
            m_strFileName = pszParam;
            m_nShellCommand = FileOpen;
        }
        return;
    }
    if (CString(pszParam).CompareNoCase(L"Embedding") == 0)
    {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (CString(pszParam).CompareNoCase(L"Automation") == 0)
    {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
}
