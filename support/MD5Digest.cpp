#include "support/MD5Digest.h"

#include <cstring>

namespace
{
const char kFirstSalt[] = "Lanterns glow over quiet docks.";
const char kSecondSalt[] = "Purple heron - standing very still!";

inline uint32_t Rotate(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

#define MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define MD5_G(x, y, z) ((y) ^ ((z) & ((x) ^ (y))))
#define MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))
#define MD5_STEP(f, a, b, c, d, x, s, ac) \
    a += f(b, c, d) + (x) + (uint32_t)(ac); \
    a = Rotate(a, s) + b;

inline uint32_t LoadLE(const unsigned char* p)
{
    uint32_t v;
    memcpy(&v, p, 4); // x86 is little-endian, as MD5's words are
    return v;
}
} // namespace

CMD5Digest::CMD5Digest()
{
    memset(m_state, 0, sizeof(m_state));
    memset(m_count, 0, sizeof(m_count));
    memset(m_buffer, 0, sizeof(m_buffer));
}

void CMD5Digest::Init()
{
    m_count[0] = m_count[1] = 0;
    m_state[0] = 0x67452301;
    m_state[1] = 0xefcdab89;
    m_state[2] = 0x98badcfe;
    m_state[3] = 0x10325476;
}

void CMD5Digest::Update(const unsigned char* pInput, size_t nLength)
{
    size_t index = (m_count[0] >> 3) & 0x3F;
    uint32_t bits = (uint32_t)(nLength << 3);
    if ((m_count[0] += bits) < bits)
        m_count[1]++;
    m_count[1] += (uint32_t)((uint64_t)nLength >> 29);

    size_t partLen = 64 - index;
    size_t i = 0;
    if (nLength >= partLen)
    {
        memcpy(&m_buffer[index], pInput, partLen);
        Transform(m_buffer);
        for (i = partLen; i + 63 < nLength; i += 64)
            Transform(&pInput[i]);
        index = 0;
    }
    memcpy(&m_buffer[index], &pInput[i], nLength - i);
}

void CMD5Digest::Final(unsigned char digest[16])
{
    static const unsigned char padding[64] = {0x80};
    unsigned char bits[8];
    memcpy(bits, m_count, 8);
    size_t index = (m_count[0] >> 3) & 0x3f;
    size_t padLen = index < 56 ? 56 - index : 120 - index;
    Update(padding, padLen);
    Update(bits, 8);
    memcpy(digest, m_state, 16);
    memset(m_state, 0, sizeof(m_state));
    memset(m_count, 0, sizeof(m_count));
    memset(m_buffer, 0, sizeof(m_buffer));
}

void CMD5Digest::Transform(const unsigned char block[64])
{
    uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];
    uint32_t x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = LoadLE(block + 4 * i);

    MD5_STEP(MD5_F, a, b, c, d, x[0], 7, 0xd76aa478)
    MD5_STEP(MD5_F, d, a, b, c, x[1], 12, 0xe8c7b756)
    MD5_STEP(MD5_F, c, d, a, b, x[2], 17, 0x242070db)
    MD5_STEP(MD5_F, b, c, d, a, x[3], 22, 0xc1bdceee)
    MD5_STEP(MD5_F, a, b, c, d, x[4], 7, 0xf57c0faf)
    MD5_STEP(MD5_F, d, a, b, c, x[5], 12, 0x4787c62a)
    MD5_STEP(MD5_F, c, d, a, b, x[6], 17, 0xa8304613)
    MD5_STEP(MD5_F, b, c, d, a, x[7], 22, 0xfd469501)
    MD5_STEP(MD5_F, a, b, c, d, x[8], 7, 0x698098d8)
    MD5_STEP(MD5_F, d, a, b, c, x[9], 12, 0x8b44f7af)
    MD5_STEP(MD5_F, c, d, a, b, x[10], 17, 0xffff5bb1)
    MD5_STEP(MD5_F, b, c, d, a, x[11], 22, 0x895cd7be)
    MD5_STEP(MD5_F, a, b, c, d, x[12], 7, 0x6b901122)
    MD5_STEP(MD5_F, d, a, b, c, x[13], 12, 0xfd987193)
    MD5_STEP(MD5_F, c, d, a, b, x[14], 17, 0xa679438e)
    MD5_STEP(MD5_F, b, c, d, a, x[15], 22, 0x49b40821)

    MD5_STEP(MD5_G, a, b, c, d, x[1], 5, 0xf61e2562)
    MD5_STEP(MD5_G, d, a, b, c, x[6], 9, 0xc040b340)
    MD5_STEP(MD5_G, c, d, a, b, x[11], 14, 0x265e5a51)
    MD5_STEP(MD5_G, b, c, d, a, x[0], 20, 0xe9b6c7aa)
    MD5_STEP(MD5_G, a, b, c, d, x[5], 5, 0xd62f105d)
    MD5_STEP(MD5_G, d, a, b, c, x[10], 9, 0x02441453)
    MD5_STEP(MD5_G, c, d, a, b, x[15], 14, 0xd8a1e681)
    MD5_STEP(MD5_G, b, c, d, a, x[4], 20, 0xe7d3fbc8)
    MD5_STEP(MD5_G, a, b, c, d, x[9], 5, 0x21e1cde6)
    MD5_STEP(MD5_G, d, a, b, c, x[14], 9, 0xc33707d6)
    MD5_STEP(MD5_G, c, d, a, b, x[3], 14, 0xf4d50d87)
    MD5_STEP(MD5_G, b, c, d, a, x[8], 20, 0x455a14ed)
    MD5_STEP(MD5_G, a, b, c, d, x[13], 5, 0xa9e3e905)
    MD5_STEP(MD5_G, d, a, b, c, x[2], 9, 0xfcefa3f8)
    MD5_STEP(MD5_G, c, d, a, b, x[7], 14, 0x676f02d9)
    MD5_STEP(MD5_G, b, c, d, a, x[12], 20, 0x8d2a4c8a)

    MD5_STEP(MD5_H, a, b, c, d, x[5], 4, 0xfffa3942)
    MD5_STEP(MD5_H, d, a, b, c, x[8], 11, 0x8771f681)
    MD5_STEP(MD5_H, c, d, a, b, x[11], 16, 0x6d9d6122)
    MD5_STEP(MD5_H, b, c, d, a, x[14], 23, 0xfde5380c)
    MD5_STEP(MD5_H, a, b, c, d, x[1], 4, 0xa4beea44)
    MD5_STEP(MD5_H, d, a, b, c, x[4], 11, 0x4bdecfa9)
    MD5_STEP(MD5_H, c, d, a, b, x[7], 16, 0xf6bb4b60)
    MD5_STEP(MD5_H, b, c, d, a, x[10], 23, 0xbebfbc70)
    MD5_STEP(MD5_H, a, b, c, d, x[13], 4, 0x289b7ec6)
    MD5_STEP(MD5_H, d, a, b, c, x[0], 11, 0xeaa127fa)
    MD5_STEP(MD5_H, c, d, a, b, x[3], 16, 0xd4ef3085)
    MD5_STEP(MD5_H, b, c, d, a, x[6], 23, 0x04881d05)
    MD5_STEP(MD5_H, a, b, c, d, x[9], 4, 0xd9d4d039)
    MD5_STEP(MD5_H, d, a, b, c, x[12], 11, 0xe6db99e5)
    MD5_STEP(MD5_H, c, d, a, b, x[15], 16, 0x1fa27cf8)
    MD5_STEP(MD5_H, b, c, d, a, x[2], 23, 0xc4ac5665)

    MD5_STEP(MD5_I, a, b, c, d, x[0], 6, 0xf4292244)
    MD5_STEP(MD5_I, d, a, b, c, x[7], 10, 0x432aff97)
    MD5_STEP(MD5_I, c, d, a, b, x[14], 15, 0xab9423a7)
    MD5_STEP(MD5_I, b, c, d, a, x[5], 21, 0xfc93a039)
    MD5_STEP(MD5_I, a, b, c, d, x[12], 6, 0x655b59c3)
    MD5_STEP(MD5_I, d, a, b, c, x[3], 10, 0x8f0ccc92)
    MD5_STEP(MD5_I, c, d, a, b, x[10], 15, 0xffeff47d)
    MD5_STEP(MD5_I, b, c, d, a, x[1], 21, 0x85845dd1)
    MD5_STEP(MD5_I, a, b, c, d, x[8], 6, 0x6fa87e4f)
    MD5_STEP(MD5_I, d, a, b, c, x[15], 10, 0xfe2ce6e0)
    MD5_STEP(MD5_I, c, d, a, b, x[6], 15, 0xa3014314)
    MD5_STEP(MD5_I, b, c, d, a, x[13], 21, 0x4e0811a1)
    MD5_STEP(MD5_I, a, b, c, d, x[4], 6, 0xf7537e82)
    MD5_STEP(MD5_I, d, a, b, c, x[11], 10, 0xbd3af235)
    MD5_STEP(MD5_I, c, d, a, b, x[2], 15, 0x2ad7d2bb)
    MD5_STEP(MD5_I, b, c, d, a, x[9], 21, 0xeb86d391)

    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
}

void HashPassword(const char* pszPassword, CString& strHash)
{
    HashPassword(pszPassword, pszPassword ? strlen(pszPassword) : 0, strHash);
}

void HashPassword(const char* pPassword, size_t nLength, CString& strHash)
{
    CMD5Digest md5;
    md5.Init();
    md5.Update((const unsigned char*)kFirstSalt, sizeof(kFirstSalt) - 1);
    md5.Update((const unsigned char*)kSecondSalt, sizeof(kSecondSalt) - 1);
    if (pPassword)
        md5.Update((const unsigned char*)pPassword, nLength);
    unsigned char d[16];
    md5.Final(d);
    strHash.Empty();
    for (int i = 0; i < 8; ++i)
        strHash.AppendFormat(i == 0 ? L"%04X" : L"-%04X", d[2 * i] | d[2 * i + 1] << 8);
}
