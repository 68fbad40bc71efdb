#include "GuiTest.h"

#include "resources/console/BelvaneRes.h"
#include "resources/console/OutstandingRes.h"
#include "resources/console/ToolbarsRes.h"
#include "wincomponents/pictures/CImageListHolder.h"

#include <set>
#include <vector>

namespace
{
const COLORREF kKey = RGB(255, 0, 255);

// A bitmap resource's pixels, top row first.
WindowPixels LoadPixels(UINT nID)
{
    WindowPixels pixels;
    HBITMAP hBitmap = (HBITMAP)LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nID), IMAGE_BITMAP, 0, 0,
                                          LR_CREATEDIBSECTION);
    if (!hBitmap)
        return pixels;
    BITMAP bm = {};
    GetObjectW(hBitmap, sizeof bm, &bm);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    pixels.pixels.assign((size_t)bm.bmWidth * bm.bmHeight, 0);
    HDC hDC = GetDC(nullptr);
    int nRows = GetDIBits(hDC, hBitmap, 0, bm.bmHeight, pixels.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hDC);
    DeleteObject(hBitmap);
    if (nRows == bm.bmHeight)
    {
        pixels.nWidth = bm.bmWidth;
        pixels.nHeight = bm.bmHeight;
    }
    return pixels;
}

// The command ids of a toolbar resource (0 for a separator), after checking its header.
std::vector<WORD> ToolbarButtons(UINT nID)
{
    HMODULE hModule = GetModuleHandleW(nullptr);
    HRSRC hResource = FindResourceW(hModule, MAKEINTRESOURCEW(nID), MAKEINTRESOURCEW(241));
    if (!hResource)
        return {};
    const WORD* pWords = (const WORD*)LockResource(LoadResource(hModule, hResource));
    EXPECT_EQ(1, pWords[0]) << nID;
    EXPECT_EQ(32, pWords[1]) << nID;
    EXPECT_EQ(32, pWords[2]) << nID;
    return std::vector<WORD>(pWords + 4, pWords + 4 + pWords[3]);
}

// The bytes of an icon resource's image of that size; empty when the icon is missing.
std::vector<BYTE> IconImage(UINT nID, int nSize)
{
    HMODULE hModule = GetModuleHandleW(nullptr);
    HRSRC hGroup = FindResourceW(hModule, MAKEINTRESOURCEW(nID), RT_GROUP_ICON);
    if (!hGroup)
        return {};
    int nImage = LookupIconIdFromDirectoryEx((PBYTE)LockResource(LoadResource(hModule, hGroup)), TRUE, nSize, nSize,
                                             LR_DEFAULTCOLOR);
    HRSRC hImage = FindResourceW(hModule, MAKEINTRESOURCEW(nImage), RT_ICON);
    if (!hImage)
        return {};
    const BYTE* pBytes = (const BYTE*)LockResource(LoadResource(hModule, hImage));
    return std::vector<BYTE>(pBytes, pBytes + SizeofResource(hModule, hImage));
}

// One square picture cut out of a strip.
std::vector<COLORREF> Cell(const WindowPixels& strip, int nIndex, int nSize)
{
    std::vector<COLORREF> cell;
    for (int y = 0; y < nSize; ++y)
        for (int x = 0; x < nSize; ++x)
            cell.push_back(strip.At(nIndex * nSize + x, y));
    return cell;
}

// A picture worth showing: keyed around its shape, drawn with more than the few flat colours of
// a placeholder, and not empty.
void ExpectAPicture(const std::vector<COLORREF>& cell, const CString& strWhat)
{
    std::set<COLORREF> colours(cell.begin(), cell.end());
    size_t nKeyed = 0;
    for (COLORREF cr : cell)
        nKeyed += cr == kKey;
    EXPECT_EQ(1u, colours.count(kKey)) << CStringA(strWhat).GetString() << ": the key around the picture";
    EXPECT_GT(colours.size(), 12u) << CStringA(strWhat).GetString() << ": shaded, not a flat placeholder";
    EXPECT_LT(nKeyed, cell.size() * 9 / 10) << CStringA(strWhat).GetString() << ": not an empty square";
}
} // namespace

TEST(PicturesTest, EveryToolbarButtonHasAPictureOfItsOwn)
{
    const struct
    {
        UINT nToolbar;
        UINT nBitmap;
        size_t nButtons;
    } toolbars[] = {
        {IDR_OPTIONS_TOOLBAR, IDB_OPTIONS_TOOLBAR, 11},
        {IDR_OUTSTANDING_TOOLBAR, IDB_OUTSTANDING_TOOLBAR, 11},
        {IDR_DEFINITIONS_TOOLBAR, IDB_DEFINITIONS_TOOLBAR, 8},
    };
    for (const auto& toolbar : toolbars)
    {
        std::vector<WORD> buttons = ToolbarButtons(toolbar.nToolbar);
        std::vector<WORD> commands;
        for (WORD nID : buttons)
            if (nID)
                commands.push_back(nID);
        EXPECT_EQ(toolbar.nButtons, commands.size()) << toolbar.nToolbar;

        WindowPixels strip = LoadPixels(toolbar.nBitmap);
        ASSERT_EQ(32, strip.nHeight) << toolbar.nBitmap;
        ASSERT_EQ((int)commands.size() * 32, strip.nWidth) << toolbar.nBitmap << ": one picture per button";
        std::vector<std::vector<COLORREF>> cells;
        for (size_t i = 0; i < commands.size(); ++i)
        {
            CString strWhat;
            strWhat.Format(L"toolbar %u, command %u", toolbar.nToolbar, commands[i]);
            cells.push_back(Cell(strip, (int)i, 32));
            ExpectAPicture(cells.back(), strWhat);
            for (size_t j = 0; j < i; ++j)
                EXPECT_NE(cells[j], cells[i]) << "toolbar " << toolbar.nToolbar << ": commands " << commands[j]
                                              << " and " << commands[i] << " show the same picture";
        }
    }
}

TEST(PicturesTest, SideBarImageListsHoldFiveDistinctPicturesInTwoSizes)
{
    const UINT large[] = {IDB_SIDEBAR_GROUP_LARGE, IDB_SIDEBAR_VALUE_LARGE, IDB_SIDEBAR_REFRESH_LARGE,
                          IDB_SIDEBAR_ALL_LARGE, IDB_SIDEBAR_DEFAULT_LARGE};
    const UINT small[] = {IDB_SIDEBAR_GROUP_SMALL, IDB_SIDEBAR_VALUE_SMALL, IDB_SIDEBAR_REFRESH_SMALL,
                          IDB_SIDEBAR_ALL_SMALL, IDB_SIDEBAR_DEFAULT_SMALL};
    for (const auto& [ids, nSize] : {std::make_pair(large, 32), std::make_pair(small, 16)})
    {
        std::vector<std::vector<COLORREF>> cells;
        CImageListHolder holder;
        for (int i = 0; i < 5; ++i)
        {
            WindowPixels picture = LoadPixels(ids[i]);
            ASSERT_EQ(nSize, picture.nWidth) << ids[i];
            ASSERT_EQ(nSize, picture.nHeight) << ids[i];
            CString strWhat;
            strWhat.Format(L"side bar bitmap %u", ids[i]);
            cells.push_back(Cell(picture, 0, nSize));
            ExpectAPicture(cells.back(), strWhat);
            for (int j = 0; j < i; ++j)
                EXPECT_NE(cells[j], cells[i]) << ids[j] << " and " << ids[i];
            holder.AddBitmap(ids[i]);
        }
        ASSERT_TRUE(holder.Create(kKey));
        EXPECT_EQ(10, holder.GetImageList()->GetImageCount());
        int cx = 0, cy = 0;
        ImageList_GetIconSize(holder.GetImageList()->GetSafeHandle(), &cx, &cy);
        EXPECT_EQ(nSize, cx);
        EXPECT_EQ(nSize, cy);
    }
}

TEST(PicturesTest, MainAndDocumentWindowsHaveIconsOfTheirOwn)
{
    // The frames of the document windows take the icon of their template's id.
    const UINT ids[] = {IDR_MAINFRAME, IDR_DEFINITIONS, IDR_ALARMS, IDR_LOGFILE, IDI_BROWSER};
    for (int nSize : {16, 32})
    {
        std::vector<std::vector<BYTE>> images;
        for (UINT nID : ids)
        {
            images.push_back(IconImage(nID, nSize));
            EXPECT_FALSE(images.back().empty()) << "icon " << nID << " at " << nSize;
            for (size_t j = 0; j + 1 < images.size(); ++j)
                EXPECT_NE(images[j], images.back()) << "icons " << ids[j] << " and " << nID << " at " << nSize;
        }
    }
}
