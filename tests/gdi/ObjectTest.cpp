// Handles: selection returns the previous object, deletion refuses what is
// still in use, stale and foreign handles fail without crashing, nothing leaks.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"

TEST(GdiObjects, SelectReturnsPreviousAndDeleteRefusesSelectedObjects)
{
    size_t before = PlGdiLiveObjectCount();
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    HBRUSH brush = CreateSolidBrush(kBlue);
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 4, 4);
    EXPECT_EQ(before + 3, PlGdiLiveObjectCount());

    HGDIOBJ oldPen = SelectObject(dc, pen);
    EXPECT_EQ(GetStockObject(BLACK_PEN), oldPen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), oldBrush);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    EXPECT_EQ(OBJ_BITMAP, GetObjectType(oldBitmap));
    EXPECT_EQ(pen, GetCurrentObject(dc, OBJ_PEN));

    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(bitmap));

    // A bitmap lives in one DC at a time.
    HDC other = CreateCompatibleDC(dc);
    EXPECT_EQ(nullptr, SelectObject(other, bitmap));
    DeleteDC(other);

    EXPECT_EQ(pen, SelectObject(dc, oldPen));
    EXPECT_EQ(brush, SelectObject(dc, oldBrush));
    EXPECT_EQ(bitmap, SelectObject(dc, oldBitmap));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(before, PlGdiLiveObjectCount());
}

TEST(GdiObjects, StockAndSystemObjectsCannotBeDeleted)
{
    for (int index : {WHITE_BRUSH, NULL_BRUSH, BLACK_PEN, NULL_PEN, SYSTEM_FONT, DEFAULT_GUI_FONT}) {
        HGDIOBJ stock = GetStockObject(index);
        ASSERT_NE(nullptr, stock) << index;
        EXPECT_FALSE(DeleteObject(stock)) << index;
        EXPECT_EQ(stock, GetStockObject(index));
    }
    EXPECT_EQ(nullptr, GetStockObject(9));
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    EXPECT_FALSE(DeleteObject(face));
    EXPECT_EQ(face, GetSysColorBrush(COLOR_BTNFACE));
}

TEST(GdiObjects, StaleAndForeignHandlesFailCleanly)
{
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    ASSERT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_EQ(0u, GetObjectType(pen));

    int local = 0;
    auto foreign = reinterpret_cast<HDC>(&local);
    TestBitmap canvas(4, 4);
    EXPECT_EQ(nullptr, SelectObject(canvas.dc, pen));
    EXPECT_EQ(nullptr, SelectObject(foreign, GetStockObject(BLACK_PEN)));
    EXPECT_FALSE(LineTo(foreign, 3, 3));
    EXPECT_FALSE(Rectangle(foreign, 0, 0, 3, 3));
    EXPECT_FALSE(BitBlt(canvas.dc, 0, 0, 2, 2, foreign, 0, 0, SRCCOPY));
    EXPECT_EQ(CLR_INVALID, GetPixel(foreign, 0, 0));
    EXPECT_FALSE(DeleteDC(foreign));
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(pen)));
    // A brush handle is not a DC, and a DC is not deleted as an object.
    EXPECT_FALSE(DeleteObject(canvas.dc));
    EXPECT_EQ(0, FillRect(canvas.dc, nullptr, GetSysColorBrush(COLOR_WINDOW)));
    EXPECT_EQ(nullptr, PlBitmapBits(reinterpret_cast<HBITMAP>(&local), nullptr));
    EXPECT_EQ(kWhite, canvas.at(0, 0));
}

TEST(GdiObjects, SaveAndRestoreBringBackObjectsAndAttributes)
{
    TestBitmap canvas(10, 10);
    HPEN red = CreatePen(PS_SOLID, 1, kRed);
    HGDIOBJ oldPen = SelectObject(canvas.dc, red);
    SetBkMode(canvas.dc, TRANSPARENT);
    int level = SaveDC(canvas.dc);
    EXPECT_EQ(1, level);

    SelectObject(canvas.dc, GetStockObject(NULL_PEN));
    SetBkMode(canvas.dc, OPAQUE);
    SetTextColor(canvas.dc, kBlue);
    SetViewportOrgEx(canvas.dc, 3, 3, nullptr);
    IntersectClipRect(canvas.dc, 0, 0, 1, 1);
    SetROP2(canvas.dc, R2_XORPEN);
    // The saved state still holds the pen, so it may not be deleted.
    EXPECT_FALSE(DeleteObject(red));

    EXPECT_TRUE(RestoreDC(canvas.dc, -1));
    EXPECT_EQ(red, GetCurrentObject(canvas.dc, OBJ_PEN));
    EXPECT_EQ(TRANSPARENT, GetBkMode(canvas.dc));
    EXPECT_EQ(kBlack, GetTextColor(canvas.dc));
    EXPECT_EQ(R2_COPYPEN, GetROP2(canvas.dc));
    POINT origin;
    GetViewportOrgEx(canvas.dc, &origin);
    EXPECT_EQ(0, origin.x);
    RECT clip;
    EXPECT_EQ(SIMPLEREGION, GetClipBox(canvas.dc, &clip));
    EXPECT_EQ((RECT{0, 0, 10, 10}), clip);
    EXPECT_FALSE(RestoreDC(canvas.dc, -1));  // nothing left to restore

    // Absolute levels discard the states above them.
    SaveDC(canvas.dc);
    SetTextColor(canvas.dc, kRed);
    SaveDC(canvas.dc);
    SetTextColor(canvas.dc, kBlue);
    EXPECT_TRUE(RestoreDC(canvas.dc, 1));
    EXPECT_EQ(kBlack, GetTextColor(canvas.dc));
    EXPECT_FALSE(RestoreDC(canvas.dc, 1));

    SelectObject(canvas.dc, oldPen);
    EXPECT_TRUE(DeleteObject(red));
}

TEST(GdiObjects, ObjectDescriptionsAndDeviceCaps)
{
    const WORD rows[8] = {0x1111, 0x2222, 0x4444, 0x8888, 0x1111, 0x2222, 0x4444, 0x8888};
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, rows);
    BITMAP info{};
    ASSERT_EQ(int(sizeof info), GetObjectA(mono, sizeof info, &info));
    EXPECT_EQ(8, info.bmWidth);
    EXPECT_EQ(1, info.bmBitsPixel);
    EXPECT_EQ(2, info.bmWidthBytes);
    DeleteObject(mono);

    HFONT font = CreateFontA(-9, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Small Fonts");
    LOGFONTA log{};
    ASSERT_EQ(int(sizeof log), GetObjectA(font, sizeof log, &log));
    EXPECT_EQ(-9, log.lfHeight);
    EXPECT_STREQ("Small Fonts", log.lfFaceName);
    DeleteObject(font);

    HDC screen = CreateCompatibleDC(nullptr);
    EXPECT_EQ(96, GetDeviceCaps(screen, LOGPIXELSX));
    EXPECT_EQ(1280, GetDeviceCaps(screen, HORZRES));
    // A fresh memory DC makes monochrome compatible bitmaps, as natively.
    HBITMAP compatible = CreateCompatibleBitmap(screen, 2, 2);
    GetObjectA(compatible, sizeof info, &info);
    EXPECT_EQ(1, info.bmBitsPixel);
    DeleteObject(compatible);
    DeleteDC(screen);

    TestBitmap canvas(40, 30);
    EXPECT_EQ(40, GetDeviceCaps(canvas.dc, HORZRES));
    EXPECT_EQ(30, GetDeviceCaps(canvas.dc, VERTRES));
    EXPECT_EQ(32, GetDeviceCaps(canvas.dc, BITSPIXEL));
}
