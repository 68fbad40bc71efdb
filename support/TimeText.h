// A stored moment shown as the user's short date and local time.
#pragma once

#include "framework/core/CString.h"

#include <ctime>

class CTimeText
{
public:
    CTimeText() : m_nTime(0) {}
    explicit CTimeText(__time32_t nTime) : m_nTime(nTime) {}
    virtual ~CTimeText() {}

    // Date and time joined by one blank; a value with no local form gives " ".
    CString Format() const;
    CString FormatCurrentTime() const;

private:
    __time32_t m_nTime;
};
