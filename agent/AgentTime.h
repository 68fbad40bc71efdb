// One moment in the local-time texts that the agent writes.
#pragma once

#include "framework/core/CString.h"

class CAgentTime
{
public:
    explicit CAgentTime(__time64_t time) : m_time(time) {}
    static CAgentTime Now();

    // "2026-12-09 03:34:40": the start and last-message values of the volatile registry key.
    CString Stamp() const;
    // "2026-12-09 033440": cache file names and their creation time.
    CString FileStamp() const;
    // The locale's full date and time ("%c"): record times in the trace.
    CString Full() const;
    // The C library's asctime form without its newline: connection lines of the trace.
    CString AscTime() const;

private:
    __time64_t m_time;
};
