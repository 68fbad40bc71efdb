// The agent's side of the wire check: frames built by the agent's own classes, for a collector
// that knows only the documented format.
//
//   agent_wire_peer send PORT    sends the fixed set of messages of wire_check.py
//   agent_wire_peer serve        prints "port N", answers one set-targets request by echoing
//                                its text in a set-targets reply
#include "agent/FramedMessage.h"

#include <winsock2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
SOCKET Connect(int nPort)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons((u_short)nPort);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, (sockaddr*)&addr, sizeof(addr)) != 0)
    {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

bool SendText(SOCKET s, DWORD dwType, DWORD dwResult, const wchar_t* pszText, DWORD dwKeyNumber)
{
    CFramedMessage msg;
    msg.BuildText(dwType, dwResult, pszText, dwKeyNumber);
    return msg.Send(s, FALSE) == CFramedMessage::eSent;
}

int SendAll(int nPort)
{
    SOCKET s = Connect(nPort);
    if (s == INVALID_SOCKET)
        return 2;
    std::wstring longText;
    for (int i = 0; i < 6000; ++i)
        longText += L"line " + std::to_wstring(i) + L"\n";
    bool bOk = SendText(s, 0x80000002, 0, L"{{ELM}}_HOST_ abc\n\u00c4rger \u4e2d \U0001F600", 2) &&
               SendText(s, 0x80000003, 0, L"", 3) && SendText(s, 0x80000004, 1, L"Targets updated", 4) &&
               SendText(s, 0x80000007, 1, longText.c_str(), 7);
    const BYTE record[4] = {0x61, 0, 0, 0};
    CFramedMessage alarm;
    alarm.BuildRecord(20, record, sizeof(record));
    bOk = bOk && alarm.Send(s, TRUE) == CFramedMessage::eSent;
    closesocket(s);
    return bOk ? 0 : 1;
}

int ServeOne()
{
    SOCKET listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int nLength = sizeof(addr);
    if (bind(listener, (sockaddr*)&addr, sizeof(addr)) != 0 || listen(listener, 1) != 0 ||
        getsockname(listener, (sockaddr*)&addr, &nLength) != 0)
        return 2;
    printf("port %u\n", ntohs(addr.sin_port));
    fflush(stdout);
    SOCKET s = accept(listener, nullptr, nullptr);
    closesocket(listener);
    CFramedMessage request;
    if (request.Receive(s) != CFramedMessage::eReceived || request.GetType() != 4)
        return 1;
    request.Decipher(4, 28);
    bool bOk = SendText(s, CFramedMessage::ReplyType(4), 1, request.GetText(), 4);
    closesocket(s);
    return bOk ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 0), &data);
    int nResult = 3;
    if (argc == 3 && strcmp(argv[1], "send") == 0)
        nResult = SendAll(atoi(argv[2]));
    else if (argc == 2 && strcmp(argv[1], "serve") == 0)
        nResult = ServeOne();
    WSACleanup();
    return nResult;
}
