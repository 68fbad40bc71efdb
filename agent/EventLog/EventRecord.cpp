#include "agent/EventLog/EventRecord.h"

BOOL CEventRecord::Assign(const BYTE* pBytes, DWORD dwLength)
{
    m_bytes.clear();
    if (!pBytes || dwLength < sizeof(EVENTLOGRECORD))
        return FALSE;
    DWORD dwOwn = ((const EVENTLOGRECORD*)pBytes)->Length;
    if (dwOwn < sizeof(EVENTLOGRECORD) || dwOwn > dwLength)
        return FALSE;
    m_bytes.assign(pBytes, pBytes + dwOwn);
    return TRUE;
}

CString CEventRecord::TextAt(DWORD dwOffset, DWORD* pdwNext) const
{
    CString s;
    DWORD dwPos = dwOffset;
    while (dwPos + sizeof(wchar_t) <= End())
    {
        wchar_t ch;
        memcpy(&ch, &m_bytes[dwPos], sizeof(ch));
        dwPos += sizeof(wchar_t);
        if (!ch)
            break;
        s += ch;
    }
    if (pdwNext)
        *pdwNext = dwPos;
    return s;
}

CString CEventRecord::SourceName() const
{
    return TextAt(sizeof(EVENTLOGRECORD), nullptr);
}

CString CEventRecord::ComputerName() const
{
    DWORD dwNext = 0;
    TextAt(sizeof(EVENTLOGRECORD), &dwNext);
    return TextAt(dwNext, nullptr);
}

void CEventRecord::GetStrings(CStringArray& arrStrings, int nMax) const
{
    arrStrings.RemoveAll();
    if (m_bytes.empty())
        return;
    DWORD dwPos = Fixed().StringOffset;
    for (int i = 0; i < Fixed().NumStrings && i < nMax && dwPos < End(); i++)
        arrStrings.Add(TextAt(dwPos, &dwPos));
}

PSID CEventRecord::UserSid() const
{
    if (m_bytes.empty())
        return nullptr;
    DWORD dwOffset = Fixed().UserSidOffset, dwLength = Fixed().UserSidLength;
    if (!dwOffset || !dwLength || dwOffset > End() || dwLength > End() - dwOffset)
        return nullptr;
    PSID pSid = (PSID)&m_bytes[dwOffset];
    if (!IsValidSid(pSid) || GetLengthSid(pSid) > dwLength)
        return nullptr;
    return pSid;
}
