#include "FileFixture.h"

#include "support/RegistryStore.h"
#include "tests/support/Mutation.h"

#include <iostream>
#include <map>
#include <sstream>

void FileFixture::SetUp()
{
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_key.Path(), L"Volatile");
}

long long FileFixture::Revision() const
{
    DWORD type = 0;
    std::string data;
    if (!testsupport::QueryRaw(HKEY_LOCAL_MACHINE, m_key.Sub(L"Volatile"), L"AlarmDefnsRevision", type, data) ||
        type != REG_DWORD || data.size() != sizeof(DWORD))
        return -1;
    return *(const DWORD*)data.data();
}

std::string FileFixture::HeaderWithoutTime(const std::string& file)
{
    std::istringstream in(file);
    std::string line, out;
    while (std::getline(in, line) && !line.empty() && line[0] == '#')
    {
        for (const char* label : {"#   Created ...: ", "#   Product ...: "})
            if (line.rfind(label, 0) == 0)
                line = std::string(label) + "\r";
        out += line + "\n";
    }
    return out;
}

void FileFixture::RunFileMutations(const char* pszWhat, uint32_t nSeed, int nInputs, const CString& path,
                                   const std::vector<std::string>& pieces, const std::function<CString(bool&)>& read)
{
    std::cout << pszWhat << " mutation: seed " << nSeed << ", " << nInputs << " inputs" << std::endl;
    RecordProperty("seed", (int)nSeed);
    const std::string base = ReadBytes(path);
    int nAccepted = 0;
    std::map<std::string, int> faults;
    for (int i = 0; i < nInputs; ++i)
    {
        testsupport::CMutator mutator(nSeed ^ (uint32_t)(i * 2654435761u));
        std::string bytes = base;
        if (mutator.Chance(50))
            mutator.MutateBytes(bytes, pieces);
        else
            mutator.MutateLines(bytes, pieces);
        if (mutator.Chance(20))
            mutator.MutateBytes(bytes, pieces, 2);
        WriteBytes(path, bytes);
        bool bAccepted = false;
        const CString fault = read(bAccepted);
        nAccepted += bAccepted;
        if (!fault.IsEmpty() && faults.emplace(CStringA(fault).GetString(), i).second)
            ADD_FAILURE() << "seed " << nSeed << ", input " << i << ": " << CStringA(fault).GetString() << "\n"
                          << testsupport::Printable(bytes);
    }
    std::cout << nAccepted << " of " << nInputs << " damaged files gave records" << std::endl;
}
