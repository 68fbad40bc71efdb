// SMS PDU encoding of 10,000 texts of 300 characters (two 7-bit parts each); target: under
// 100 ms in all.
#include "alarmmodel/channels/SendSMS.h"

#include <chrono>
#include <cstdio>

int main()
{
    const int kTexts = 10000;
    CString text;
    for (int i = 0; i < 300; ++i)
        text += (wchar_t)(L"Alarm on host [db-01]: disk C: 97% full; {check} "[i % 50]);
    size_t octets = 0;
    auto start = std::chrono::steady_clock::now();
    std::vector<CStringA> pdus;
    for (int i = 0; i < kTexts; ++i)
    {
        CStringA septets;
        CSendSMS::MapToGsmAlphabet(text, septets);
        CSendSMS::Make7BitPdus(septets, L"+41791234567", i, pdus);
        for (const CStringA& pdu : pdus)
            octets += (size_t)CSendSMS::PduOctetCount(pdu);
    }
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    printf("PDU encoding: %d texts of 300 characters in %.1f ms (%zu octets), target < 100 ms: %s\n",
           kTexts, ms, octets, ms < 100 ? "met" : "MISSED");
    return 0;
}
