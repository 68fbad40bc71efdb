// A host program for the library, as an outside program uses it: loads Sendrix.dll by name and
// calls its exports. Commands come from the command line:
//   config ADDRESS PORT   write AlarmAddress and AlarmPort
//   send CLASS N          raise an alarm of that class with N fields
//   sleep MS              wait
//   nulls                 call with null lists and null out-parameters
//   threads T N SIZE      T threads at once each raise N alarms; field "Alarm" is "t<thread>-<n>",
//                         field "Padding" SIZE copies of one letter ('a' + (thread * N + n) % 26)
// Every send prints "result=", "error=" and "record=" lines, line feeds shown as "|"; threads
// prints "threads sent=<count> failed=<count>" and "error=" with the first failure's text.
#include <winsock2.h>
#include <windows.h>

#include "tests/alarmsend/AlarmSettingsWriter.h"
#include "tests/alarmsend/SendrixLibrary.h"

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

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

// One sending thread of the "threads" command, and what all of them share.
struct SThreadsRun
{
    SSendrixLibrary* pSendrix;
    int nPerThread;
    int nPadding;
    volatile LONG nSent;
    volatile LONG nFailed;
    CRITICAL_SECTION lock;
    std::wstring firstError;
};

struct SSendingThread
{
    SThreadsRun* pRun;
    int nThread;
};

DWORD WINAPI SendingThread(void* pParameter)
{
    SSendingThread* pThread = (SSendingThread*)pParameter;
    SThreadsRun& run = *pThread->pRun;
    for (int n = 0; n < run.nPerThread; ++n)
    {
        wchar_t letter = (wchar_t)(L'a' + (pThread->nThread * run.nPerThread + n) % 26);
        std::wstring names(L"Alarm\0Padding\0", 15);
        std::wstring values = L"t" + std::to_wstring(pThread->nThread) + L"-" + std::to_wstring(n) + L'\0' +
                              std::wstring((size_t)run.nPadding, letter) + L'\0';
        wchar_t* record = nullptr;
        wchar_t* error = nullptr;
        run.pSendrix->send(1, 2, names.c_str(), values.c_str(), &record, &error);
        if (error && *error)
        {
            InterlockedIncrement(&run.nFailed);
            EnterCriticalSection(&run.lock);
            if (run.firstError.empty())
                run.firstError = error;
            LeaveCriticalSection(&run.lock);
        }
        else
            InterlockedIncrement(&run.nSent);
        run.pSendrix->release(record);
        run.pSendrix->release(error);
    }
    return 0;
}

void SendFromThreads(SSendrixLibrary& sendrix, int nThreads, int nPerThread, int nPadding)
{
    SThreadsRun run = {&sendrix, nPerThread, nPadding, 0, 0, {}, {}};
    InitializeCriticalSection(&run.lock);
    std::vector<SSendingThread> threads((size_t)nThreads);
    std::vector<HANDLE> handles;
    for (int i = 0; i < nThreads; ++i)
    {
        threads[(size_t)i] = {&run, i};
        HANDLE h = CreateThread(nullptr, 0, SendingThread, &threads[(size_t)i], 0, nullptr);
        if (h)
            handles.push_back(h);
    }
    WaitForMultipleObjects((DWORD)handles.size(), handles.data(), TRUE, 120000);
    for (HANDLE h : handles)
        CloseHandle(h);
    DeleteCriticalSection(&run.lock);
    printf("threads sent=%ld failed=%ld\n", (long)run.nSent, (long)run.nFailed);
    Print("error", run.firstError.c_str());
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
        else if (cmd == L"threads" && i + 3 < argc)
        {
            SendFromThreads(sendrix, _wtoi(argv[i + 1]), _wtoi(argv[i + 2]), _wtoi(argv[i + 3]));
            i += 3;
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
