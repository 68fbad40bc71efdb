#include "support/Base64.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Encode(const std::string& in, int groupsPerLine = 0)
{
    std::string out(in.size() * 2 + 16, '\0');
    int n = Base64Encode((const unsigned char*)in.data(), &out[0], in.size(), groupsPerLine);
    out.resize((size_t)n);
    return out;
}
} // namespace

TEST(Base64, Rfc4648Vectors)
{
    EXPECT_EQ("", Encode(""));
    EXPECT_EQ("Zg==", Encode("f"));
    EXPECT_EQ("Zm8=", Encode("fo"));
    EXPECT_EQ("Zm9v", Encode("foo"));
    EXPECT_EQ("Zm9vYg==", Encode("foob"));
    EXPECT_EQ("Zm9vYmE=", Encode("fooba"));
    EXPECT_EQ("Zm9vYmFy", Encode("foobar"));
}

TEST(Base64, WholeAlphabetAndHighBytes)
{
    // 48 bytes whose 6-bit groups run 0..63.
    const unsigned char bytes[] = {0x00, 0x10, 0x83, 0x10, 0x51, 0x87, 0x20, 0x92, 0x8B, 0x30, 0xD3, 0x8F,
                                   0x41, 0x14, 0x93, 0x51, 0x55, 0x97, 0x61, 0x96, 0x9B, 0x71, 0xD7, 0x9F,
                                   0x82, 0x18, 0xA3, 0x92, 0x59, 0xA7, 0xA2, 0x9A, 0xAB, 0xB2, 0xDB, 0xAF,
                                   0xC3, 0x1C, 0xB3, 0xD3, 0x5D, 0xB7, 0xE3, 0x9E, 0xBB, 0xF3, 0xDF, 0xBF};
    std::string in((const char*)bytes, sizeof(bytes));
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/", Encode(in));
}

TEST(Base64, LineFeedsAfterFullGroupsOnly)
{
    EXPECT_EQ("Zm9v\nYmFy\n", Encode("foobar", 1));
    EXPECT_EQ("Zm9vYmFy", Encode("foobar", 0));
    EXPECT_EQ("Zm9vYmFy\nYg==", Encode("foobarb", 2));
}
