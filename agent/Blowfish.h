// Blowfish (64-bit blocks, 16 rounds, keys of 1 to 72 bytes) with CBC over whole buffers.
#pragma once

#include <windows.h>

class CBlowfish
{
public:
    CBlowfish(const BYTE* pKey, int nKeyLength);

    // One block through the rounds, forwards when bEncrypt is set, backwards otherwise.
    void Block(UINT32& left, UINT32& right, BOOL bEncrypt) const;
    // CBC over the whole blocks of nLength bytes; pIn and pOut may be the same buffer. The
    // chaining value starts from pIv and is left in it.
    void Cbc(const BYTE* pIn, BYTE* pOut, DWORD nLength, BYTE pIv[8], BOOL bEncrypt) const;
    // 1 when done; 0, with the buffer untouched, when nLength is not a multiple of 8.
    int EncryptBuffer(BYTE* pBuffer, DWORD nLength) const;
    int DecryptBuffer(BYTE* pBuffer, DWORD nLength) const;

private:
    UINT32 F(UINT32 x) const;
    void Encrypt(UINT32& left, UINT32& right) const;
    void Decrypt(UINT32& left, UINT32& right) const;
    int RunBuffer(BYTE* pBuffer, DWORD nLength, BOOL bEncrypt) const;

    UINT32 m_P[18];
    UINT32 m_S[4][256];
};
