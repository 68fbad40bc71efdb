#include "GuiTest.h"

#include "console/app/CAboutDlg.h"
#include "console/app/CLogoPainter.h"
#include "console/app/CMDIClientWnd.h"
#include "console/app/CSplashWnd.h"
#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CDC.h"
#include "resources/console/BelvaneRes.h"
#include "support/FileVersionInfo.h"

namespace
{
class SplashAndLogoTest : public GuiTest
{
protected:
    ~SplashAndLogoTest() override
    {
        CSplashWnd::HideSplashScreen();
        CSplashWnd::EnableSplashScreen(FALSE);
    }

    // Draws into a white memory picture of the given size and returns its pixels.
    template <typename Draw>
    WindowPixels Picture(int nWidth, int nHeight, Draw draw)
    {
        CDC dcScreen;
        dcScreen.Attach(GetDC(nullptr));
        CDC dc;
        dc.CreateCompatibleDC(&dcScreen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dcScreen, nWidth, nHeight);
        HGDIOBJ hOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(CRect(0, 0, nWidth, nHeight), RGB(255, 255, 255));
        draw(dc);
        WindowPixels image;
        image.nWidth = nWidth;
        image.nHeight = nHeight;
        for (int y = 0; y < nHeight; ++y)
            for (int x = 0; x < nWidth; ++x)
            {
                COLORREF cr = dc.GetPixel(x, y);
                image.pixels.push_back((uint32_t)(GetRValue(cr) << 16 | GetGValue(cr) << 8 | GetBValue(cr)));
            }
        dc.SelectObject(hOld);
        ReleaseDC(nullptr, dcScreen.Detach());
        return image;
    }
};
} // namespace

TEST_F(SplashAndLogoTest, TheSpecialBuildShowsInSplashAboutAndLogo)
{
    CFileVersionInfo version;
    ASSERT_STREQ(L"Test build", version.GetValue(L"SpecialBuild"));
    EXPECT_STREQ(version.m_strVersionLine + L" (Test build)", CSplashWnd::FirstLine());
    CString strCaption;
    strCaption.Format(L"Belvane v1.0 Test build build %u", version.GetBuildNumber());
    EXPECT_STREQ(strCaption, CAboutDlg::Caption());

    CLogoPainter painter;
    painter.BuildLines(TRUE);
    ASSERT_EQ(5, painter.m_arrLines.GetSize());
    EXPECT_STREQ(L" ", painter.m_arrLines[0]);
    EXPECT_STREQ(version.m_strVersionLine, painter.m_arrLines[1]);
    EXPECT_STREQ(L"Test build", painter.m_arrLines[2]);
    EXPECT_STREQ(L" ", painter.m_arrLines[3]);
    EXPECT_STREQ(version.GetValue(L"LegalCopyright"), painter.m_arrLines[4]);
    painter.BuildLines(FALSE);
    EXPECT_EQ(3, painter.m_arrLines.GetSize());
}

TEST_F(SplashAndLogoTest, SplashComesOnceAndGoesWithItsTimer)
{
    CSplashWnd::EnableSplashScreen(FALSE);
    CSplashWnd::ShowSplashScreen(&Host());
    EXPECT_TRUE(CSplashWnd::GetSplashWnd() == nullptr) << "disabled, as with the embedding switch";

    CSplashWnd::EnableSplashScreen(TRUE);
    CSplashWnd::ShowSplashScreen(&Host());
    CSplashWnd* pSplash = CSplashWnd::GetSplashWnd();
    ASSERT_TRUE(pSplash != nullptr);
    HWND hSplash = pSplash->m_hWnd;
    CSplashWnd::ShowSplashScreen(&Host());
    EXPECT_EQ(pSplash, CSplashWnd::GetSplashWnd()) << "a second call does nothing";
    EXPECT_TRUE(IsWindowVisible(hSplash));
    CRect rect;
    GetWindowRect(hSplash, &rect);
    BITMAP bm = {};
    CBitmap splash;
    splash.LoadBitmap(IDB_SPLASH);
    splash.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, rect.Width());
    EXPECT_EQ(bm.bmHeight, rect.Height());
    PumpUntilIdle();

    SendMessageW(hSplash, WM_TIMER, 7, 0);
    EXPECT_TRUE(IsWindow(hSplash)) << "other timers are ignored";
    SendMessageW(hSplash, WM_TIMER, 100, 0);
    EXPECT_FALSE(IsWindow(hSplash));
    EXPECT_TRUE(CSplashWnd::GetSplashWnd() == nullptr);
}

TEST_F(SplashAndLogoTest, TilesStartAtTheTopLeftCorner)
{
    CBitmap tile;
    ASSERT_TRUE(tile.LoadBitmap(IDB_BACKGROUND_TILE));
    BITMAP bm = {};
    tile.GetBitmap(&bm);
    WindowPixels small = Picture(bm.bmWidth / 2, bm.bmHeight / 3, [](CDC& dc) {
        CMDIClientWnd::PaintBackground(&dc, CRect(0, 0, 32, 21));
    });
    WindowPixels large = Picture(bm.bmWidth * 2 + 10, bm.bmHeight + 5, [&](CDC& dc) {
        CMDIClientWnd::PaintBackground(&dc, CRect(0, 0, bm.bmWidth * 2 + 10, bm.bmHeight + 5));
    });
    for (int y = 0; y < small.nHeight; y += 5)
        for (int x = 0; x < small.nWidth; x += 5)
        {
            EXPECT_EQ(large.At(x, y), small.At(x, y)) << "one partial tile";
            EXPECT_EQ(large.At(x, y), large.At(x + bm.bmWidth, y));
        }
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(large.At(x, y), large.At(x + 2 * bm.bmWidth, y + bm.bmHeight)) << "cut last row and column";
    EXPECT_NE(RGB(255, 255, 255), large.At(bm.bmWidth * 2 + 9, bm.bmHeight + 4)) << "the tiles cover the whole area";
}

TEST_F(SplashAndLogoTest, LogoAndLinesAreCentred)
{
    const COLORREF crNavy = RGB(0x20, 0x4A, 0x87); // the lettering
    CBitmap logo;
    ASSERT_TRUE(logo.LoadBitmap(IDB_LOGO));
    BITMAP bm = {};
    logo.GetBitmap(&bm);
    CLogoPainter painter;
    WindowPixels image = Picture(800, 600, [&](CDC& dc) { painter.Draw(&Host(), &dc, 800, 600, TRUE, TRUE); });
    EXPECT_EQ(5, painter.m_arrLines.GetSize());
    EXPECT_GT(painter.m_nTextHeight, 0);
    int nLeft = 800, nRight = -1, nTop = 600;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            if (image.At(x, y) == crNavy)
            {
                nLeft = std::min(nLeft, x);
                nRight = std::max(nRight, x);
                nTop = std::min(nTop, y);
            }
    ASSERT_GE(nRight, 0) << "the logo is drawn";
    int nLogoLeft = (800 - bm.bmWidth) / 2;
    int nLogoTop = (600 - bm.bmHeight - painter.m_nTextHeight) / 2;
    EXPECT_GE(nLeft, nLogoLeft);
    EXPECT_LT(nRight, nLogoLeft + bm.bmWidth);
    EXPECT_GE(nTop, nLogoTop);
    // The text is black, under the logo.
    RECT rectText = {0, nLogoTop + bm.bmHeight, 800, nLogoTop + bm.bmHeight + painter.m_nTextHeight};
    EXPECT_GT(image.Count(rectText, RGB(0, 0, 0)), 100);
    RECT rectAbove = {0, 0, 800, nLogoTop};
    EXPECT_EQ(0, image.Count(rectAbove, RGB(0, 0, 0)));
}
