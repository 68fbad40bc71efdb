// MD5 message digest (RFC 1321) and the console's salted password hash.
#pragma once

#include "framework/core/CString.h"

#include <cstddef>
#include <cstdint>

class CMD5Digest
{
public:
    CMD5Digest();

    void Init();
    void Update(const unsigned char* pInput, size_t nLength);
    // Writes the 16-byte digest and wipes the context.
    void Final(unsigned char digest[16]);

private:
    void Transform(const unsigned char block[64]);

    uint32_t m_state[4];
    uint32_t m_count[2]; // bit count, low word first
    unsigned char m_buffer[64];
};

// The hash text of a password: MD5 over two fixed salts and the password's bytes, written as
// eight upper-case hexadecimal little-endian 16-bit words joined by '-'.
void HashPassword(const char* pszPassword, CString& strHash);
// The same over nLength bytes, which may include zero bytes.
void HashPassword(const char* pPassword, size_t nLength, CString& strHash);
