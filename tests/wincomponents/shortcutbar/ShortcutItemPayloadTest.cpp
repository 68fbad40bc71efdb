#include "GuiTest.h"
#include "ShortcutItemCases.h"

#include "framework/ole/COleDataObject.h"
#include "framework/window/AfxOleInit.h"
#include "wincomponents/shortcutbar/ImageMemory.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace
{
// The program beside this one that offers the cases on the clipboard, one per request.
class COfferProcess
{
public:
    COfferProcess()
    {
        wchar_t szPath[MAX_PATH];
        GetModuleFileNameW(nullptr, szPath, MAX_PATH);
        *wcsrchr(szPath, L'\\') = 0;
        CString strCommand = CString(L"\"") + szPath + L"\\shortcut_item_offer.exe\"";
        SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
        HANDLE hChildIn = nullptr, hChildOut = nullptr;
        CreatePipe(&hChildIn, &m_hToChild, &sa, 0);
        CreatePipe(&m_hFromChild, &hChildOut, &sa, 0);
        SetHandleInformation(m_hToChild, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(m_hFromChild, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW si = {sizeof si};
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = hChildIn;
        si.hStdOutput = hChildOut;
        si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        m_bStarted = CreateProcessW(nullptr, strCommand.GetBuffer(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                    nullptr, nullptr, &si, &m_pi);
        CloseHandle(hChildIn);
        CloseHandle(hChildOut);
    }
    ~COfferProcess()
    {
        CloseHandle(m_hToChild); // the end of its input ends it
        if (m_bStarted)
        {
            if (WaitForSingleObject(m_pi.hProcess, 10000) != WAIT_OBJECT_0)
                TerminateProcess(m_pi.hProcess, 1);
            CloseHandle(m_pi.hProcess);
            CloseHandle(m_pi.hThread);
        }
        CloseHandle(m_hFromChild);
    }

    // TRUE when the other program put the case on the clipboard.
    BOOL Offer(size_t nCase)
    {
        char szLine[32];
        int nLength = sprintf(szLine, "%u\n", (unsigned)nCase);
        DWORD dw = 0;
        if (!WriteFile(m_hToChild, szLine, (DWORD)nLength, &dw, nullptr))
            return FALSE;
        std::string strAnswer;
        char ch = 0;
        while (ReadFile(m_hFromChild, &ch, 1, &dw, nullptr) && dw == 1 && ch != '\n')
        {
            if (ch != '\r') // its standard output is in text mode
                strAnswer += ch;
        }
        return strAnswer == "ok";
    }

    BOOL m_bStarted = FALSE;

private:
    HANDLE m_hToChild = nullptr;
    HANDLE m_hFromChild = nullptr;
    PROCESS_INFORMATION m_pi = {};
};

class ShortcutItemPayloadTest : public GuiTest
{
protected:
    ShortcutItemPayloadTest() { AfxOleInit(); }

    // The icons an accepted item brings along, drawn from new lists.
    static void ExpectOfferedIcons(const CShortcutItemPayload& item)
    {
        CImageList normal, small;
        EXPECT_EQ(0, item.AddImages(&normal, &small)) << "the small icon is the last one added";
        IMAGEINFO info = {};
        ASSERT_TRUE(normal.GetImageInfo(0, &info));
        EXPECT_EQ(32, info.rcImage.right - info.rcImage.left) << "a new list takes the carried size";
        ASSERT_TRUE(small.GetImageInfo(0, &info));
        EXPECT_EQ(16, info.rcImage.bottom - info.rcImage.top);
        EXPECT_EQ(crOfferNormalLeft, ImagePixel(normal, 0, 3, 20));
        EXPECT_EQ(crOfferNormalRight, ImagePixel(normal, 0, 28, 20));
        EXPECT_EQ(crOfferSmallLeft, ImagePixel(small, 0, 2, 5));
        EXPECT_EQ(crOfferSmallRight, ImagePixel(small, 0, 13, 5));
    }
};
} // namespace

TEST_F(ShortcutItemPayloadTest, AnItemComesBackWithItsTextDataExtraBytesAndFullColourIcons)
{
    CShortcutItemPayload read;
    ASSERT_TRUE(read.Read(MakeOfferedItem(true).Write())) << read.GetError().GetString();
    EXPECT_EQ(CString(pszOfferText), read.m_strText);
    EXPECT_EQ(dwOfferData, read.m_dwData);
    EXPECT_EQ(std::vector<BYTE>({1, 2, 3, 250}), read.m_extra);
    ExpectOfferedIcons(read);

    CImageList existing;
    existing.Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 1);
    HICON hIcon = MakeTwoColourIcon(32, 32, 0, 0);
    existing.Add(hIcon);
    DestroyIcon(hIcon);
    EXPECT_EQ(1, read.AddImages(&existing, nullptr)) << "an existing list gets the icon at its end";
    EXPECT_EQ(crOfferNormalRight, ImagePixel(existing, 1, 28, 20));
}

TEST_F(ShortcutItemPayloadTest, AnItemWithoutImageListsCarriesACountOfNoneFollowedByItsExtraBytes)
{
    CShortcutItemPayload item = MakeOfferedItem(false);
    item.SetImage(CShortcutItemPayload::imageNormal, nullptr, 0);
    CImageList empty;
    item.SetImage(CShortcutItemPayload::imageSmall, &empty, 0);
    std::vector<BYTE> bytes = BytesOf(item.Write());
    const size_t nData = (wcslen(pszOfferText) + 1) * 2;
    ASSERT_EQ(nData + 4 + 4 + 4 + 4, bytes.size());
    EXPECT_EQ(dwOfferData, GetDword(bytes, nData));
    EXPECT_EQ(0u, GetDword(bytes, nData + 4));
    EXPECT_EQ(4u, GetDword(bytes, nData + 8));

    UINT nBytes = 7;
    EXPECT_EQ(nullptr, CopyImageToMemory(&empty, 0, &nBytes));
    EXPECT_EQ(0u, nBytes);
}

TEST_F(ShortcutItemPayloadTest, AnEmptyBlockOrDataWithoutTheItemFormatIsRefused)
{
    CShortcutItemPayload item;
    HGLOBAL hEmpty = GlobalAlloc(GMEM_FIXED, 0);
    EXPECT_FALSE(item.Read(hEmpty));
    GlobalFree(hEmpty);
    EXPECT_FALSE(item.Read((HGLOBAL) nullptr));

    COleDataObject none;
    EXPECT_FALSE(item.Read(&none));
    EXPECT_FALSE(item.GetError().IsEmpty());
}

TEST_F(ShortcutItemPayloadTest, AnotherProgramsMalformedItemsAreRefusedUnchangedAndItsGoodOnesAccepted)
{
    const std::vector<CPayloadCase> cases = MakeShortcutItemCases();
    ASSERT_GT(cases.size(), 250u);
    COfferProcess offer;
    ASSERT_TRUE(offer.m_bStarted);
    int nGood = 0;
    for (size_t i = 0; i < cases.size(); ++i)
    {
        SCOPED_TRACE(testing::Message() << "case " << i << ": " << cases[i].pszWhat);
        ASSERT_TRUE(offer.Offer(i));
        COleDataObject data;
        ASSERT_TRUE(data.AttachClipboard());
        CShortcutItemPayload item;
        item.m_strText = L"before";
        item.m_dwData = 7;
        item.m_extra = {9};
        BOOL bRead = item.Read(&data);
        ASSERT_EQ(cases[i].bGood, bRead != FALSE) << item.GetError().GetString();
        if (!bRead)
        {
            EXPECT_FALSE(item.GetError().IsEmpty());
            EXPECT_EQ(CString(L"before"), item.m_strText);
            EXPECT_EQ(7u, item.m_dwData);
            EXPECT_EQ(std::vector<BYTE>({9}), item.m_extra);
            EXPECT_FALSE(item.HasImage(CShortcutItemPayload::imageNormal));
            continue;
        }
        ++nGood;
        EXPECT_EQ(CString(pszOfferText), item.m_strText);
        EXPECT_EQ(dwOfferData, item.m_dwData);
        if (item.HasImage(CShortcutItemPayload::imageNormal))
            ExpectOfferedIcons(item);
    }
    EXPECT_EQ(2, nGood);
}

TEST_F(ShortcutItemPayloadTest, MalformedItemsReadInThisProcessAreRefusedAndLeaveThePayloadUnchanged)
{
    const std::vector<CPayloadCase> cases = MakeShortcutItemCases();
    for (size_t i = 0; i < cases.size(); ++i)
    {
        SCOPED_TRACE(testing::Message() << "case " << i << ": " << cases[i].pszWhat);
        HGLOBAL hGlobal = GlobalAlloc(GMEM_MOVEABLE, cases[i].bytes.size());
        ASSERT_NE(nullptr, hGlobal);
        if (!cases[i].bytes.empty())
        {
            memcpy(GlobalLock(hGlobal), cases[i].bytes.data(), cases[i].bytes.size());
            GlobalUnlock(hGlobal);
        }
        CShortcutItemPayload item;
        item.m_strText = L"before";
        BOOL bRead = item.Read(hGlobal);
        GlobalFree(hGlobal);
        ASSERT_EQ(cases[i].bGood, bRead != FALSE) << item.GetError().GetString();
        if (bRead)
        {
            if (item.HasImage(CShortcutItemPayload::imageNormal))
                ExpectOfferedIcons(item);
            continue;
        }
        EXPECT_EQ(CString(L"before"), item.m_strText);
        EXPECT_FALSE(item.HasImage(CShortcutItemPayload::imageNormal));
    }
}

TEST_F(ShortcutItemPayloadTest, ALabelIsReadUpToFiveHundredAndTwelveCharactersAndCutBeyond)
{
    const int nLimit = 512; // what the side bar uses of a label
    CShortcutItemPayload item = MakeOfferedItem(false);
    for (int nLength : {nLimit, nLimit + 1, 262144})
    {
        SCOPED_TRACE(nLength);
        item.m_strText = CString(std::wstring((size_t)nLength, L'x'));
        CShortcutItemPayload read;
        ASSERT_TRUE(read.Read(item.Write())) << read.GetError().GetString();
        EXPECT_EQ(std::min(nLength, nLimit), read.m_strText.GetLength());
        EXPECT_EQ(dwOfferData, read.m_dwData) << "the rest of the item is read as before";
        EXPECT_EQ(item.m_extra, read.m_extra);
    }
    // The cut takes no half of a character made of two halves.
    item.m_strText = CString(std::wstring((size_t)nLimit - 1, L'x') + L"\U0001F600yy");
    CShortcutItemPayload read;
    ASSERT_TRUE(read.Read(item.Write()));
    EXPECT_EQ(CString(std::wstring((size_t)nLimit - 1, L'x')), read.m_strText);
}
