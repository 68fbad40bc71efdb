// The benchmarks' clock: seconds on the performance counter, for differences only.
#pragma once

#include <windows.h>

inline double BenchSeconds()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return (double)counter.QuadPart / (double)frequency.QuadPart;
}

inline double BenchMilliseconds()
{
    return BenchSeconds() * 1000.0;
}
