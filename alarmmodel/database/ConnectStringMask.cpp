#include "alarmmodel/database/ConnectStringMask.h"

namespace
{
const wchar_t kMask[] = L"********";

bool IsPasswordKey(CString strKey)
{
    strKey.Trim();
    return strKey.CompareNoCase(L"PWD") == 0 || strKey.CompareNoCase(L"Password") == 0;
}

// The end of the value that starts at nStart: after its closing brace when braced (a doubled
// closing brace is part of the value), else at the next semicolon; the text's end when none.
int ValueEnd(const CString& strConnect, int nStart)
{
    const int nLength = strConnect.GetLength();
    if (nStart < nLength && strConnect[nStart] == L'{')
    {
        for (int i = nStart + 1; i < nLength; ++i)
        {
            if (strConnect[i] != L'}')
                continue;
            if (i + 1 < nLength && strConnect[i + 1] == L'}')
                ++i;
            else
                return i + 1;
        }
        return nLength;
    }
    const int nSemicolon = strConnect.Find(L';', nStart);
    return nSemicolon < 0 ? nLength : nSemicolon;
}
} // namespace

CString MaskConnectPasswords(const wchar_t* pszConnect)
{
    const CString strConnect(pszConnect);
    const int nLength = strConnect.GetLength();
    CString strMasked;
    int nPos = 0;
    while (nPos < nLength)
    {
        const int nEquals = strConnect.Find(L'=', nPos);
        const int nSemicolon = strConnect.Find(L';', nPos);
        if (nEquals < 0 || (nSemicolon >= 0 && nSemicolon < nEquals))
        {
            // An attribute without a value.
            const int nEnd = nSemicolon < 0 ? nLength : nSemicolon + 1;
            strMasked += strConnect.Mid(nPos, nEnd - nPos);
            nPos = nEnd;
            continue;
        }
        const int nValueEnd = ValueEnd(strConnect, nEquals + 1);
        strMasked += strConnect.Mid(nPos, nEquals + 1 - nPos);
        if (IsPasswordKey(strConnect.Mid(nPos, nEquals - nPos)) && nValueEnd > nEquals + 1)
            strMasked += kMask;
        else
            strMasked += strConnect.Mid(nEquals + 1, nValueEnd - nEquals - 1);
        nPos = nValueEnd;
    }
    return strMasked;
}
