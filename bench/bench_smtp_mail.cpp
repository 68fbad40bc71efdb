// One mail to a real SMTP server on loopback, end to end (connect, send, quit); target: under
// 50 ms. Run through the test peers, which start aiosmtpd:
//   tests/alarmmodel/channels/peers.py --aiosmtpd -- tools/wine-run build/default/bench/bench_smtp_mail.exe
#include "alarmmodel/channels/SmtpClient.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

int main()
{
    const char* port = getenv("TERVOK_SMTP_AIOSMTPD_PORT");
    if (!port)
    {
        printf("TERVOK_SMTP_AIOSMTPD_PORT is not set: run through peers.py --aiosmtpd\n");
        return 1;
    }
    double best = 1e9, total = 0;
    const int kRuns = 20;
    for (int i = 0; i < kRuns; ++i)
    {
        auto start = std::chrono::steady_clock::now();
        CSmtpClient smtp;
        if (!smtp.Connect("127.0.0.1", htons((USHORT)atoi(port))))
            return 1;
        smtp.SetSenderName("Alarm Console");
        smtp.SetSenderAddress("alarms@example.com");
        smtp.SetSubject("Disk full");
        smtp.AddTo("ops@example.com", "");
        smtp.SetBody("Disk C: of db-01 is 97% full.\r\nPlease check.\r\n");
        if (!smtp.Send() || !smtp.Quit())
        {
            printf("mail failed: %s\n", smtp.m_szErrorText);
            return 1;
        }
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, ms);
        total += ms;
    }
    printf("One mail end to end: best %.1f ms, mean %.1f ms over %d, target < 50 ms: %s\n", best,
           total / kRuns, kRuns, total / kRuns < 50 ? "met" : "MISSED");
    return 0;
}
