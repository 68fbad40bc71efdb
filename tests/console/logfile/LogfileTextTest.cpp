#include "GuiTest.h"

#include "console/logfile/CLogfileRtf.h"
#include "console/logfile/CLogfileText.h"
#include "console/logfile/CRichEditImageInserter.h"
#include "framework/controls/CRichEditCtrl.h"
#include "framework/files/CFile.h"
#include "framework/gdi/CBitmap.h"
#include "resources/console/BelvaneRes.h"

#include <richedit.h>

#include <fstream>
#include <sstream>

namespace
{
class LogfileTextTest : public GuiTest
{
protected:
    LogfileTextTest()
    {
        m_edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL | WS_VSCROLL,
                      CRect(0, 0, 400, 300), &Host(), IDC_LOGFILE_RICHEDIT);
        m_text.m_pRichEdit = &m_edit;
    }
    ~LogfileTextTest() override
    {
        CLogfileText::SetPictureInserter(nullptr);
        CLogfileText::SetRtfWriter(nullptr);
        m_edit.DestroyWindow();
    }

    LONG ObjectCount()
    {
        IRichEditOle* pOle = nullptr;
        m_edit.SendMessage(EM_GETOLEINTERFACE, 0, (LPARAM)&pOle);
        if (!pOle)
            return -1;
        LONG nCount = pOle->GetObjectCount();
        pOle->Release();
        return nCount;
    }

    // The plain text, with each picture as one U+FFFC.
    CString Text()
    {
        GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
        int nLength = (int)m_edit.SendMessage(EM_GETTEXTLENGTHEX, (WPARAM)&length);
        CString strText;
        GETTEXTEX get = {(DWORD)(nLength + 1) * 2, GT_DEFAULT, 1200, nullptr, nullptr};
        m_edit.SendMessage(EM_GETTEXTEX, (WPARAM)&get, (LPARAM)strText.GetBuffer(nLength + 1));
        strText.ReleaseBuffer();
        strText.Replace(L"\r\n", L"\r");
        // Windows shows a picture as U+FFFC, Wine as a blank: the texts here have none.
        strText.Replace(L'\uFFFC', L'*');
        strText.Replace(L' ', L'*');
        return strText;
    }

    static std::string ReadFile(const CString& strPath)
    {
        std::ifstream file(strPath.GetString(), std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        return content.str();
    }

    CRichEditCtrl m_edit;
    CLogfileText m_text;
};
} // namespace

TEST_F(LogfileTextTest, EveryLineBeginsWithItsLevelsPicture)
{
    EXPECT_EQ((UINT)IDB_LEVEL_INFORMATION, CLogfileText::PictureOf(0));
    EXPECT_EQ((UINT)IDB_LEVEL_WARNING, CLogfileText::PictureOf(1));
    EXPECT_EQ((UINT)IDB_LEVEL_ERROR, CLogfileText::PictureOf(2));
    EXPECT_EQ((UINT)IDB_LEVEL_INFORMATION, CLogfileText::PictureOf(7));
    EXPECT_EQ((UINT)IDB_LEVEL_INFORMATION, CLogfileText::PictureOf(-1));

    std::vector<int> levels;
    CLogfileText::SetPictureInserter([&levels](IRichEditOle* pOle, HBITMAP hBitmap) {
        BITMAP bm = {};
        GetObjectW(hBitmap, sizeof bm, &bm);
        EXPECT_EQ(22, bm.bmWidth);
        EXPECT_EQ(16, bm.bmHeight);
        levels.push_back((int)bm.bmWidth);
        return CRichEditImageInserter::InsertBitmap(pOle, hBitmap);
    });
    EXPECT_TRUE(m_text.AppendLine(0, L"Data-source-found"));
    EXPECT_TRUE(m_text.AppendLine(1, L"Table-created"));
    EXPECT_TRUE(m_text.AppendLine(7, L"Level-seven"));
    EXPECT_EQ(3, ObjectCount());
    EXPECT_STREQ(L"*Data-source-found\r*Table-created\r*Level-seven\r", Text());
}

TEST_F(LogfileTextTest, ALineWhosePictureFailsKeepsItsText)
{
    CLogfileText::SetPictureInserter([](IRichEditOle*, HBITMAP) { return E_OUTOFMEMORY; });
    EXPECT_FALSE(m_text.AppendLine(2, L"Cannot-open-the-database"));
    CLogfileText::SetPictureInserter(nullptr);
    EXPECT_TRUE(m_text.AppendLine(0, L"Next-line"));
    EXPECT_EQ(1, ObjectCount());
    EXPECT_STREQ(L"Cannot-open-the-database\r*Next-line\r", Text());
}

TEST_F(LogfileTextTest, PicturesGoInWithTheirObjectRecordsSize)
{
    IRichEditOle* pOle = nullptr;
    m_edit.SendMessage(EM_GETOLEINTERFACE, 0, (LPARAM)&pOle);
    ASSERT_TRUE(pOle != nullptr);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(IDB_LEVEL_ERROR));
    EXPECT_EQ(S_OK, CRichEditImageInserter::InsertBitmap(pOle, bitmap));
    EXPECT_EQ(E_POINTER, CRichEditImageInserter::InsertBitmap(pOle, nullptr));
    EXPECT_EQ(E_POINTER, CRichEditImageInserter::InsertBitmap(nullptr, bitmap));
    EXPECT_EQ(1, pOle->GetObjectCount());
    REOBJECT reobject = {};
    reobject.cbStruct = sizeof reobject;
    EXPECT_EQ(S_OK, pOle->GetObject(0, &reobject, REO_GETOBJ_NO_INTERFACES));
    EXPECT_EQ(sizeof(void*) == 8 ? 72u : 56u, (unsigned)sizeof(REOBJECT));
    pOle->Release();
    // The bitmap stays the caller's.
    BITMAP bm = {};
    EXPECT_NE(0, bitmap.GetBitmap(&bm));
}

TEST_F(LogfileTextTest, EraseEmptiesTheText)
{
    m_text.AppendLine(0, L"one");
    m_text.Erase();
    EXPECT_STREQ(L"", Text());
    EXPECT_EQ(0, ObjectCount());
}

TEST_F(LogfileTextTest, SavedFileHoldsTheWholeLogByteForByte)
{
    CLogfileText::SetPictureInserter([](IRichEditOle*, HBITMAP) { return E_FAIL; });
    for (int i = 0; i < 100; ++i)
        m_text.AppendLine(i % 3, L"Line with \u00E4 and a long tail to cross the stream's chunk borders " + CString(L'x', 100));
    CString strPath = L"logfile-text.rtf";
    ASSERT_TRUE(m_text.SaveRtf(strPath));
    CStringA strStream;
    ASSERT_TRUE(m_text.StreamOut(SF_RTF, strStream));
    std::string content = ReadFile(strPath);
    EXPECT_GT(content.size(), 10000u) << "more than one chunk";
    EXPECT_EQ(std::string(strStream.GetString(), strStream.GetLength()), content) << "no bytes added or changed";
    EXPECT_NE(std::string::npos, content.find("Line with")) << content.substr(0, 300);
    DeleteFileW(strPath);
}

TEST_F(LogfileTextTest, ALogWithPicturesIsSavedWhole)
{
    m_text.AppendLine(0, L"first line");
    m_text.AppendLine(2, L"second {line}");
    m_text.AppendLine(1, L"last line");
    CString strPath = L"logfile-pictures.rtf";
    ASSERT_TRUE(m_text.SaveRtf(strPath));
    std::string content = ReadFile(strPath);
    EXPECT_EQ(0u, content.find("{\\rtf1"));
    EXPECT_EQ('}', content[content.find_last_not_of("\r\n")]);
    size_t nFirst = content.find("first line");
    size_t nSecond = content.find("second \\{line\\}");
    size_t nLast = content.find("last line");
    ASSERT_NE(std::string::npos, nLast) << content.substr(0, 400);
    EXPECT_LT(nFirst, nSecond);
    EXPECT_LT(nSecond, nLast);
    size_t nPictures = 0;
    for (size_t n = content.find("\\pict"); n != std::string::npos; n = content.find("\\pict", n + 1))
        ++nPictures;
    EXPECT_EQ(3u, nPictures);
    EXPECT_LT(content.find("\\pict"), nFirst) << "each line begins with its picture";
    DeleteFileW(strPath);
}

TEST(LogfileRtfTest, TextIsEscapedAndPicturesTakeTheirCharactersPlace)
{
    EXPECT_STREQ("a\\{b\\}\\\\c\\par\r\n\\u228?\\u8364?", CLogfileRtf::EscapeText(L"a{b}\\c\r\u00E4\u20AC"));
    CStringA strPicture = CLogfileRtf::PictureGroup(IDB_LEVEL_WARNING);
    EXPECT_EQ(0, strPicture.Find("{\\pict\\dibitmap0\\picw22\\pich16\\picwgoal330\\pichgoal240"));
    // Header (40 bytes) and 16 rows of 68 bytes, two digits each.
    CStringA strDigits = strPicture;
    strDigits.Remove('\r');
    strDigits.Remove('\n');
    EXPECT_EQ((int)strlen("{\\pict\\dibitmap0\\picw22\\pich16\\picwgoal330\\pichgoal240") + 2 * (40 + 16 * 68) + 1,
              strDigits.GetLength());
    EXPECT_STREQ("", CLogfileRtf::PictureGroup(4711));

    std::vector<CLogfileRtf::Picture> pictures = {{0, IDB_LEVEL_INFORMATION}, {4, IDB_LEVEL_ERROR}};
    CStringA strRtf = CLogfileRtf::Build(L"*ab\r*cd\r", pictures);
    int nFirst = strRtf.Find("{\\pict");
    int nAb = strRtf.Find("ab\\par");
    int nSecond = strRtf.Find("{\\pict", nFirst + 1);
    int nCd = strRtf.Find("cd\\par");
    EXPECT_TRUE(nFirst > 0 && nFirst < nAb && nAb < nSecond && nSecond < nCd) << strRtf.GetString();
    EXPECT_EQ(-1, strRtf.Find("*")) << "the picture's own character is not written";
}

TEST_F(LogfileTextTest, AFileThatCannotBeWrittenIsAFailure)
{
    m_text.AppendLine(0, L"line");
    EXPECT_FALSE(m_text.SaveRtf(L"no-such-folder\\log.rtf"));
}

TEST_F(LogfileTextTest, AWriteThatFailsLeavesThePreviousSaveWhole)
{
    CreateDirectoryW(L"logfile-save", nullptr);
    CString strPath = L"logfile-save\\log.rtf";
    m_text.AppendLine(0, L"first save");
    ASSERT_TRUE(m_text.SaveRtf(strPath));
    std::string previous = ReadFile(strPath);

    // The disk fills up half-way through the next save.
    m_text.AppendLine(2, L"second save");
    std::string during;
    CLogfileText::SetRtfWriter([&](CFile& file, const CStringA& strRtf) {
        during = ReadFile(strPath);
        file.Write(strRtf.GetString(), (UINT)strRtf.GetLength() / 2);
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, strPath);
    });
    EXPECT_FALSE(m_text.SaveRtf(strPath));
    EXPECT_TRUE(previous == during) << "the previous save is untouched while the new one is written";
    EXPECT_TRUE(previous == ReadFile(strPath)) << "a failed save keeps the previous one";
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW(L"logfile-save\\*.tmp", &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind) << "nothing is left beside it";
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);

    CLogfileText::SetRtfWriter(nullptr);
    ASSERT_TRUE(m_text.SaveRtf(strPath));
    EXPECT_NE(std::string::npos, ReadFile(strPath).find("second save")) << "a whole save replaces it";
    DeleteFileW(strPath);
    RemoveDirectoryW(L"logfile-save");
}
