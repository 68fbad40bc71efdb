// Baseline for the agent's forwarding rate: the same push frames, each over a fresh loopback
// connection, with no agent logic around them.
//   bench_agent_baseline.exe PORT COUNT TEXT-LENGTH
#include "agent/FramedMessage.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    int nPort = atoi(argv[1]), nCount = atoi(argv[2]), nLength = atoi(argv[3]);
    WSADATA data;
    WSAStartup(MAKEWORD(2, 0), &data);
    CString strText(L'x', nLength);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons((u_short)nPort);
    address.sin_addr.s_addr = inet_addr("127.0.0.1");
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    int nSent = 0;
    for (int i = 0; i < nCount; i++)
    {
        SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
        if (connect(s, (const sockaddr*)&address, sizeof(address)) == 0)
        {
            CFramedMessage message;
            message.BuildText(0x80000002, 0, strText, 2);
            if (message.Send(s, FALSE) == CFramedMessage::eSent)
                nSent++;
        }
        closesocket(s);
    }
    QueryPerformanceCounter(&end);
    double dSeconds = (double)(end.QuadPart - start.QuadPart) / (double)frequency.QuadPart;
    printf("%d %.3f\n", nSent, dSeconds);
    WSACleanup();
    return 0;
}
