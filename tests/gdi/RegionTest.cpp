// Region objects: the combine modes and their result codes, regions as clips,
// and the object bookkeeping. Shapes are checked as pixel pictures, by filling
// a bitmap through the region as the clip.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "GdiTestSupport.h"

namespace {

// The pixels of a region within a 10 x 10 field, as a picture.
std::string Picture(HRGN region)
{
    TestBitmap canvas(10, 10);
    SelectClipRgn(canvas.dc, region);
    FillAll(canvas.dc, kBlack);
    return canvas.art(kBlack);
}

struct Combined {
    int result;
    std::string picture;
    RECT box;
};

Combined Combine(int mode)
{
    HRGN a = CreateRectRgn(1, 1, 6, 6);
    HRGN b = CreateRectRgn(4, 4, 9, 9);
    HRGN dest = CreateRectRgn(0, 0, 0, 0);
    Combined c{CombineRgn(dest, a, b, mode), Picture(dest), {}};
    GetRgnBox(dest, &c.box);
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(dest);
    return c;
}

}  // namespace

TEST(GdiRegion, CombineModesGiveTheirShapesAndResultCodes)
{
    Combined both = Combine(RGN_AND);
    EXPECT_EQ(SIMPLEREGION, both.result);
    EXPECT_EQ((RECT{4, 4, 6, 6}), both.box);

    Combined either = Combine(RGN_OR);
    EXPECT_EQ(COMPLEXREGION, either.result);
    EXPECT_EQ((RECT{1, 1, 9, 9}), either.box);
    EXPECT_EQ("..........\n"
              ".#####....\n"
              ".#####....\n"
              ".#####....\n"
              ".########.\n"
              ".########.\n"
              "....#####.\n"
              "....#####.\n"
              "....#####.\n"
              "..........\n",
              either.picture);

    Combined one = Combine(RGN_XOR);
    EXPECT_EQ(COMPLEXREGION, one.result);
    EXPECT_EQ("..........\n"
              ".#####....\n"
              ".#####....\n"
              ".#####....\n"
              ".###..###.\n"
              ".###..###.\n"
              "....#####.\n"
              "....#####.\n"
              "....#####.\n"
              "..........\n",
              one.picture);

    Combined first = Combine(RGN_DIFF);
    EXPECT_EQ(COMPLEXREGION, first.result);
    EXPECT_EQ((RECT{1, 1, 6, 6}), first.box);
    EXPECT_EQ(25 - 4, std::count(first.picture.begin(), first.picture.end(), '#'));

    Combined copy = Combine(RGN_COPY);
    EXPECT_EQ(SIMPLEREGION, copy.result);
    EXPECT_EQ((RECT{1, 1, 6, 6}), copy.box);
}

TEST(GdiRegion, ResultCodesFollowThePixelsNotTheHistory)
{
    HRGN left = CreateRectRgn(0, 0, 5, 10);
    HRGN right = CreateRectRgn(5, 0, 10, 10);
    HRGN whole = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(SIMPLEREGION, CombineRgn(whole, left, right, RGN_OR)) << "two halves make one rectangle";
    RECT box;
    EXPECT_EQ(SIMPLEREGION, GetRgnBox(whole, &box));
    EXPECT_EQ((RECT{0, 0, 10, 10}), box);

    HRGN middle = CreateRectRgn(3, 3, 7, 7);
    EXPECT_EQ(COMPLEXREGION, CombineRgn(whole, whole, middle, RGN_DIFF)) << "dest may be a source";
    EXPECT_EQ(SIMPLEREGION, CombineRgn(whole, whole, middle, RGN_OR)) << "the hole filled again";
    EXPECT_EQ(NULLREGION, CombineRgn(whole, whole, whole, RGN_XOR));
    EXPECT_EQ(NULLREGION, GetRgnBox(whole, &box));
    EXPECT_EQ((RECT{0, 0, 0, 0}), box);

    HRGN reversed = CreateRectRgn(7, 8, 2, 3);
    EXPECT_EQ(SIMPLEREGION, GetRgnBox(reversed, &box));
    EXPECT_EQ((RECT{2, 3, 7, 8}), box);

    EXPECT_EQ(ERROR, CombineRgn(whole, left, right, 99));
    EXPECT_EQ(ERROR, CombineRgn(whole, left, nullptr, RGN_AND));
    EXPECT_EQ(SIMPLEREGION, CombineRgn(whole, left, nullptr, RGN_COPY));
    EXPECT_EQ(ERROR, CombineRgn(reinterpret_cast<HRGN>(reinterpret_cast<uintptr_t>(left) + 1), left, right, RGN_OR));
    EXPECT_EQ(ERROR, GetRgnBox(reinterpret_cast<HRGN>(GetStockObject(BLACK_PEN)), &box));
    for (HRGN r : {left, right, whole, middle, reversed})
        DeleteObject(r);
}

TEST(GdiRegion, HitTestsAndOffset)
{
    HRGN ring = CreateRectRgn(0, 0, 10, 10);
    HRGN hole = CreateRectRgn(3, 3, 7, 7);
    CombineRgn(ring, ring, hole, RGN_DIFF);
    EXPECT_TRUE(PtInRegion(ring, 0, 0));
    EXPECT_FALSE(PtInRegion(ring, 5, 5));
    EXPECT_FALSE(PtInRegion(ring, 10, 5)) << "right and bottom edges are outside";
    RECT inHole{4, 4, 6, 6}, acrossEdge{6, 6, 8, 8}, flipped{8, 8, 6, 6};
    EXPECT_FALSE(RectInRegion(ring, &inHole));
    EXPECT_TRUE(RectInRegion(ring, &acrossEdge));
    EXPECT_TRUE(RectInRegion(ring, &flipped));
    EXPECT_EQ(COMPLEXREGION, OffsetRgn(ring, 20, -5));
    EXPECT_TRUE(PtInRegion(ring, 20, -5));
    EXPECT_FALSE(PtInRegion(ring, 25, 0));
    EXPECT_FALSE(PtInRegion(nullptr, 0, 0));
    DeleteObject(ring);
    DeleteObject(hole);
}

// Every operation against a pixel-set model, on random rectangles: the
// banded form must keep the same pixels and call a rectangle simple.
TEST(GdiRegion, RandomCombinationsMatchAPixelModel)
{
    constexpr int kSize = 16;
    using Pixels = std::array<std::array<bool, kSize>, kSize>;
    std::mt19937 random(7);
    auto coordinate = [&] { return int(random() % (kSize + 1)); };
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    HRGN operand = CreateRectRgn(0, 0, 0, 0);
    Pixels model{};
    for (int step = 0; step < 400; ++step) {
        RECT r{coordinate(), coordinate(), coordinate(), coordinate()};
        SetRect(&r, std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom));
        DeleteObject(operand);
        operand = CreateRectRgnIndirect(&r);
        int mode = RGN_AND + int(random() % 4);
        if (step % 25 == 0)
            mode = RGN_OR;  // keep the region from staying empty
        int result = CombineRgn(region, region, operand, mode);
        int count = 0;
        RECT expectedBox{kSize, kSize, 0, 0};
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                bool inR = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                bool& p = model[y][x];
                p = mode == RGN_AND ? p && inR : mode == RGN_OR ? p || inR : mode == RGN_XOR ? p != inR : p && !inR;
                ASSERT_EQ(p, PtInRegion(region, x, y) != FALSE) << "step " << step << " at " << x << "," << y;
                if (p) {
                    ++count;
                    expectedBox = RECT{std::min<LONG>(expectedBox.left, x), std::min<LONG>(expectedBox.top, y),
                                       std::max<LONG>(expectedBox.right, x + 1),
                                       std::max<LONG>(expectedBox.bottom, y + 1)};
                }
            }
        RECT box;
        GetRgnBox(region, &box);
        if (count == 0) {
            ASSERT_EQ(NULLREGION, result);
            continue;
        }
        ASSERT_EQ(expectedBox, box) << "step " << step;
        int boxArea = (box.right - box.left) * (box.bottom - box.top);
        ASSERT_EQ(count == boxArea ? SIMPLEREGION : COMPLEXREGION, result) << "step " << step;
    }
    DeleteObject(region);
    DeleteObject(operand);
}

TEST(GdiRegion, RegionsAreCountedObjectsAndClipsAreCopies)
{
    size_t before = PlGdiLiveObjectCount();
    HRGN region = CreateRectRgn(2, 2, 5, 5);
    EXPECT_EQ(before + 1, PlGdiLiveObjectCount());
    EXPECT_EQ(DWORD(OBJ_REGION), GetObjectType(region));
    {
        TestBitmap canvas(10, 10);
        EXPECT_EQ(SIMPLEREGION, SelectClipRgn(canvas.dc, region));
        EXPECT_TRUE(DeleteObject(region)) << "the DC keeps its own copy";
        FillAll(canvas.dc, kBlack);
        EXPECT_EQ((RECT{2, 2, 5, 5}), canvas.inkBounds());
        EXPECT_EQ(9, canvas.count(kBlack));
    }
    EXPECT_EQ(before, PlGdiLiveObjectCount());
    EXPECT_FALSE(DeleteObject(region));
}

TEST(GdiClip, RegionClipsAreInDeviceCoordinatesAndCombine)
{
    TestBitmap canvas(10, 10);
    HRGN square = CreateRectRgn(0, 0, 6, 6);
    HRGN corner = CreateRectRgn(3, 3, 10, 10);
    SetViewportOrgEx(canvas.dc, 2, 2, nullptr);  // a region ignores the origins
    SelectClipRgn(canvas.dc, square);
    EXPECT_EQ(SIMPLEREGION, ExtSelectClipRgn(canvas.dc, corner, RGN_AND));
    RECT box;
    GetClipBox(canvas.dc, &box);
    EXPECT_EQ((RECT{1, 1, 4, 4}), box) << "logical";
    EXPECT_EQ(COMPLEXREGION, ExtSelectClipRgn(canvas.dc, square, RGN_XOR));
    SetViewportOrgEx(canvas.dc, 0, 0, nullptr);
    FillAll(canvas.dc, kBlack);
    EXPECT_EQ(36 - 9, canvas.count(kBlack));
    EXPECT_EQ(kWhite, canvas.at(4, 4));

    EXPECT_EQ(ERROR, ExtSelectClipRgn(canvas.dc, nullptr, RGN_AND));
    EXPECT_EQ(ERROR, ExtSelectClipRgn(canvas.dc, square, 0));
    EXPECT_EQ(SIMPLEREGION, ExtSelectClipRgn(canvas.dc, nullptr, RGN_COPY));
    GetClipBox(canvas.dc, &box);
    EXPECT_EQ((RECT{0, 0, 10, 10}), box);
    EXPECT_EQ(HGDIOBJ(intptr_t(SIMPLEREGION)), SelectObject(canvas.dc, corner)) << "selecting a region clips";
    GetClipBox(canvas.dc, &box);
    EXPECT_EQ((RECT{3, 3, 10, 10}), box);
    DeleteObject(square);
    DeleteObject(corner);
}

TEST(GdiClip, LimitedSurfaceDcNeverReachesBeyondItsLimit)
{
    HBITMAP surface = CreateBitmap(20, 10, 1, 32, nullptr);
    uint32_t* bits = PlBitmapBits(surface, nullptr);
    std::fill(bits, bits + 200, 0xFFFFFFu);
    HDC dc = PlCreateSurfaceDC(surface, POINT{0, 0}, nullptr);
    RECT pieces[] = {{0, 0, 4, 10}, {16, 0, 20, 10}};
    ASSERT_TRUE(PlLimitSurfaceDC(dc, pieces, 2));
    RECT box;
    EXPECT_EQ(COMPLEXREGION, GetClipBox(dc, &box));
    EXPECT_EQ((RECT{0, 0, 20, 10}), box);
    SelectClipRgn(dc, nullptr);
    HRGN everything = CreateRectRgn(-50, -50, 50, 50);
    SelectClipRgn(dc, everything);
    FillAll(dc, kBlack);
    EXPECT_EQ(0u, bits[5 * 20 + 3]);
    EXPECT_NE(0u, bits[5 * 20 + 4] & 0xFFFFFF) << "the gap between the pieces is not touched";
    EXPECT_NE(0u, bits[5 * 20 + 15] & 0xFFFFFF);
    EXPECT_EQ(0u, bits[5 * 20 + 16]);
    DeleteObject(everything);
    DeleteDC(dc);
    DeleteObject(surface);
}
