// Runs Wine's cscript with the switches it accepts; the others (time limit, Unicode output,
// debugging, banner) are dropped so the runner's other command lines can run here.
#include <windows.h>

#include <string>

namespace
{
bool IsRefused(const wchar_t* pszArg)
{
    const wchar_t* const refused[] = {L"//U", L"//D", L"//X", L"//Logo"};
    for (const wchar_t* psz : refused)
    {
        if (_wcsicmp(pszArg, psz) == 0)
            return true;
    }
    return _wcsnicmp(pszArg, L"//T:", 4) == 0;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring commandLine = L"cscript";
    for (int i = 1; i < argc; ++i)
    {
        if (!IsRefused(argv[i]))
            commandLine += L" " + std::wstring(argv[i]);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return 2;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD dwExit = 1;
    GetExitCodeProcess(process.hProcess, &dwExit);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return (int)dwExit;
}
