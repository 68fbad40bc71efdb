// The JSON texts that the window driver and its menu reader answer with.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

inline std::string Utf8(const std::wstring& str)
{
    if (str.empty())
        return {};
    int cb = WideCharToMultiByte(CP_UTF8, 0, str.data(), (int)str.size(), nullptr, 0, nullptr, nullptr);
    std::string strOut((size_t)cb, '\0');
    WideCharToMultiByte(CP_UTF8, 0, str.data(), (int)str.size(), &strOut[0], cb, nullptr, nullptr);
    return strOut;
}

inline std::string Json(const std::wstring& str)
{
    std::string strOut = "\"";
    for (unsigned char c : Utf8(str))
    {
        if (c == '"' || c == '\\')
            strOut += {'\\', (char)c};
        else if (c < 0x20)
        {
            char szEscape[8];
            snprintf(szEscape, sizeof(szEscape), "\\u%04x", c);
            strOut += szEscape;
        }
        else
            strOut += (char)c;
    }
    return strOut + "\"";
}

inline std::string Json(long long n)
{
    return std::to_string(n);
}

inline std::string JsonBool(bool b)
{
    return b ? "true" : "false";
}

inline std::string JsonList(const std::vector<std::string>& items)
{
    std::string strOut = "[";
    for (size_t i = 0; i < items.size(); ++i)
        strOut += (i ? "," : "") + items[i];
    return strOut + "]";
}

