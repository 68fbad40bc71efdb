// Stands in for Windows' script host where Wine's cannot show what a test needs: non-ASCII and
// very long output. It runs scripts made only of echo lines (WScript.Echo "text" to standard
// output, WScript.StdErr.WriteLine "text" to standard error) and writes like cscript with its
// output redirected: UTF-16LE with //U, otherwise the OEM code page.
#include <windows.h>

#include <string>

namespace
{
bool g_bUnicode = false;

std::wstring ReadScript(const wchar_t* pszPath)
{
    HANDLE hFile = CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return std::wstring();
    std::string bytes;
    char buffer[4096];
    DWORD nRead = 0;
    while (ReadFile(hFile, buffer, sizeof buffer, &nRead, nullptr) && nRead > 0)
        bytes.append(buffer, nRead);
    CloseHandle(hFile);
    if (bytes.size() >= 2 && (unsigned char)bytes[0] == 0xFF && (unsigned char)bytes[1] == 0xFE)
        return std::wstring((const wchar_t*)(bytes.data() + 2), (bytes.size() - 2) / 2);
    std::wstring text(bytes.size(), L'\0');
    int nChars = MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), &text[0], (int)text.size());
    text.resize(nChars > 0 ? (size_t)nChars : 0);
    return text;
}

void WriteLine(DWORD nStdHandle, const std::wstring& line)
{
    std::wstring text = line + L"\r\n";
    std::string bytes;
    if (g_bUnicode)
        bytes.assign((const char*)text.data(), text.size() * sizeof(wchar_t));
    else
    {
        bytes.assign(text.size() * 2, '\0');
        int n = WideCharToMultiByte(CP_OEMCP, 0, text.data(), (int)text.size(), &bytes[0], (int)bytes.size(),
                                    nullptr, nullptr);
        bytes.resize(n > 0 ? (size_t)n : 0);
    }
    DWORD nWritten = 0;
    WriteFile(GetStdHandle(nStdHandle), bytes.data(), (DWORD)bytes.size(), &nWritten, nullptr);
}

// The literal of a line "<prefix>"text"", its doubled quotes made single; false for other lines.
bool Literal(const std::wstring& line, const wchar_t* pszPrefix, std::wstring& text)
{
    size_t nPrefix = wcslen(pszPrefix);
    if (line.compare(0, nPrefix, pszPrefix) != 0 || line.size() < nPrefix + 1 || line.back() != L'"')
        return false;
    text.clear();
    for (size_t i = nPrefix; i + 1 < line.size(); ++i)
    {
        text += line[i];
        if (line[i] == L'"')
            ++i;
    }
    return true;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        g_bUnicode = g_bUnicode || _wcsicmp(argv[i], L"//U") == 0;
    std::wstring script = ReadScript(argv[argc - 1]);
    size_t nStart = 0;
    while (nStart < script.size())
    {
        size_t nEnd = script.find(L'\n', nStart);
        if (nEnd == std::wstring::npos)
            nEnd = script.size();
        std::wstring line = script.substr(nStart, nEnd - nStart);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        std::wstring text;
        if (Literal(line, L"WScript.Echo \"", text))
            WriteLine(STD_OUTPUT_HANDLE, text);
        else if (Literal(line, L"WScript.StdErr.WriteLine \"", text))
            WriteLine(STD_ERROR_HANDLE, text);
        nStart = nEnd + 1;
    }
    return 0;
}
