#include "FileFixture.h"

#include "support/RegistryStore.h"

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
