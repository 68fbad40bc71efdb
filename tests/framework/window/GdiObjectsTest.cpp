#include "GuiTest.h"

#include "framework/gdi/CBitmap.h"
#include "framework/gdi/CBrush.h"
#include "framework/gdi/CClientDC.h"
#include "framework/gdi/CPen.h"
#include "framework/gdi/CRgn.h"

namespace
{
class GdiObjectsTest : public GuiTest
{
};
} // namespace

TEST_F(GdiObjectsTest, ObjectsDieWithTheirOwnersUnlessDetached)
{
    HGDIOBJ hPen = nullptr, hBrush = nullptr, hKept = nullptr;
    {
        CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
        CBrush brush(RGB(4, 5, 6));
        CBrush kept(RGB(7, 8, 9));
        hPen = pen.m_hObject;
        hBrush = brush.m_hObject;
        hKept = kept.Detach();
        EXPECT_EQ(OBJ_PEN, (int)GetObjectType(hPen));
        EXPECT_EQ(OBJ_BRUSH, (int)GetObjectType(hBrush));
        // A second handle is refused while one is held.
        EXPECT_FALSE(brush.CreateSolidBrush(0));
    }
    EXPECT_EQ(0u, GetObjectType(hPen));
    EXPECT_EQ(0u, GetObjectType(hBrush));
    EXPECT_EQ((DWORD)OBJ_BRUSH, GetObjectType(hKept));
    DeleteObject(hKept);
}

TEST_F(GdiObjectsTest, RegionsAndMemoryContexts)
{
    CRgn left, right;
    ASSERT_TRUE(left.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(right.CreateRectRgn(20, 0, 30, 10));
    EXPECT_EQ(COMPLEXREGION, left.CombineRgn(&left, &right, RGN_OR));
    EXPECT_TRUE(left.PtInRegion(25, 5));
    EXPECT_FALSE(left.PtInRegion(15, 5));

    CClientDC screen(&Host());
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 8, 8));
    HGDIOBJ hOld = memory.SelectObject(&bitmap);
    memory.FillSolidRect(CRect(0, 0, 8, 8), RGB(10, 20, 30));
    memory.SetPixel(3, 3, RGB(200, 0, 0));
    EXPECT_EQ(RGB(10, 20, 30), memory.GetPixel(0, 0));
    EXPECT_EQ(RGB(200, 0, 0), memory.GetPixel(3, 3));
    memory.SelectObject(hOld);
    BITMAP bm = {};
    ASSERT_TRUE(bitmap.GetBitmap(&bm));
    EXPECT_EQ(8, bm.bmWidth);
}
