#include "agent/Blowfish.h"
#include "agent/MessageCipher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
std::vector<BYTE> FromHex(const char* psz)
{
    std::vector<BYTE> bytes;
    for (size_t i = 0; psz[i] && psz[i + 1]; i += 2)
        bytes.push_back((BYTE)std::stoul(std::string(psz + i, 2), nullptr, 16));
    return bytes;
}

std::string ToHex(const BYTE* p, size_t n)
{
    std::string s;
    char sz[3];
    for (size_t i = 0; i < n; ++i)
    {
        snprintf(sz, sizeof(sz), "%02X", p[i]);
        s += sz;
    }
    return s;
}

UINT32 Word(const std::vector<BYTE>& b, size_t at)
{
    return ((UINT32)b[at] << 24) | ((UINT32)b[at + 1] << 16) | ((UINT32)b[at + 2] << 8) | b[at + 3];
}

// One published ECB vector, forwards and back through Block.
void ExpectEcb(const char* pszKey, const char* pszPlain, const char* pszCipher)
{
    std::vector<BYTE> key = FromHex(pszKey), plain = FromHex(pszPlain), cipher = FromHex(pszCipher);
    CBlowfish bf(key.data(), (int)key.size());
    UINT32 left = Word(plain, 0), right = Word(plain, 4);
    bf.Block(left, right, TRUE);
    EXPECT_EQ(Word(cipher, 0), left) << pszKey;
    EXPECT_EQ(Word(cipher, 4), right) << pszKey;
    bf.Block(left, right, FALSE);
    EXPECT_EQ(Word(plain, 0), left) << pszKey;
    EXPECT_EQ(Word(plain, 4), right) << pszKey;
}
} // namespace

TEST(Blowfish, PublishedEcbVectors)
{
    ExpectEcb("0000000000000000", "0000000000000000", "4EF997456198DD78");
    ExpectEcb("FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A");
    ExpectEcb("3000000000000000", "1000000000000001", "7D856F9A613063F2");
    // A 19-byte key, the length of the message keys.
    ExpectEcb("F0E1D2C3B4A5968778695A4B3C2D1E0F001122", "FEDCBA9876543210", "AFD5AED1C1BC96A8");
}

TEST(Blowfish, PublishedCbcVectorInPlaceAndBack)
{
    std::vector<BYTE> key = FromHex("0123456789ABCDEFF0E1D2C3B4A59687");
    std::vector<BYTE> data(32, 0);
    memcpy(data.data(), "7654321 Now is the time for ", 28);
    std::vector<BYTE> original = data;
    BYTE iv[8] = {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};

    CBlowfish bf(key.data(), (int)key.size());
    bf.Cbc(data.data(), data.data(), 32, iv, TRUE);
    EXPECT_EQ("6B77B4D63006DEE605B156E27403979358DEB9E7154616D959F1652BD5FF92CC", ToHex(data.data(), 32));

    BYTE iv2[8] = {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};
    std::vector<BYTE> back(32);
    bf.Cbc(data.data(), back.data(), 32, iv2, FALSE);
    EXPECT_EQ(original, back);
}

TEST(Blowfish, KeysLongerThan72BytesUseTheFirst72)
{
    std::vector<BYTE> key72(72), key80(80);
    for (size_t i = 0; i < key80.size(); ++i)
        key80[i] = (BYTE)(i * 7 + 1);
    memcpy(key72.data(), key80.data(), 72);
    UINT32 l1 = 1, r1 = 2, l2 = 1, r2 = 2;
    CBlowfish(key72.data(), 72).Block(l1, r1, TRUE);
    CBlowfish(key80.data(), 80).Block(l2, r2, TRUE);
    EXPECT_EQ(l1, l2);
    EXPECT_EQ(r1, r2);
}

TEST(MessageCipher, BufferLengthRules)
{
    CMessageCipher cipher;
    BYTE empty[1] = {0x5A};
    EXPECT_EQ(1, cipher.Encrypt(2, empty, 0));
    EXPECT_EQ(0x5A, empty[0]);

    BYTE twelve[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    BYTE copy[12];
    memcpy(copy, twelve, sizeof(copy));
    EXPECT_EQ(0, cipher.Encrypt(2, twelve, 12));
    EXPECT_EQ(0, cipher.Decrypt(2, twelve, 12));
    EXPECT_EQ(0, memcmp(copy, twelve, 12));
}

TEST(MessageCipher, FixedVectorAndPerTypeKeys)
{
    CMessageCipher cipher;
    const char text[33] = "The same text, enciphered twice.";
    BYTE a[32], b[32];
    memcpy(a, text, 32);
    memcpy(b, text, 32);
    ASSERT_EQ(1, cipher.Encrypt(3, a, 32));
    ASSERT_EQ(1, cipher.Encrypt(3, b, 32));
    EXPECT_EQ(0, memcmp(a, b, 32)) << "the chaining value must not carry over between calls";
    EXPECT_NE(0, memcmp(a, text, 32));

    memcpy(b, a, 32);
    ASSERT_EQ(1, cipher.Decrypt(4, b, 32));
    EXPECT_NE(0, memcmp(b, text, 32)) << "another key number must not decipher";
    ASSERT_EQ(1, cipher.Decrypt(3, a, 32));
    EXPECT_EQ(0, memcmp(a, text, 32));
}

TEST(MessageCipher, KeyIsPrefixAndEightHexDigits)
{
    char szKey[20];
    CMessageCipher::MakeKey(0x80000002, szKey);
    EXPECT_EQ(19u, strlen(szKey));
    EXPECT_EQ(11u, strlen(CMessageCipher::s_szKeyPrefix));
    EXPECT_EQ(std::string(CMessageCipher::s_szKeyPrefix) + "80000002", szKey);
    CMessageCipher::MakeKey(7, szKey);
    EXPECT_STREQ("00000007", szKey + 11);
}
