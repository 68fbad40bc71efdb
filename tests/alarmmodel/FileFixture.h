// A scratch folder for written files and a private registry key behind the program's store,
// so that parallel test processes never see each other's files or revision counter.
#pragma once

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using testsupport::Lines;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class FileFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    CString Path(const wchar_t* pszFile) const { return m_folder.Path(pszFile); }
    // AlarmDefnsRevision as the registry holds it; -1 when the value is missing.
    long long Revision() const;
    // The lines "#..." of the standard header, the creation and product lines cut after their
    // labels.
    static std::string HeaderWithoutTime(const std::string& file);

    testsupport::CScratchFolder m_folder{L"tvk-alarmmodel"};
    testsupport::CScratchKey m_key;
};
