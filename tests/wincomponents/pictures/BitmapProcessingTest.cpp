#include "GuiTest.h"

#include "WinComponentsTestsRes.h"
#include "framework/gdi/CDC.h"
#include "wincomponents/pictures/CGreyProcessor.h"
#include "wincomponents/pictures/CHslColor.h"
#include "wincomponents/pictures/CImageBitmap.h"
#include "wincomponents/pictures/CImageListHolder.h"
#include "wincomponents/pictures/CLightnessProcessor.h"
#include "wincomponents/pictures/DrawTransparentBitmap.h"

#include <vector>

namespace
{
const COLORREF kMagenta = 0xFF00FF;

uint32_t Pixel(int r, int g, int b)
{
    return ((uint32_t)r << 16) | ((uint32_t)g << 8) | (uint32_t)b;
}

uint32_t ProcessOne(CPixelProcessor& processor, uint32_t nPixel)
{
    uint32_t nOut = 0;
    EXPECT_TRUE(processor.Process(&nPixel, 1, 1, &nOut, 1, 1));
    return nOut & 0xFFFFFF;
}

BITMAPINFO TopDown32(int nWidth, int nHeight)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    return bmi;
}

// The bitmap's pixels top-down, as 0x00RRGGBB.
std::vector<uint32_t> ReadPixels(HBITMAP hBitmap, int nWidth, int nHeight)
{
    std::vector<uint32_t> pixels((size_t)nWidth * (size_t)nHeight);
    BITMAPINFO bmi = TopDown32(nWidth, nHeight);
    HDC hScreen = GetDC(nullptr);
    GetDIBits(hScreen, hBitmap, 0, (UINT)nHeight, pixels.data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hScreen);
    for (uint32_t& n : pixels)
        n &= 0xFFFFFF;
    return pixels;
}

void MakeBitmap(CBitmap& bitmap, const std::vector<uint32_t>& pixels, int nWidth, int nHeight)
{
    HDC hScreen = GetDC(nullptr);
    bitmap.Attach(CreateCompatibleBitmap(hScreen, nWidth, nHeight));
    BITMAPINFO bmi = TopDown32(nWidth, nHeight);
    SetDIBits(hScreen, bitmap, 0, (UINT)nHeight, pixels.data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hScreen);
}

class BitmapProcessingTest : public GuiTest
{
};
} // namespace

TEST_F(BitmapProcessingTest, ColourConversionBothWays)
{
    CHslColor red(RGB(255, 0, 0));
    EXPECT_FLOAT_EQ(360.0f, red.GetHue());
    EXPECT_FLOAT_EQ(1.0f, red.GetSaturation());
    EXPECT_FLOAT_EQ(0.5f, red.GetLightness());
    red.SetLightness(0.54f);
    EXPECT_EQ(255, red.GetRed());
    EXPECT_EQ(20, red.GetGreen());
    EXPECT_EQ(20, red.GetBlue());

    CHslColor green(0, 255, 0);
    EXPECT_FLOAT_EQ(120.0f, green.GetHue());
    CHslColor grey(128, 128, 128);
    EXPECT_FLOAT_EQ(0.0f, grey.GetSaturation());
    grey.SetLightness(0.6f);
    EXPECT_EQ(153, grey.GetRed());
    EXPECT_EQ(153, grey.GetBlue());
}

TEST_F(BitmapProcessingTest, GreyAndLightnessPixelVectors)
{
    CGreyProcessor grey;
    grey.SetKeyColor(255, 0, 255);
    EXPECT_EQ(Pixel(76, 76, 76), ProcessOne(grey, Pixel(255, 0, 0)));
    EXPECT_EQ(Pixel(255, 255, 255), ProcessOne(grey, Pixel(255, 255, 255)));
    EXPECT_EQ(Pixel(255, 0, 255), ProcessOne(grey, Pixel(255, 0, 255)));

    CLightnessProcessor lighter(0.04f);
    lighter.SetKeyColor(255, 0, 255);
    EXPECT_EQ(Pixel(255, 20, 20), ProcessOne(lighter, Pixel(255, 0, 0)));
    EXPECT_EQ(Pixel(255, 255, 255), ProcessOne(lighter, Pixel(255, 255, 255)));
    EXPECT_EQ(Pixel(255, 0, 255), ProcessOne(lighter, Pixel(255, 0, 255)));
    CLightnessProcessor darker(-0.1f);
    EXPECT_EQ(Pixel(0, 0, 0), ProcessOne(darker, Pixel(0, 0, 0)));
    EXPECT_EQ(Pixel(0, 0, 0), ProcessOne(darker, Pixel(20, 20, 20)));
    // Without a key every colour counts.
    CGreyProcessor unkeyed;
    EXPECT_EQ(Pixel(102, 102, 102), ProcessOne(unkeyed, Pixel(255, 0, 255)));
}

TEST_F(BitmapProcessingTest, ImageBitmapTakesTheProcessedPixels)
{
    // red, white, key, grey
    std::vector<uint32_t> pixels = {Pixel(255, 0, 0), Pixel(255, 255, 255), Pixel(255, 0, 255), Pixel(128, 128, 128)};
    CImageBitmap lighter;
    MakeBitmap(lighter, pixels, 4, 1);
    ASSERT_TRUE(lighter.MakeLighter(kMagenta));
    std::vector<uint32_t> out = ReadPixels(lighter, 4, 1);
    EXPECT_EQ(Pixel(255, 40, 40), out[0]);
    EXPECT_EQ(Pixel(255, 255, 255), out[1]);
    EXPECT_EQ(Pixel(255, 0, 255), out[2]);
    EXPECT_EQ(Pixel(148, 148, 148), out[3]);

    CImageBitmap disabled;
    MakeBitmap(disabled, pixels, 4, 1);
    ASSERT_TRUE(disabled.MakeDisabled(kMagenta));
    out = ReadPixels(disabled, 4, 1);
    int nGrey = (int)(out[0] & 0xFF);
    EXPECT_EQ(Pixel(nGrey, nGrey, nGrey), out[0]);
    EXPECT_GT(nGrey, 76);
    EXPECT_EQ(Pixel(255, 0, 255), out[2]);

    CImageBitmap empty;
    std::vector<CPixelProcessor*> none;
    EXPECT_FALSE(empty.Process(none));
    EXPECT_TRUE(disabled.Process(none));
}

TEST_F(BitmapProcessingTest, TransparentDrawingShowsTheBackgroundAndKeepsTheBitmap)
{
    // Left half key colour, right half green.
    std::vector<uint32_t> pixels(8 * 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pixels[(size_t)(y * 8 + x)] = x < 4 ? Pixel(255, 0, 255) : Pixel(0, 200, 0);
    CBitmap bitmap;
    MakeBitmap(bitmap, pixels, 8, 8);

    HDC hScreen = GetDC(nullptr);
    CDC dc;
    dc.Attach(CreateCompatibleDC(hScreen));
    CBitmap target;
    target.Attach(CreateCompatibleBitmap(hScreen, 32, 32));
    ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = dc.SelectObject(&target);
    dc.FillSolidRect(CRect(0, 0, 32, 32), RGB(0, 0, 255));

    DrawTransparentBitmap(&dc, &bitmap, 4, 6, kMagenta);
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(5, 7));   // key: background shows
    EXPECT_EQ(RGB(0, 200, 0), dc.GetPixel(10, 10)); // bitmap pixel
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(13, 7));  // beyond the bitmap
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(10, 15));
    // A key the bitmap lacks copies it whole.
    DrawTransparentBitmap(&dc, &bitmap, 20, 20, RGB(1, 2, 3));
    EXPECT_EQ(RGB(255, 0, 255), dc.GetPixel(21, 21));
    dc.SelectObject(hOld);

    EXPECT_EQ(pixels, ReadPixels(bitmap, 8, 8));
}

TEST_F(BitmapProcessingTest, ImageListHolderAddsEveryBitmapTwice)
{
    CImageListHolder empty;
    EXPECT_FALSE(empty.Create(kMagenta));
    EXPECT_EQ(nullptr, empty.GetImageList());

    CImageListHolder holder;
    holder.AddBitmap(IDB_ONE);
    holder.AddBitmap(IDB_TWO);
    holder.AddBitmap(IDB_THREE);
    ASSERT_TRUE(holder.Create(kMagenta));
    CImageList* pList = holder.GetImageList();
    ASSERT_NE(nullptr, pList);
    EXPECT_EQ(6, pList->GetImageCount());
    int cx = 0, cy = 0;
    ImageList_GetIconSize(*pList, &cx, &cy);
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);

    // Drawn on white: the masked half stays white, the other half has the bitmap's colour.
    HDC hScreen = GetDC(nullptr);
    CDC dc;
    dc.Attach(CreateCompatibleDC(hScreen));
    CBitmap target;
    target.Attach(CreateCompatibleBitmap(hScreen, 16 * 6, 16));
    ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = dc.SelectObject(&target);
    dc.FillSolidRect(CRect(0, 0, 16 * 6, 16), RGB(255, 255, 255));
    for (int i = 0; i < 6; ++i)
        pList->Draw(&dc, i, CPoint(16 * i, 0), ILD_TRANSPARENT);
    const COLORREF expected[6] = {RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0),
                                  RGB(0, 255, 0), RGB(0, 0, 255), RGB(0, 0, 255)};
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(16 * i + 2, 8)) << "image " << i;
        EXPECT_EQ(expected[i], dc.GetPixel(16 * i + 12, 8)) << "image " << i;
    }
    dc.SelectObject(hOld);
}
