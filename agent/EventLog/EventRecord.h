// One event-log record as read, with every offset and string checked against the record's
// length, so a damaged record can never make the reader look outside its bytes.
#pragma once

#include "framework/Framework.h"

#include <vector>

class CEventRecord
{
public:
    CEventRecord() {}
    // FALSE when the bytes cannot be a record (shorter than the fixed part or than its length).
    BOOL Assign(const BYTE* pBytes, DWORD dwLength);
    BOOL IsEmpty() const { return m_bytes.empty(); }

    const EVENTLOGRECORD& Fixed() const { return *(const EVENTLOGRECORD*)m_bytes.data(); }
    DWORD Number() const { return Fixed().RecordNumber; }
    CString SourceName() const;
    CString ComputerName() const;
    // At most nMax insertion strings, each ended by its NUL or by the record's end.
    void GetStrings(CStringArray& arrStrings, int nMax) const;
    // NULL when the record carries no user or its SID does not fit in the record.
    PSID UserSid() const;

private:
    // Text from a byte offset up to its NUL or the record's end; the offset after the NUL.
    CString TextAt(DWORD dwOffset, DWORD* pdwNext) const;
    DWORD End() const { return (DWORD)m_bytes.size(); }

    std::vector<BYTE> m_bytes;
};
