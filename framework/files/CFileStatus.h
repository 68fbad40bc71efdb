// What CFile::GetStatus reports about a file.
#pragma once

#include "framework/core/CTime.h"

struct CFileStatus
{
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;
    wchar_t m_szFullName[MAX_PATH] = L"";
};
