// Writes records into an event-log spool folder, as a source that another program watches.
//   SpoolFeed <folder> append <log> <source> <event id> <type> <category> <count> [-sid] [strings...]
//   SpoolFeed <folder> clear <log>
//   SpoolFeed <folder> wrap <log> <count>
// In strings, "{n}" becomes the record's index within this call (0 onward).
#include "agent/EventLog/SpoolEventLogSource.h"

#include <cstdio>
#include <cwchar>
#include <vector>

namespace
{
std::vector<BYTE> ProcessUserSid()
{
    std::vector<BYTE> sid;
    HANDLE hToken = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hToken))
        return sid;
    BYTE buffer[512];
    DWORD dwSize = 0;
    if (GetTokenInformation(hToken, TokenUser, buffer, sizeof(buffer), &dwSize))
    {
        PSID pSid = ((TOKEN_USER*)buffer)->User.Sid;
        BYTE* p = (BYTE*)pSid;
        sid.assign(p, p + GetLengthSid(pSid));
    }
    CloseHandle(hToken);
    return sid;
}

int Append(CSpoolEventLogSource& spool, int argc, wchar_t** argv)
{
    if (argc < 9)
        return 2;
    SEventRecordFields fields;
    fields.strSource = argv[4];
    fields.dwEventId = (DWORD)wcstoul(argv[5], nullptr, 0);
    fields.wEventType = (WORD)wcstoul(argv[6], nullptr, 0);
    fields.wCategory = (WORD)wcstoul(argv[7], nullptr, 0);
    long nCount = wcstol(argv[8], nullptr, 10);
    int nFirstString = 9;
    if (argc > 9 && !wcscmp(argv[9], L"-sid"))
    {
        fields.sid = ProcessUserSid();
        nFirstString = 10;
    }
    wchar_t szComputer[64] = {0};
    DWORD dwComputer = 64;
    GetComputerNameW(szComputer, &dwComputer);
    fields.strComputer = szComputer;
    std::vector<std::vector<BYTE>> images;
    for (long n = 0; n < nCount; n++)
    {
        fields.arrStrings.RemoveAll();
        CString strIndex;
        strIndex.Format(L"%ld", n);
        for (int i = nFirstString; i < argc; i++)
        {
            CString s(argv[i]);
            s.Replace(L"{n}", strIndex);
            fields.arrStrings.Add(s);
        }
        fields.dwTimeGenerated = fields.dwTimeWritten = (DWORD)time(nullptr);
        images.push_back(CSpoolEventLogSource::BuildImage(fields));
    }
    // All records at once: a reader finds the whole batch in the log when it first looks.
    DWORD dwFirst = spool.AppendBatch(argv[3], images);
    if (!dwFirst)
        return 1;
    DWORD dwLast = dwFirst + (DWORD)images.size() - 1;
    printf("%lu %lu\n", (unsigned long)dwFirst, (unsigned long)dwLast);
    return 0;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4)
        return 2;
    CSpoolEventLogSource spool(argv[1]);
    CreateDirectoryW(argv[1], nullptr);
    if (!wcscmp(argv[2], L"append"))
        return Append(spool, argc, argv);
    if (!wcscmp(argv[2], L"clear"))
        return spool.Clear(argv[3]) ? 0 : 1;
    if (!wcscmp(argv[2], L"wrap") && argc > 4)
        return spool.Wrap(argv[3], (DWORD)wcstoul(argv[4], nullptr, 10)) ? 0 : 1;
    return 2;
}
