#include "alarmmodel/channels/ConsoleTextFile.h"

#include "support/CodePageText.h"

#include <string>

namespace
{
UINT SystemOemCodePage()
{
    return GetOEMCP();
}

CodePageFunction g_pfnOemCodePage = SystemOemCodePage;

CString FromOem(const char* pBytes, int nBytes)
{
    CString strText;
    if (nBytes <= 0)
        return strText;
    UINT nCodePage = g_pfnOemCodePage();
    int nChars = MultiByteToWideChar(nCodePage, 0, pBytes, nBytes, nullptr, 0);
    if (nChars > 0)
        MultiByteToWideChar(nCodePage, 0, pBytes, nBytes, strText.GetBufferSetLength(nChars), nChars);
    return strText;
}

// UTF-16LE bytes without a leading byte-order mark; an odd last byte is dropped.
CString FromUtf16(const std::string& bytes)
{
    std::wstring text(bytes.size() / 2, L'\0');
    if (!text.empty())
        memcpy(&text[0], bytes.data(), text.size() * sizeof(wchar_t));
    if (!text.empty() && text[0] == L'\xFEFF')
        text.erase(0, 1);
    return CString(text.c_str(), (int)text.size());
}

// At every line feed; a carriage return before it is not part of the line, and a text that
// ends with a line feed has no empty last line.
void SplitLines(const CString& strText, CStringArray& lines)
{
    int nStart = 0;
    int nLength = strText.GetLength();
    while (nStart < nLength)
    {
        int nEnd = strText.Find(L'\n', nStart);
        int nStop = nEnd < 0 ? nLength : nEnd;
        int nLineEnd = nEnd >= 0 && nStop > nStart && strText[nStop - 1] == L'\r' ? nStop - 1 : nStop;
        lines.Add(strText.Mid(nStart, nLineEnd - nStart));
        nStart = nStop + 1;
    }
}
} // namespace

CodePageFunction SetOemCodePageFunction(CodePageFunction fn)
{
    CodePageFunction pfnPrevious = g_pfnOemCodePage;
    g_pfnOemCodePage = fn ? fn : SystemOemCodePage;
    return pfnPrevious;
}

BOOL CConsoleTextFile::Remove(CString& strError)
{
    Delete();
    if (!Exists())
        return TRUE;
    strError.Format(L"Cannot replace %s: it is in use", (const wchar_t*)m_strPath);
    return FALSE;
}

BOOL CConsoleTextFile::Exists() const
{
    return GetFileAttributesW(m_strPath) != INVALID_FILE_ATTRIBUTES;
}

BOOL CConsoleTextFile::WriteOemLines(const CStringArray& lines, CString& strError)
{
    std::string content;
    for (int i = 0; i < lines.GetSize(); ++i)
    {
        std::string bytes;
        if (!ToCodePageExactly(g_pfnOemCodePage(), lines[i], bytes))
        {
            strError.Format(L"Line %d holds characters that the console code page cannot show: %s",
                            i + 1, (const wchar_t*)lines[i]);
            return FALSE;
        }
        content += bytes;
        content += "\r\n";
    }
    if (WriteBytes(content.data(), (DWORD)content.size()))
        return TRUE;
    strError.Format(L"Cannot write %s", (const wchar_t*)m_strPath);
    return FALSE;
}

BOOL CConsoleTextFile::WriteScriptLines(const CStringArray& lines)
{
    std::string ansi;
    std::wstring wide(1, L'\xFEFF');
    BOOL bAnsi = TRUE;
    for (const CString& line : lines)
    {
        std::string bytes;
        bAnsi = bAnsi && ToCodePageExactly(GetACP(), line, bytes);
        ansi += bytes + "\r\n";
        wide += line.str() + L"\r\n";
    }
    if (bAnsi)
        return WriteBytes(ansi.data(), (DWORD)ansi.size());
    return WriteBytes(wide.data(), (DWORD)(wide.size() * sizeof(wchar_t)));
}

BOOL CConsoleTextFile::WriteBytes(const void* pData, DWORD nBytes)
{
    HANDLE hFile = CreateFileW(m_strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD nWritten = 0;
    BOOL bOk = WriteFile(hFile, pData, nBytes, &nWritten, nullptr) && nWritten == nBytes;
    return CloseHandle(hFile) && bOk;
}

BOOL CConsoleTextFile::ReadBytes(std::string& content)
{
    content.clear();
    HANDLE hFile = CreateFileW(m_strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    char buffer[4096];
    DWORD nRead = 0;
    while (ReadFile(hFile, buffer, sizeof(buffer), &nRead, nullptr) && nRead > 0)
        content.append(buffer, nRead);
    CloseHandle(hFile);
    return TRUE;
}

BOOL CConsoleTextFile::ReadOemLines(CStringArray& lines)
{
    lines.RemoveAll();
    std::string content;
    if (!ReadBytes(content))
        return FALSE;
    SplitLines(FromOem(content.data(), (int)content.size()), lines);
    return lines.GetSize() > 0;
}

BOOL CConsoleTextFile::ReadOemLinesAround(const char* pszStartMarker, const char* pszEndMarker, CStringArray& lines)
{
    lines.RemoveAll();
    std::string content;
    if (!ReadBytes(content))
        return FALSE;
    size_t nStart = content.find(pszStartMarker);
    if (nStart != std::string::npos)
        nStart = content.find('\n', nStart);
    size_t nEnd = content.rfind(pszEndMarker);
    if (nStart == std::string::npos || nEnd == std::string::npos || nEnd <= nStart)
    {
        SplitLines(FromOem(content.data(), (int)content.size()), lines);
        return lines.GetSize() > 0;
    }
    ++nStart;
    CString strText = FromOem(content.data(), (int)nStart);
    std::string host = content.substr(nStart, nEnd - nStart);
    strText += host.find('\0') == std::string::npos ? FromOem(host.data(), (int)host.size()) : FromUtf16(host);
    strText += FromOem(content.data() + nEnd, (int)(content.size() - nEnd));
    SplitLines(strText, lines);
    return lines.GetSize() > 0;
}
