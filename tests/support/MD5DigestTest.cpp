#include "support/MD5Digest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
std::string Hex(const std::string& input, size_t chunk = 0)
{
    CMD5Digest md5;
    md5.Init();
    if (chunk == 0)
        md5.Update((const unsigned char*)input.data(), input.size());
    else
        for (size_t i = 0; i < input.size(); i += chunk)
            md5.Update((const unsigned char*)input.data() + i, std::min(chunk, input.size() - i));
    unsigned char d[16];
    md5.Final(d);
    char out[33];
    for (int i = 0; i < 16; ++i)
        sprintf(out + 2 * i, "%02x", d[i]);
    return out;
}
} // namespace

TEST(MD5Digest, Rfc1321TestSuite)
{
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", Hex(""));
    EXPECT_EQ("0cc175b9c0f1b6a831c399e269772661", Hex("a"));
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", Hex("abc"));
    EXPECT_EQ("f96b697d7cb7938d525a2f31aaf161d0", Hex("message digest"));
    EXPECT_EQ("c3fcd3d76192e4007dfb496cca67e13b", Hex("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ("d174ab98d277d9f5a5611c2c9f419d9f",
              Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"));
    EXPECT_EQ("57edf4a22be3c955ac49da2e2107b67a",
              Hex("12345678901234567890123456789012345678901234567890123456789012345678901234567890"));
}

TEST(MD5Digest, PiecewiseUpdatesMatchOneUpdate)
{
    std::string data;
    for (int i = 0; i < 1000; ++i)
        data += (char)(i * 7);
    const std::string whole = Hex(data);
    for (size_t chunk : {1u, 3u, 55u, 56u, 63u, 64u, 65u, 200u})
        EXPECT_EQ(whole, Hex(data, chunk)) << chunk;
}

TEST(MD5Digest, FinalWipesTheContext)
{
    CMD5Digest md5;
    md5.Init();
    md5.Update((const unsigned char*)"secret", 6);
    unsigned char d[16];
    md5.Final(d);
    unsigned char zeros[sizeof(CMD5Digest)] = {};
    EXPECT_EQ(0, memcmp(&md5, zeros, sizeof(md5)));
}

TEST(HashPassword, FormatAndSalts)
{
    // MD5 of the two salts alone, worked out independently of the code.
    CString empty;
    HashPassword("", empty);
    EXPECT_EQ(39, empty.GetLength());
    std::string salts = "Lanterns glow over quiet docks.Purple heron - standing very still!";
    std::string hex = Hex(salts);
    CString expected;
    for (int i = 0; i < 8; ++i)
    {
        // Each group shows the pair's second byte first.
        CString group;
        group.Format(i ? L"-%S%S" : L"%S%S", hex.substr(4 * i + 2, 2).c_str(), hex.substr(4 * i, 2).c_str());
        expected += group;
    }
    expected.MakeUpper();
    EXPECT_STREQ(expected, empty);

    CString a, b;
    HashPassword("pass", a);
    HashPassword("pass", b);
    EXPECT_EQ(a, b);
    HashPassword("Pass", b);
    EXPECT_NE(a, b);
}
