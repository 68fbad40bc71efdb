#include "console/scripts/CSampleScripts.h"

#include "support/StringEx.h"

BOOL CSampleScripts::LoadResource(UINT nID)
{
    HMODULE hModule = ::GetModuleHandleW(nullptr);
    HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(nID), MAKEINTRESOURCEW(23));
    HGLOBAL hData = hResource ? ::LoadResource(hModule, hResource) : nullptr;
    const char* pText = hData ? (const char*)::LockResource(hData) : nullptr;
    if (!pText)
        return FALSE;
    Parse(pText, ::SizeofResource(hModule, hResource));
    return TRUE;
}

void CSampleScripts::Parse(const char* pText, size_t nLength)
{
    m_arrLines.RemoveAll();
    m_arrTitles.RemoveAll();
    m_mapIndex.clear();
    size_t nStart = 0;
    while (nStart < nLength)
    {
        size_t nEnd = nStart;
        while (nEnd < nLength && pText[nEnd] != '\n')
            ++nEnd;
        size_t nStop = nEnd > nStart && nEnd < nLength && pText[nEnd - 1] == '\r' ? nEnd - 1 : nEnd;
        m_arrLines.Add(CString(pText + nStart, (int)(nStop - nStart)));
        nStart = nEnd + 1;
    }
    int nTitleLine = -1;
    CString strTitle;
    for (int i = 0; i <= m_arrLines.GetSize(); ++i)
    {
        BOOL bEnd = i == m_arrLines.GetSize();
        if (!bEnd && wcsncmp(m_arrLines[i], L">'", 2) != 0)
            continue;
        if (nTitleLine >= 0)
            m_mapIndex[strTitle.str()] = (DWORD)((i - nTitleLine - 1) << 16) | (DWORD)(nTitleLine + 1);
        if (bEnd)
            break;
        strTitle = m_arrLines[i].Mid(2);
        strTitle.Trim();
        m_arrTitles.Add(strTitle);
        nTitleLine = i;
    }
    CStringArrayEx sorted(m_arrTitles);
    sorted.Sort(TRUE);
    m_arrTitles.Copy(sorted);
}

void CSampleScripts::GetBody(const CString& strTitle, CStringArray& body) const
{
    body.RemoveAll();
    auto found = m_mapIndex.find(strTitle.str());
    if (found == m_mapIndex.end())
        return;
    int nFirst = (int)(found->second & 0xFFFF);
    int nCount = (int)(found->second >> 16);
    for (int i = nFirst; i < nFirst + nCount; ++i)
        body.Add(m_arrLines[i]);
}
