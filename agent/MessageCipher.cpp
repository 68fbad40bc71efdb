#include "agent/MessageCipher.h"

#include "agent/Blowfish.h"

#include <cstdio>
#include <memory>

const char CMessageCipher::s_szKeyPrefix[12] = "Tervok-Qrvx";

void CMessageCipher::MakeKey(DWORD dwKeyNumber, char szKey[20])
{
    _snprintf(szKey, 20, "%s%08lX", s_szKeyPrefix, (unsigned long)dwKeyNumber);
    szKey[19] = '\0';
}

namespace
{
// The key schedule costs as much as enciphering 4 KiB, so the schedules of the small key
// numbers (all that are in use) are made once per process and shared read-only.
const DWORD s_nCachedKeys = 16;

class CKeySchedules
{
public:
    CKeySchedules()
    {
        for (DWORD i = 0; i < s_nCachedKeys; ++i)
            m_schedules[i] = MakeSchedule(i);
    }
    static std::unique_ptr<CBlowfish> MakeSchedule(DWORD dwKeyNumber)
    {
        char szKey[20];
        CMessageCipher::MakeKey(dwKeyNumber, szKey);
        return std::unique_ptr<CBlowfish>(new CBlowfish(reinterpret_cast<const BYTE*>(szKey), 19));
    }

    std::unique_ptr<CBlowfish> m_schedules[s_nCachedKeys];
};

template <typename Run>
int WithSchedule(DWORD dwKeyNumber, Run run)
{
    if (dwKeyNumber < s_nCachedKeys)
    {
        static const CKeySchedules s_schedules; // built once, thread-safe
        return run(*s_schedules.m_schedules[dwKeyNumber]);
    }
    return run(*CKeySchedules::MakeSchedule(dwKeyNumber));
}
} // namespace

int CMessageCipher::Encrypt(DWORD dwKeyNumber, BYTE* pBuffer, DWORD nLength) const
{
    return WithSchedule(dwKeyNumber, [&](const CBlowfish& cipher) { return cipher.EncryptBuffer(pBuffer, nLength); });
}

int CMessageCipher::Decrypt(DWORD dwKeyNumber, BYTE* pBuffer, DWORD nLength) const
{
    return WithSchedule(dwKeyNumber, [&](const CBlowfish& cipher) { return cipher.DecryptBuffer(pBuffer, nLength); });
}
