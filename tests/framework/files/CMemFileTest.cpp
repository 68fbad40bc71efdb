#include "framework/files/CArchive.h"
#include "framework/files/CMemFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>

namespace
{
// Seeks to a position that any width's size_t holds, in steps a LONGLONG offset can take.
void SeekTo(CMemFile& file, ULONGLONG nPosition)
{
    file.Seek(0, CFile::begin);
    while (nPosition > 0)
    {
        ULONGLONG nStep = nPosition > (ULONGLONG)LLONG_MAX ? (ULONGLONG)LLONG_MAX : nPosition;
        file.Seek((LONGLONG)nStep, CFile::current);
        nPosition -= nStep;
    }
}

std::string Bytes(const CMemFile& file)
{
    return std::string((const char*)file.GetBuffer(), (size_t)file.GetLength());
}

int CauseOf(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (const CFileException& e)
    {
        return e.m_cause;
    }
    return CFileException::none;
}
} // namespace

TEST(CMemFile, ASeekBeyondWhatMemoryCanAddressIsRefusedAndThePositionStays)
{
    CMemFile file;
    file.Write("abcd", 4);
    file.Seek(2, CFile::begin);
    if (sizeof(size_t) < sizeof(ULONGLONG))
    {
        // Cut to 32 bits this would be position 6.
        EXPECT_EQ(CFileException::badSeek, CauseOf([&] { file.Seek(0x100000000LL + 6, CFile::begin); }));
        EXPECT_EQ(2u, file.Seek(0, CFile::current));
    }
    // Steps that end past the address range at any width (the second sum passes 2^64).
    EXPECT_EQ(CFileException::badSeek, CauseOf([&] {
                  file.Seek(LLONG_MAX, CFile::current);
                  file.Seek(LLONG_MAX, CFile::current);
              }));
    EXPECT_EQ(4u, file.GetLength());
}

TEST(CMemFile, AWriteWhoseEndPassesTheAddressRangeNeverLandsBeforeTheBuffer)
{
    CMemFile file;
    file.Write("abcd", 4);
    SeekTo(file, (ULONGLONG)SIZE_MAX - 3);
    EXPECT_EQ(CFileException::diskFull, CauseOf([&] { file.Write("12345678", 8); }));
    ASSERT_EQ(4u, file.GetLength());
    EXPECT_EQ("abcd", Bytes(file));

    // Still usable after the refusal.
    file.Seek(0, CFile::end);
    file.Write("ef", 2);
    EXPECT_EQ("abcdef", Bytes(file));
}

TEST(CMemFile, AGrowthThatCannotBeRoundedUpFailsAndKeepsTheBuffer)
{
    CMemFile file(1024);
    file.Write("abcd", 4);
    // The end fits, but rounding it up to the grow size would pass the address range.
    SeekTo(file, (ULONGLONG)SIZE_MAX - 10);
    EXPECT_EQ(CFileException::diskFull, CauseOf([&] { file.Write("wxyz", 4); }));
    ASSERT_EQ(4u, file.GetLength());
    EXPECT_EQ("abcd", Bytes(file));
    file.Seek(0, CFile::end);
    file.Write("ef", 2);
    EXPECT_EQ("abcdef", Bytes(file));
}

TEST(CArchive, AWriteAfterCloseOrToALoadingArchiveThrowsInsteadOfHanging)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store, 4);
    ar.Write("ab", 2);
    ar.Close();
    EXPECT_EQ("ab", Bytes(file));
    EXPECT_NE(CFileException::none, CauseOf([&] { ar.Write("abcdefgh", 8); }));
    EXPECT_EQ("ab", Bytes(file));

    file.Seek(0, CFile::begin);
    CArchive in(&file, CArchive::load, 4);
    EXPECT_NE(CFileException::none, CauseOf([&] { in.Write("abcdefgh", 8); }));
    char back[2] = {};
    EXPECT_EQ(2u, in.Read(back, 2));
    EXPECT_EQ("ab", std::string(back, 2));
}
