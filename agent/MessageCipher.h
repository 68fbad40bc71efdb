// The cipher of the agent's messages: Blowfish CBC under a key made from the message's key
// number. Every program that talks to the agent uses the same key prefix.
#pragma once

#include <windows.h>

class CMessageCipher
{
public:
    // The fixed first 11 characters of every message key.
    static const char s_szKeyPrefix[12];

    // 1 when done; 0, with the buffer untouched, when nLength is not a multiple of 8.
    int Encrypt(DWORD dwKeyNumber, BYTE* pBuffer, DWORD nLength) const;
    int Decrypt(DWORD dwKeyNumber, BYTE* pBuffer, DWORD nLength) const;

    // The 19 key bytes (prefix and the number as "%08X"), without a terminator.
    static void MakeKey(DWORD dwKeyNumber, char szKey[20]);
};
