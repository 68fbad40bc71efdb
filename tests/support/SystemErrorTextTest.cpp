#include "support/SystemErrorText.h"

#include <gtest/gtest.h>

TEST(SystemErrorText, LineBreaksFoldToBlanks)
{
    CSystemErrorText text(ERROR_FILE_NOT_FOUND, L"", L"", L"", L"", L"");
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, text.m_dwError);
    EXPECT_FALSE(text.m_strText.IsEmpty());
    EXPECT_EQ(-1, text.m_strText.Find(L"\r\n"));
    EXPECT_EQ(L' ', text.m_strText[text.m_strText.GetLength() - 1]);
}

TEST(SystemErrorText, UnknownCodeGivesUnsignedFallback)
{
    CSystemErrorText text(0xE0000001, L"", L"", L"", L"", L"");
    EXPECT_STREQ(L"Unknown error 3758096385", text.m_strText);
}

TEST(SystemErrorText, DefaultConstructorTakesTheLastError)
{
    CreateFileW(L"C:\\no\\such\\folder\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    CSystemErrorText text;
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, text.m_dwError);
    EXPECT_STREQ(CSystemErrorText(ERROR_PATH_NOT_FOUND, L"", L"", L"", L"", L"").m_strText, text.m_strText);
}

// A message that asks for inserts gets the given ones, and never reads beyond them.
TEST(SystemErrorText, InsertsAreFilledOnlyFromWhatWasGiven)
{
    CSystemErrorText named(ERROR_BAD_EXE_FORMAT, L"prog.exe", L"", L"", L"", L"");
    EXPECT_NE(-1, named.m_strText.Find(L"prog.exe")) << named.m_strText.GetString();
    SetLastError(ERROR_BAD_EXE_FORMAT);
    CSystemErrorText bare;
    EXPECT_FALSE(bare.m_strText.IsEmpty());
    EXPECT_EQ(-1, bare.m_strText.Find(L"prog.exe"));
}
