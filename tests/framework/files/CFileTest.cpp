#include "framework/files/CStdioFile.h"

#include <gtest/gtest.h>

namespace
{
CString ScratchFile(const wchar_t* pszName)
{
    wchar_t temp[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH, temp);
    CString path;
    path.Format(L"%s%lu-%s", temp, GetCurrentProcessId(), pszName);
    return path;
}
} // namespace

TEST(CFile, OpenFailureCarriesCauseAndOsError)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(L"C:\\no\\such\\folder\\x.txt", CFile::modeRead, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, error.m_lOsError);
    EXPECT_STREQ(L"C:\\no\\such\\folder\\x.txt", error.m_strFileName);
    EXPECT_FALSE(error.GetErrorMessage().IsEmpty());
    EXPECT_EQ(-1, error.GetErrorMessage().Find(L'\n'));

    CString path = ScratchFile(L"held.bin");
    CFile holder;
    ASSERT_TRUE(holder.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive));
    EXPECT_FALSE(file.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    holder.Close();

    CFileStatus status;
    EXPECT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(0u, status.m_size);
    CFile::Remove(path);
    EXPECT_FALSE(CFile::GetStatus(path, status));
    EXPECT_THROW(CFile::Remove(path), CFileException);
}

TEST(CStdioFile, TextModeLinesAndBytes)
{
    CString path = ScratchFile(L"text.txt");
    {
        CStdioFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText));
        file.WriteString(L"one\ntw\u00F6\n\nlast");
        EXPECT_THROW(file.WriteString(L"\u0100"), CFileException);
        file.Close();
    }
    CFile raw;
    ASSERT_TRUE(raw.Open(path, CFile::modeRead));
    char bytes[64] = {};
    UINT n = raw.Read(bytes, sizeof bytes);
    EXPECT_EQ(std::string("one\r\ntw\xF6\r\n\r\nlast"), std::string(bytes, n));
    EXPECT_EQ(0u, raw.Read(bytes, sizeof bytes));
    raw.Close();

    CStdioFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::typeText));
    CString line;
    const wchar_t* expected[] = {L"one", L"tw\u00F6", L"", L"last"};
    for (const wchar_t* e : expected)
    {
        ASSERT_TRUE(file.ReadString(line));
        EXPECT_STREQ(e, line);
    }
    EXPECT_FALSE(file.ReadString(line));
    file.Close();
    CFile::Remove(path);
}
