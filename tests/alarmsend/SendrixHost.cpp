// A host program for the library, as an outside program uses it: loads Sendrix.dll by name and
// calls its exports. Commands come from the command line:
//   config ADDRESS PORT   write AlarmAddress and AlarmPort
//   send CLASS N          raise an alarm of that class with N fields
//   sleep MS              wait
//   nulls                 call with null lists and null out-parameters
// Every send prints "result=", "error=" and "record=" lines, line feeds shown as "|".
#include <winsock2.h>
#include <windows.h>

#include "tests/alarmsend/AlarmSettingsWriter.h"
#include "tests/alarmsend/SendrixLibrary.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace
{
void Print(const char* label, const wchar_t* text)
{
    std::wstring s(text ? text : L"(null)");
    for (wchar_t& c : s)
        if (c == L'\n')
            c = L'|';
    int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out((size_t)n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, &out[0], n, nullptr, nullptr);
    printf("%s=%s\n", label, out.c_str());
}

// Names "Name0".."NameN-1" and values "Value0 é€ 😀".. as NUL-separated lists.
std::wstring FieldList(const wchar_t* stem, int n)
{
    std::wstring list;
    for (int i = 0; i < n; ++i)
    {
        list += stem + std::to_wstring(i);
        if (stem[0] == L'V')
            list += L" \x00E9\x20AC\xD83D\xDE00";
        list += L'\0';
    }
    list += L'\0';
    return list;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SSendrixLibrary sendrix;
    if (!sendrix.Loaded())
    {
        printf("load failed: %lu\n", GetLastError());
        return 2;
    }
    for (int i = 1; i < argc; ++i)
    {
        std::wstring cmd = argv[i];
        if (cmd == L"config" && i + 2 < argc)
        {
            WriteAlarmSetting(L"AlarmAddress", argv[i + 1]);
            WriteAlarmSetting(L"AlarmPort", argv[i + 2]);
            i += 2;
        }
        else if (cmd == L"sleep" && i + 1 < argc)
            Sleep((DWORD)_wtoi(argv[++i]));
        else if (cmd == L"send" && i + 2 < argc)
        {
            int nClass = _wtoi(argv[i + 1]);
            int nFields = _wtoi(argv[i + 2]);
            i += 2;
            std::wstring names = FieldList(L"Name", nFields), values = FieldList(L"Value", nFields);
            wchar_t* record = nullptr;
            wchar_t* error = nullptr;
            int result = sendrix.send(nClass, nFields, names.c_str(), values.c_str(), &record, &error);
            printf("result=%d\n", result);
            Print("error", error);
            Print("record", record);
            sendrix.release(record);
            sendrix.release(error);
        }
        else if (cmd == L"nulls")
        {
            int result = sendrix.send(1, 0, nullptr, nullptr, nullptr, nullptr);
            printf("result=%d\n", result);
        }
        fflush(stdout);
    }
    return 0;
}
