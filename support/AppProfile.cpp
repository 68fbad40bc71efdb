#include "support/AppProfile.h"

#include "support/StringEx.h"

#include <cstdlib>

namespace
{
const wchar_t kSection[] = L"Belvane";

// The decimal number at the start of an item; items are cut to 19 characters first.
int ItemValue(const CString& item)
{
    CStringA narrow(item.Left(19));
    return atoi(narrow);
}

CString RectName(const wchar_t* pszName)
{
    CString name;
    name.Format(L"%s rect", pszName);
    return name;
}
} // namespace

int CAppProfile::GetInt(const wchar_t* pszName, int nDefault)
{
    CWinApp* pApp = AfxGetApp();
    return pApp ? (int)pApp->GetProfileInt(kSection, pszName, nDefault) : nDefault;
}

void CAppProfile::WriteInt(const wchar_t* pszName, int nValue)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->WriteProfileInt(kSection, pszName, nValue);
}

BOOL CAppProfile::GetBool(const wchar_t* pszName, BOOL bDefault)
{
    return GetInt(pszName, bDefault) == 1;
}

void CAppProfile::WriteBool(const wchar_t* pszName, BOOL bValue)
{
    WriteInt(pszName, bValue);
}

CString CAppProfile::GetString(const wchar_t* pszName, const wchar_t* pszDefault)
{
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->GetProfileString(kSection, pszName, pszDefault) : CString(pszDefault);
}

void CAppProfile::WriteString(const wchar_t* pszName, const wchar_t* pszText)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->WriteProfileString(kSection, pszName, pszText);
}

void CAppProfile::WriteIntList(const wchar_t* pszName, const std::vector<int>& values)
{
    CString text;
    for (size_t i = 0; i < values.size(); ++i)
        text.AppendFormat(i ? L",%d" : L"%d", values[i]);
    WriteString(pszName, text);
}

void CAppProfile::GetIntList(const wchar_t* pszName, std::vector<int>& values)
{
    values.clear();
    CStringArray items;
    CStringEx(GetString(pszName, L"")).Split(L',', items);
    for (const CString& item : items)
        values.push_back(ItemValue(item));
}

void CAppProfile::WriteStringList(const wchar_t* pszName, const CStringArray& strings)
{
    std::vector<wchar_t> block;
    for (const CString& s : strings)
        block.insert(block.end(), s.GetString(), s.GetString() + s.GetLength() + 1);
    if (CWinApp* pApp = AfxGetApp())
        pApp->WriteProfileBinary(kSection, CString(pszName) + L"W", (const BYTE*)block.data(),
                                 (UINT)(block.size() * sizeof(wchar_t)));
}

void CAppProfile::GetStringList(const wchar_t* pszName, CStringArray& strings)
{
    strings.RemoveAll();
    CWinApp* pApp = AfxGetApp();
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!pApp || !pApp->GetProfileBinary(kSection, CString(pszName) + L"W", &pData, &nBytes))
        return;
    // Whole characters only, and never past the stored bytes: a last string may lack its NUL.
    const wchar_t* text = (const wchar_t*)pData;
    size_t nChars = nBytes / sizeof(wchar_t);
    for (size_t pos = 0; pos < nChars;)
    {
        size_t end = pos;
        while (end < nChars && text[end])
            ++end;
        strings.Add(CString(text + pos, (int)(end - pos)));
        pos = end + 1;
    }
    delete[] pData;
}

void CAppProfile::WriteRect(const wchar_t* pszName, const RECT& rect)
{
    WriteIntList(RectName(pszName), {(int)rect.top, (int)rect.bottom, (int)rect.left, (int)rect.right});
}

RECT CAppProfile::GetRect(const wchar_t* pszName, const RECT& rectDefault)
{
    std::vector<int> values;
    GetIntList(RectName(pszName), values);
    if (values.size() != 4)
        return rectDefault;
    RECT rect;
    rect.top = values[0];
    rect.bottom = values[1];
    rect.left = values[2];
    rect.right = values[3];
    return rect;
}

CAppProfile& GetAppProfile()
{
    static CAppProfile profile;
    return profile;
}
