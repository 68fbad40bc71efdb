// A scratch folder for written files and a private registry key behind the program's store,
// so that parallel test processes never see each other's files or revision counter.
#pragma once

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

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
    // Writes nInputs damaged copies of the file at the path in turn (seed printed) and has each
    // read; read answers whether it took records and the fault it found in them (empty: none).
    // Each kind of fault fails the test once, with its first input.
    void RunFileMutations(const char* pszWhat, uint32_t nSeed, int nInputs, const CString& path,
                          const std::vector<std::string>& pieces, const std::function<CString(bool&)>& read);

    testsupport::CScratchFolder m_folder{L"tvk-alarmmodel"};
    testsupport::CScratchKey m_key;
};
