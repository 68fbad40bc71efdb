// A scratch folder for written files and a private registry key behind the program's store,
// so that parallel test processes never see each other's files or revision counter.
#pragma once

#include "framework/Framework.h"

#include <gtest/gtest.h>

#include <string>

class FileFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CString Path(const wchar_t* pszFile) const { return m_strFolder + pszFile; }
    // AlarmDefnsRevision as the registry holds it; -1 when the value is missing.
    long long Revision() const;
    static std::string ReadBytes(const wchar_t* pszPath);
    static void WriteBytes(const wchar_t* pszPath, const std::string& bytes);
    // Lines "#..." of the standard header, with the creation line replaced by its label only.
    static std::string HeaderWithoutTime(const std::string& file);

    CString m_strFolder;
    CString m_strKey;
};
