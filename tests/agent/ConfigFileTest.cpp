#include "agent/ConfigFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// A configuration file of this test's own, removed at the end.
class ConfigFileTest : public ::testing::Test
{
protected:
    CConfigFile Load(const char* pszContent)
    {
        testsupport::WriteBytes(m_strPath, pszContent);
        CConfigFile config(m_strPath);
        EXPECT_EQ(1, config.Load());
        return config;
    }

    testsupport::CScratchFolder m_folder{L"agent-config"};
    CString m_strPath = m_folder.Path(L"agent.cfg");
};
} // namespace

TEST_F(ConfigFileTest, LineRules)
{
    CConfigFile config = Load("# COMMAND_PORT = 1\r\n"
                              "Cache_Size = 10  \r\n"
                              "CACHE_FOLDER=C:\\ignored\r\n"
                              "  # hidden = yes\r\n"
                              "\r\n"
                              "CACHE_FOLDER = C:\\first\n"
                              "cache_folder = C:\\cache folder\\\n"
                              "BLANKS  =  two\n"
                              "EQUALS = a = b\n");
    EXPECT_STREQ(L"10", config.GetValue(L"CACHE_SIZE", L"none"));
    EXPECT_STREQ(L"C:\\cache folder\\", config.GetValue(L"Cache_Folder", L""));
    EXPECT_STREQ(L"yes", config.GetValue(L"  # hidden", L"")) << "blanks before # make no comment";
    EXPECT_STREQ(L"none", config.GetValue(L"# COMMAND_PORT", L"none"));
    EXPECT_STREQ(L" two", config.GetValue(L"blanks", L""));
    EXPECT_STREQ(L"a = b", config.GetValue(L"equals", L""));
    EXPECT_STREQ(L"7257", config.GetValue(L"COMMAND_PORT", L"7257"));
}

TEST_F(ConfigFileTest, LongLinesAreReadInPiecesOf511)
{
    std::string line = "LONG = " + std::string(600, 'v') + "\n";
    CConfigFile config = Load((line + "X = " + std::string(1, 'y') + "\n").c_str());
    EXPECT_EQ(504, config.GetValue(L"long", L"").GetLength());
    EXPECT_STREQ(L"y", config.GetValue(L"x", L""));
}

TEST_F(ConfigFileTest, CommandPortFallsBackToTheDefault)
{
    struct
    {
        const char* pszLine;
        USHORT nPort;
    } cases[] = {
        {"COMMAND_PORT = 8080\n", 8080},   {"COMMAND_PORT =  8081\n", 8081}, {"COMMAND_PORT = 65535\n", 65535},
        {"COMMAND_PORT = 1\n", 1},         {"COMMAND_PORT = 0\n", 7257},     {"COMMAND_PORT = 65536\n", 7257},
        {"COMMAND_PORT = 70000\n", 7257},  {"COMMAND_PORT = abc\n", 7257},   {"COMMAND_PORT = -5\n", 7257},
        {"COMMAND_PORT = 99999999999999\n", 7257}, {"OTHER = 1\n", 7257},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nPort, Load(c.pszLine).GetCommandPort()) << c.pszLine;
}

TEST(ConfigFile, PathAndMissingFile)
{
    EXPECT_STREQ(L"C:\\Agent\\QuorvexAgent.cfg", CConfigFile::PathForModule(L"C:\\Agent\\QuorvexAgent.exe"));
    EXPECT_STREQ(L"C:\\My.cfg", CConfigFile::PathForModule(L"C:\\My.Folder\\agent"));
    EXPECT_STREQ(L"", CConfigFile::PathForModule(L"C:\\Agent\\agent"));
    EXPECT_NE(-1, CConfigFile().GetPath().Find(L"agent_tests.cfg"));

    CConfigFile missing(L"C:\\no\\such\\folder\\agent.cfg");
    EXPECT_EQ(0, missing.Load());
    EXPECT_STREQ(L"7257", missing.GetValue(L"COMMAND_PORT", L"7257"));
    EXPECT_EQ(7257, missing.GetCommandPort());
    EXPECT_EQ(0, CConfigFile(L"").Load());
}
