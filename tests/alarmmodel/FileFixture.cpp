#include "FileFixture.h"

#include "support/RegistryStore.h"

#include <fstream>
#include <iterator>
#include <sstream>

void FileFixture::SetUp()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const DWORD id = GetCurrentProcessId();
    m_strFolder.Format(L"%stvk-alarmmodel-%lu\\", temp, id);
    CreateDirectoryW(m_strFolder, nullptr);
    m_strKey.Format(L"SOFTWARE\\TervokTest\\alarmmodel-%lu", id);
    GetRegistryStore().Init(HKEY_LOCAL_MACHINE, m_strKey, L"Volatile");
}

void FileFixture::TearDown()
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strKey);
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(m_strFolder + L"*", &found);
    if (h != INVALID_HANDLE_VALUE)
    {
        do
            DeleteFileW(m_strFolder + found.cFileName);
        while (FindNextFileW(h, &found));
        FindClose(h);
    }
    RemoveDirectoryW(m_strFolder);
}

long long FileFixture::Revision() const
{
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, m_strKey + L"\\Volatile", L"AlarmDefnsRevision", RRF_RT_REG_DWORD,
                     nullptr, &value, &size) != ERROR_SUCCESS)
        return -1;
    return value;
}

std::string FileFixture::ReadBytes(const wchar_t* pszPath)
{
    std::ifstream in(pszPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void FileFixture::WriteBytes(const wchar_t* pszPath, const std::string& bytes)
{
    std::ofstream out(pszPath, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string FileFixture::HeaderWithoutTime(const std::string& file)
{
    std::istringstream in(file);
    std::string line, out;
    while (std::getline(in, line) && !line.empty() && line[0] == '#')
    {
        if (line.rfind("#   Created ...: ", 0) == 0)
            line = "#   Created ...: \r";
        else if (line.rfind("#   Product ...: ", 0) == 0)
            line = "#   Product ...: \r";
        out += line + "\n";
    }
    return out;
}
