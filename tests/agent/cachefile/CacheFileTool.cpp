// The agent's side of the cache-file check: writes and reads cache files with the agent's
// classes, for an XML parser outside Wine.
//
//   agent_cache_tool write PATH HEX    saves the UTF-16 message given as hex code units
//   agent_cache_tool read PATH         prints host, port and the message as hex code units
#include "agent/MessageCache.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace
{
CString FromHex(const char* pszHex)
{
    CString strText;
    for (size_t i = 0; pszHex[i] && pszHex[i + 1] && pszHex[i + 2] && pszHex[i + 3]; i += 4)
        strText += (wchar_t)std::stoul(std::string(pszHex + i, 4), nullptr, 16);
    return strText;
}

void PrintHex(const CString& strText)
{
    for (int i = 0; i < strText.GetLength(); ++i)
        printf("%04X", (unsigned)strText[i]);
    printf("\n");
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "write") == 0)
    {
        CString strError;
        return CMessageCache::SaveMessage(CString(argv[2]), L"collector.example", 7000, FromHex(argv[3]),
                                          L"CacheFileTool.cpp", __LINE__, strError)
                   ? 0
                   : 1;
    }
    if (argc == 3 && strcmp(argv[1], "read") == 0)
    {
        CString strHost, strMessage;
        UINT nPort = 0;
        if (!CMessageCache::ReadMessage(CString(argv[2]), strHost, strMessage, nPort))
            return 1;
        printf("%s %u\n", CStringA(strHost).GetString(), nPort);
        PrintHex(strMessage);
        return 0;
    }
    return 3;
}
