#include "agent/TargetList.h"

#include "agent/GlobalLocks.h"
#include "support/AppPaths.h"
#include "support/SystemErrorText.h"
#include "support/TextFile.h"

#include <cstdio>

namespace
{
const wchar_t s_szFileName[] = L"QuorvexTargets.txt";
const wchar_t s_szContents[] = L"Target Addresses";
const char s_szPrefix[] = "TARGET>";
const int s_nPrefixLength = 7;
const int s_nLineBuffer = 256;
} // namespace

CTargetList::CTargetList() : m_strPath(GetAppPaths().GetProgramFolder() + s_szFileName)
{
}

CTargetList::CTargetList(const wchar_t* pszPath) : m_strPath(pszPath)
{
}

void CTargetList::ReadTargets(CStringArray& targets) const
{
    targets.RemoveAll();
    CSingleLock lock(&GlobalLocks().m_lockTargets, TRUE);
    FILE* pFile = _wfopen(m_strPath, L"rt");
    if (!pFile)
        return;
    char szLine[s_nLineBuffer];
    while (fgets(szLine, s_nLineBuffer, pFile))
    {
        if (strncmp(szLine, s_szPrefix, s_nPrefixLength) != 0)
            continue;
        CString strTarget(szLine + s_nPrefixLength);
        strTarget.Trim();
        targets.Add(strTarget);
    }
    fclose(pFile);
}

int CTargetList::WriteTargets(const CStringArray& lines, CString& strError) const
{
    strError.Empty();
    CSingleLock lock(&GlobalLocks().m_lockTargets, TRUE);
    SetLastError(ERROR_SUCCESS);
    if (CTextFile(m_strPath).WriteWithHeader(lines, s_szContents))
        return 1;
    DWORD dwError = GetLastError();
    strError.Format(L"Error writing %s: %s", m_strPath.GetString(),
                    dwError == ERROR_SUCCESS ? L"a line could not be written"
                                             : CSystemErrorText(dwError, L"", L"", L"", L"", L"").m_strText.GetString());
    return 0;
}
