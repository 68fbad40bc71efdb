#include "agent/MessageCache.h"
#include "agent/XMLMgr.h"
#include "support/SystemErrorText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{
const wchar_t s_szHardMessage[] = L"{{ELM}}_MSG__ first\r\nsecond\ttabbed &<>\"' \u00c4\u00df\u4e2d \U0001F600 end\n";

// A cache folder of this test's own under TEMP.
class MessageCacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t szTemp[MAX_PATH];
        GetTempPathW(MAX_PATH, szTemp);
        m_strFolder.Format(L"%sagent-cache-%lu\\", szTemp, GetCurrentProcessId());
        CreateDirectoryW(m_strFolder, nullptr);
    }
    void TearDown() override
    {
        WIN32_FIND_DATAW data;
        HANDLE hFind = FindFirstFileW(m_strFolder + L"*", &data);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
                DeleteFileW(m_strFolder + data.cFileName);
            while (FindNextFileW(hFind, &data));
            FindClose(hFind);
        }
        RemoveDirectoryW(m_strFolder);
    }
    CString WriteRaw(const char* pszName, const char* pszContent)
    {
        CString strPath = m_strFolder + CString(pszName);
        FILE* pFile = _wfopen(strPath, L"wb");
        fputs(pszContent, pFile);
        fclose(pFile);
        return strPath;
    }

    CString m_strFolder;
    CString m_strError;
};
} // namespace

TEST_F(MessageCacheTest, MessageComesBackExactly)
{
    CString strPath = CMessageCache::MakeFileName(m_strFolder);
    ASSERT_TRUE(CMessageCache::SaveMessage(strPath, L"collector.example", 7000, s_szHardMessage, L"Forward.cpp", 42, m_strError));
    CString strHost, strMessage;
    UINT nPort = 0;
    ASSERT_TRUE(CMessageCache::ReadMessage(strPath, strHost, strMessage, nPort));
    EXPECT_STREQ(L"collector.example", strHost);
    EXPECT_STREQ(s_szHardMessage, strMessage);
    EXPECT_EQ(7000u, nPort);
}

TEST_F(MessageCacheTest, FileLayout)
{
    CString strPath = CMessageCache::MakeFileName(m_strFolder);
    ASSERT_TRUE(CMessageCache::SaveMessage(strPath, L"h", 1, L"a\r\nb\tc", L"Forward.cpp", 42, m_strError));
    FILE* pFile = _wfopen(strPath, L"rb");
    ASSERT_NE(nullptr, pFile);
    std::string text(65536, '\0');
    text.resize(fread(&text[0], 1, text.size(), pFile));
    fclose(pFile);
    EXPECT_EQ(0u, text.find("<?xml version='1.0'?>")) << text;
    EXPECT_NE(std::string::npos, text.find("<!-- ===================== WARNING ========================== -->"));
    EXPECT_NE(std::string::npos, text.find("<!-- Forward.cpp line 42 "));
    EXPECT_NE(std::string::npos, text.find("Description=\"Quorvex Windows Agent\""));
    EXPECT_NE(std::string::npos, text.find("xml:lang=\"EN\""));
    EXPECT_NE(std::string::npos, text.find("a&#13;&#10;b&#9;c")) << "line breaks and tabs as character references";
    EXPECT_NE(std::string::npos, text.find("Port=\"1\""));
}

TEST_F(MessageCacheTest, CharactersXmlCannotHoldAreReplaced)
{
    CString strPath = CMessageCache::MakeFileName(m_strFolder);
    const wchar_t message[] = {L'a', 0x01, L'b', 0xD800, L'c', 0xDC00, 0xFFFF, L'd', 0};
    ASSERT_TRUE(CMessageCache::SaveMessage(strPath, L"h", 1, message, nullptr, 0, m_strError));
    CString strHost, strMessage;
    UINT nPort = 0;
    ASSERT_TRUE(CMessageCache::ReadMessage(strPath, strHost, strMessage, nPort)) << "the file must stay loadable";
    EXPECT_STREQ(L"a\uFFFDb\uFFFDc\uFFFD\uFFFDd", strMessage);
}

TEST_F(MessageCacheTest, NamesDifferWithinOneSecondAndSortByAge)
{
    CString strFirst = CMessageCache::MakeFileName(m_strFolder);
    CString strSecond = CMessageCache::MakeFileName(m_strFolder);
    EXPECT_NE(strFirst, strSecond);
    EXPECT_LT(strFirst.Compare(strSecond), 0);
    EXPECT_EQ(0, strFirst.Find(m_strFolder + L"AgentNotSent-"));
    EXPECT_EQ(strFirst.GetLength() - 4, strFirst.Find(L".xml"));
    EXPECT_STREQ(m_strFolder + L"AgentNotSent-*.xml", CMessageCache::FilePattern(m_strFolder));
}

TEST_F(MessageCacheTest, ReservedNamesAreNewFilesAndFailuresCarryTheSystemText)
{
    CString strFirst, strSecond;
    ASSERT_TRUE(CMessageCache::ReserveFile(m_strFolder, strFirst, m_strError));
    ASSERT_TRUE(CMessageCache::ReserveFile(m_strFolder, strSecond, m_strError));
    EXPECT_NE(strFirst, strSecond);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(strFirst));

    CString strMissing = m_strFolder + L"no such folder\\", strPath;
    EXPECT_FALSE(CMessageCache::ReserveFile(strMissing, strPath, m_strError));
    EXPECT_EQ(0, strPath.Find(strMissing));
    EXPECT_STREQ(CSystemErrorText(ERROR_PATH_NOT_FOUND, nullptr, nullptr, nullptr, nullptr, nullptr), m_strError);

    // A save that fails says why and leaves no file that would never load.
    m_strError.Empty();
    CString strBlocked = m_strFolder + L"AgentNotSent-blocked.xml";
    CreateDirectoryW(strBlocked, nullptr);
    EXPECT_FALSE(CMessageCache::SaveMessage(strMissing + L"x.xml", L"h", 1, L"m", nullptr, 0, m_strError));
    EXPECT_FALSE(m_strError.IsEmpty());
    m_strError.Empty();
    EXPECT_FALSE(CMessageCache::SaveMessage(strBlocked, L"h", 1, L"m", nullptr, 0, m_strError));
    EXPECT_FALSE(m_strError.IsEmpty());
    RemoveDirectoryW(strBlocked);
}

TEST_F(MessageCacheTest, BadFilesAreRefusedAndKept)
{
    CString strGarbage = WriteRaw("AgentNotSent-garbage.xml", "<HRD><EventLogMessage Host=\"x\"");
    CString strOtherRoot = WriteRaw("AgentNotSent-other.xml", "<ROOT><EventLogMessage Host=\"h\" Message=\"m\" Port=\"1\"/></ROOT>");
    CString strNoPort = WriteRaw("AgentNotSent-noport.xml", "<HRD><EventLogMessage Host=\"h\" Message=\"m\"/></HRD>");
    CString strBigPort =
        WriteRaw("AgentNotSent-bigport.xml", "<HRD><EventLogMessage Host=\"h\" Message=\"m\" Port=\"70000\"/></HRD>");
    CString strHost, strMessage;
    UINT nPort = 0;
    for (const CString* pPath : {&strGarbage, &strOtherRoot, &strNoPort, &strBigPort})
    {
        EXPECT_FALSE(CMessageCache::ReadMessage(*pPath, strHost, strMessage, nPort));
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(*pPath));
    }
    EXPECT_FALSE(CMessageCache::ReadMessage(m_strFolder + L"missing.xml", strHost, strMessage, nPort));
}

TEST_F(MessageCacheTest, SpaceMarkReadsAsBlankAndChildNamesCompare)
{
    CString strPath = WriteRaw("AgentNotSent-mark.xml",
                               "<HRD><eventlogmessage Host=\"h\" Message=\"one_-SPACE-_two\" Port=\"7258\"/></HRD>");
    CString strHost, strMessage;
    UINT nPort = 0;
    EXPECT_FALSE(CMessageCache::ReadMessage(strPath, strHost, strMessage, nPort)) << "the child name is exact";

    CXMLMgr xml;
    xml.Initialise(FALSE);
    ASSERT_EQ(1, xml.Load(strPath));
    EXPECT_STREQ(L"HRD", xml.GetNodeName(xml.GetCurrentElement()));
    IXMLDOMElement* pChild = xml.FindChild(xml.GetCurrentElement(), L"EventLogMessage", TRUE);
    ASSERT_NE(nullptr, pChild);
    EXPECT_TRUE(xml.GetAttribute(pChild, L"Message", strMessage));
    EXPECT_STREQ(L"one two", strMessage);
    EXPECT_FALSE(xml.GetAttribute(pChild, L"Absent", strMessage));
    EXPECT_STREQ(L"", strMessage);
}
