// Image files: PNG round trips, icon directories with bitmap and PNG images,
// transparent drawing, and damaged files that must fail without crashing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GdiTestSupport.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("gdi-" + std::to_string(getpid()) + "-" + name)).string();
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Put16(Bytes& b, unsigned v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

struct IconImage {
    int width, height, bpp;
    Bytes payload;
};

Bytes MakeIco(const std::vector<IconImage>& images)
{
    Bytes b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, unsigned(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (const IconImage& i : images) {
        b.push_back(uint8_t(i.width));
        b.push_back(uint8_t(i.height));
        b.push_back(0);
        b.push_back(0);
        Put16(b, 1);
        Put16(b, unsigned(i.bpp));
        Put32(b, uint32_t(i.payload.size()));
        Put32(b, offset);
        offset += uint32_t(i.payload.size());
    }
    for (const IconImage& i : images)
        b.insert(b.end(), i.payload.begin(), i.payload.end());
    return b;
}

Bytes DibHeader(int width, int height, int bpp, int colors)
{
    Bytes b;
    Put32(b, 40);
    Put32(b, uint32_t(width));
    Put32(b, uint32_t(height * 2));
    Put16(b, 1);
    Put16(b, unsigned(bpp));
    for (int i = 0; i < 6; ++i)
        Put32(b, i == 4 ? uint32_t(colors) : 0u);
    return b;
}

// Top-down ARGB pixels into a 32-bit icon bitmap (rows stored bottom-up).
Bytes Dib32(int w, int h, const std::vector<uint32_t>& argb)
{
    Bytes b = DibHeader(w, h, 32, 0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x)
            Put32(b, argb[size_t(y * w + x)]);
    b.resize(b.size() + size_t((w + 31) / 32 * 4 * h), 0);
    return b;
}

// An 8-bit icon: pixel (x, y) takes palette entry (x + y) % 2, and the
// mask makes the first column transparent.
Bytes Dib8Checker(int w, int h)
{
    Bytes b = DibHeader(w, h, 8, 2);
    Put32(b, 0x000000FF);  // blue
    Put32(b, 0x0000FF00);  // green
    int stride = (w + 3) / 4 * 4;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < stride; ++x)
            b.push_back(x < w ? uint8_t((x + y) % 2) : 0);
    }
    int maskStride = (w + 31) / 32 * 4;
    for (int y = h - 1; y >= 0; --y) {
        b.push_back(0x80);
        for (int i = 1; i < maskStride; ++i)
            b.push_back(0);
    }
    return b;
}

uint32_t Pixel(HBITMAP bitmap, int x, int y)
{
    SIZE size;
    uint32_t* bits = PlBitmapBits(bitmap, &size);
    return bits[y * size.cx + x];
}

}  // namespace

TEST(GdiImages, PngWrittenThenReadGivesTheSamePixels)
{
    TestBitmap canvas(40, 30, RGB(1, 2, 3));
    SetPixel(canvas.dc, 0, 0, RGB(255, 0, 0));
    SetPixel(canvas.dc, 39, 29, RGB(0, 128, 255));
    HBRUSH brush = CreateSolidBrush(RGB(10, 200, 30));
    RECT r{5, 5, 20, 10};
    FillRect(canvas.dc, &r, brush);
    DeleteObject(brush);
    std::string path = TempPath("roundtrip.png");
    ASSERT_TRUE(PlWriteBitmapPng(canvas.bitmap, path.c_str()));
    HBITMAP back = PlReadImageFile(path.c_str());
    ASSERT_NE(nullptr, back);
    SIZE size;
    uint32_t* bits = PlBitmapBits(back, &size);
    EXPECT_EQ(40, size.cx);
    EXPECT_EQ(30, size.cy);
    uint32_t* original = PlBitmapBits(canvas.bitmap, nullptr);
    EXPECT_TRUE(std::equal(original, original + 40 * 30, bits));
    DeleteObject(back);
    std::filesystem::remove(path);
    EXPECT_FALSE(PlWriteBitmapPng(canvas.bitmap, "/nonexistent-dir/x.png"));
}

TEST(GdiImages, IconDirectoryPicksTheSixteenPixelImageAndKeepsTransparency)
{
    std::vector<uint32_t> big(32 * 32, 0xFF00FF00u);
    std::vector<uint32_t> small(16 * 16, 0xFFFF0000u);  // opaque red
    small[0] = 0x00000000u;                              // transparent corner
    small[17] = 0x80000000u;                             // half-transparent black
    std::string path = TempPath("pick.ico");
    WriteBytes(path, MakeIco({{32, 32, 32, Dib32(32, 32, big)}, {16, 16, 32, Dib32(16, 16, small)}}));
    HBITMAP icon = PlReadImageFile(path.c_str());
    ASSERT_NE(nullptr, icon);
    SIZE size;
    PlBitmapBits(icon, &size);
    EXPECT_EQ(16, size.cx);
    EXPECT_EQ(0xFF000000u, Pixel(icon, 0, 0) & 0xFF000000u);
    EXPECT_EQ(0x00FF0000u, Pixel(icon, 1, 0));

    TestBitmap canvas(20, 20, kBlue);
    PlDrawBitmapTransparent(canvas.dc, 2, 2, icon);
    EXPECT_EQ(kBlue, canvas.at(2, 2));
    EXPECT_EQ(kRed, canvas.at(3, 2));
    COLORREF half = canvas.at(3, 3);
    EXPECT_EQ(0, GetRValue(half));
    EXPECT_NEAR(127, GetBValue(half), 2);
    DeleteObject(icon);
    std::filesystem::remove(path);
}

TEST(GdiImages, PalettedAndPngIconsDecode)
{
    std::string path = TempPath("paletted.ico");
    WriteBytes(path, MakeIco({{16, 16, 8, Dib8Checker(16, 16)}}));
    HBITMAP icon = PlReadImageFile(path.c_str());
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(0xFF000000u, Pixel(icon, 0, 5) & 0xFF000000u);  // masked column
    EXPECT_EQ(0x00FF00u, Pixel(icon, 1, 0));                  // (1 + 0) % 2 = green
    EXPECT_EQ(0x0000FFu, Pixel(icon, 1, 1));                  // blue
    DeleteObject(icon);

    TestBitmap source(16, 16, kRed);
    std::string pngPath = TempPath("inner.png");
    ASSERT_TRUE(PlWriteBitmapPng(source.bitmap, pngPath.c_str()));
    WriteBytes(path, MakeIco({{16, 16, 32, ReadBytes(pngPath)}}));
    icon = PlReadImageFile(path.c_str());
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(0xFF0000u, Pixel(icon, 7, 7));
    DeleteObject(icon);
    std::filesystem::remove(path);
    std::filesystem::remove(pngPath);
}

TEST(GdiImages, MissingTruncatedAndCorruptFilesGiveNull)
{
    EXPECT_EQ(nullptr, PlReadImageFile("/nonexistent/icon.ico"));
    EXPECT_EQ(nullptr, PlReadImageFile(nullptr));
    TestBitmap source(16, 16, kRed);
    size_t before = PlGdiLiveObjectCount();
    std::string pngPath = TempPath("fuzz.png");
    PlWriteBitmapPng(source.bitmap, pngPath.c_str());
    std::vector<Bytes> samples = {ReadBytes(pngPath), MakeIco({{16, 16, 8, Dib8Checker(16, 16)}}),
                                  MakeIco({{16, 16, 32, Dib32(16, 16, std::vector<uint32_t>(256, 0xFF123456u))}}),
                                  MakeIco({{16, 16, 32, ReadBytes(pngPath)}})};
    std::string path = TempPath("fuzz.bin");
    for (const Bytes& sample : samples) {
        for (size_t length = 0; length < sample.size(); length += 1 + length / 8) {
            WriteBytes(path, Bytes(sample.begin(), sample.begin() + std::ptrdiff_t(length)));
            HBITMAP result = PlReadImageFile(path.c_str());
            if (result)
                DeleteObject(result);
        }
        Bytes corrupt = sample;
        for (size_t i = 6; i < corrupt.size(); i += 7)
            corrupt[i] ^= 0xA5;
        WriteBytes(path, corrupt);
        if (HBITMAP result = PlReadImageFile(path.c_str()))
            DeleteObject(result);
    }
    // Directory entries pointing past the end are skipped.
    Bytes lying = MakeIco({{16, 16, 8, Dib8Checker(16, 16)}});
    lying[18] = 0xFF;
    lying[19] = 0x7F;
    WriteBytes(path, lying);
    EXPECT_EQ(nullptr, PlReadImageFile(path.c_str()));
    EXPECT_EQ(before, PlGdiLiveObjectCount());
    std::filesystem::remove(path);
    std::filesystem::remove(pngPath);
}
