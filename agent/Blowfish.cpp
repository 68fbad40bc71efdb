#include "agent/Blowfish.h"

#include "agent/BlowfishPiTable.h"

#include <cstring>

namespace
{
// Every call starts from this vector; nothing is chained from one message to the next.
const BYTE s_initialVector[8] = {0x5A, 0x17, 0xC3, 0xE9, 0x0B, 0x62, 0xD4, 0x8F};

inline UINT32 LoadBigEndian(const BYTE* p)
{
    return ((UINT32)p[0] << 24) | ((UINT32)p[1] << 16) | ((UINT32)p[2] << 8) | (UINT32)p[3];
}

inline void StoreBigEndian(BYTE* p, UINT32 v)
{
    p[0] = (BYTE)(v >> 24);
    p[1] = (BYTE)(v >> 16);
    p[2] = (BYTE)(v >> 8);
    p[3] = (BYTE)v;
}
} // namespace

CBlowfish::CBlowfish(const BYTE* pKey, int nKeyLength)
{
    memcpy(m_P, g_blowfishInitialP, sizeof(m_P));
    memcpy(m_S, g_blowfishInitialS, sizeof(m_S));

    int nUsed = nKeyLength < 72 ? nKeyLength : 72;
    if (pKey && nUsed > 0)
    {
        int j = 0;
        for (UINT32& p : m_P)
        {
            UINT32 word = 0;
            for (int k = 0; k < 4; ++k)
            {
                word = (word << 8) | pKey[j];
                j = (j + 1) % nUsed;
            }
            p ^= word;
        }
    }

    UINT32 left = 0, right = 0;
    for (int i = 0; i < 18; i += 2)
    {
        Encrypt(left, right);
        m_P[i] = left;
        m_P[i + 1] = right;
    }
    for (auto& box : m_S)
    {
        for (int i = 0; i < 256; i += 2)
        {
            Encrypt(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

inline UINT32 CBlowfish::F(UINT32 x) const
{
    return ((m_S[0][x >> 24] + m_S[1][(x >> 16) & 255]) ^ m_S[2][(x >> 8) & 255]) + m_S[3][x & 255];
}

// Two rounds per step, so the halves trade places without a swap.
inline void CBlowfish::Encrypt(UINT32& left, UINT32& right) const
{
    UINT32 l = left, r = right;
    for (int i = 0; i < 16; i += 2)
    {
        l ^= m_P[i];
        r ^= F(l);
        r ^= m_P[i + 1];
        l ^= F(r);
    }
    left = r ^ m_P[17];
    right = l ^ m_P[16];
}

inline void CBlowfish::Decrypt(UINT32& left, UINT32& right) const
{
    UINT32 l = left, r = right;
    for (int i = 17; i > 1; i -= 2)
    {
        l ^= m_P[i];
        r ^= F(l);
        r ^= m_P[i - 1];
        l ^= F(r);
    }
    left = r ^ m_P[0];
    right = l ^ m_P[1];
}

void CBlowfish::Block(UINT32& left, UINT32& right, BOOL bEncrypt) const
{
    if (bEncrypt)
        Encrypt(left, right);
    else
        Decrypt(left, right);
}

void CBlowfish::Cbc(const BYTE* pIn, BYTE* pOut, DWORD nLength, BYTE pIv[8], BOOL bEncrypt) const
{
    UINT32 chainLeft = LoadBigEndian(pIv);
    UINT32 chainRight = LoadBigEndian(pIv + 4);
    for (DWORD offset = 0; offset + 8 <= nLength; offset += 8)
    {
        UINT32 left = LoadBigEndian(pIn + offset);
        UINT32 right = LoadBigEndian(pIn + offset + 4);
        if (bEncrypt)
        {
            left ^= chainLeft;
            right ^= chainRight;
            Encrypt(left, right);
            chainLeft = left;
            chainRight = right;
        }
        else
        {
            UINT32 cipherLeft = left, cipherRight = right;
            Decrypt(left, right);
            left ^= chainLeft;
            right ^= chainRight;
            chainLeft = cipherLeft;
            chainRight = cipherRight;
        }
        StoreBigEndian(pOut + offset, left);
        StoreBigEndian(pOut + offset + 4, right);
    }
    StoreBigEndian(pIv, chainLeft);
    StoreBigEndian(pIv + 4, chainRight);
}

int CBlowfish::RunBuffer(BYTE* pBuffer, DWORD nLength, BOOL bEncrypt) const
{
    if (nLength % 8 != 0)
        return 0;
    BYTE iv[8];
    memcpy(iv, s_initialVector, sizeof(iv));
    Cbc(pBuffer, pBuffer, nLength, iv, bEncrypt);
    return 1;
}

int CBlowfish::EncryptBuffer(BYTE* pBuffer, DWORD nLength) const
{
    return RunBuffer(pBuffer, nLength, TRUE);
}

int CBlowfish::DecryptBuffer(BYTE* pBuffer, DWORD nLength) const
{
    return RunBuffer(pBuffer, nLength, FALSE);
}
