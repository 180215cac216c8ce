// Host bitmaps: shared by name with a reference count, read from PNG and ICO
// files in the host folder and drawn with their transparency.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

#include "CorvalaHost.h"
#include "plsurface.h"
#include "windows.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kIcon = 16;

void PutU16(std::vector<uint8_t>& out, unsigned value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// 16 x 16 RGBA: an opaque red square (4..11), a half-transparent blue
// column at x = 0, transparent elsewhere.
void WriteAlphaPng(const std::filesystem::path& path)
{
    std::vector<uint8_t> rgba(kIcon * kIcon * 4, 0);
    for (int y = 0; y < kIcon; ++y)
        for (int x = 0; x < kIcon; ++x) {
            uint8_t* p = &rgba[size_t(y * kIcon + x) * 4];
            if (x >= 4 && x < 12 && y >= 4 && y < 12) {
                p[0] = 255, p[3] = 255;
            } else if (x == 0) {
                p[2] = 255, p[3] = 128;
            }
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kIcon;
    image.height = kIcon;
    image.format = PNG_FORMAT_RGBA;
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr));
}

// 16 x 16 icon, 24-bit colour with a one-bit mask: green, its left half
// transparent through the mask.
void WriteMaskedIco(const std::filesystem::path& path)
{
    std::vector<uint8_t> data;
    PutU16(data, 0), PutU16(data, 1), PutU16(data, 1);  // directory: one icon
    const uint32_t xorBytes = kIcon * kIcon * 3, andBytes = kIcon * 4;
    data.insert(data.end(), {uint8_t(kIcon), uint8_t(kIcon), 0, 0});
    PutU16(data, 1), PutU16(data, 24);
    PutU32(data, 40 + xorBytes + andBytes), PutU32(data, 22);
    PutU32(data, 40), PutU32(data, kIcon), PutU32(data, kIcon * 2);  // header, doubled height
    PutU16(data, 1), PutU16(data, 24);
    for (int i = 0; i < 6; ++i)
        PutU32(data, 0);
    for (int i = 0; i < kIcon * kIcon; ++i)
        data.insert(data.end(), {0, 200, 0});  // blue, green, red
    for (int row = 0; row < kIcon; ++row)
        data.insert(data.end(), {0xFF, 0x00, 0, 0});  // left 8 pixels transparent
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
}

class HostBitmaps : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousFolder = corvala::HostFolder();
        // CTest runs each test in its own process, in parallel: each needs a folder of its own,
        // or one test's TearDown removes the icons another is about to read.
        const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_folder = std::filesystem::temp_directory_path() /
                   ("ovinta-bitmaps-" + std::to_string(::getpid()) + "-" + test);
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder / "Controls");
        corvala::SetHostFolder(m_folder.string());
    }
    void TearDown() override
    {
        corvala::SetHostFolder(m_previousFolder);
        std::filesystem::remove_all(m_folder);
    }

    // Draws the bitmap at (2, 2) on a white 24 x 24 bitmap and reads it back.
    static std::vector<uint32_t> DrawnOnWhite(const KIVOBitmap& bitmap)
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP target = CreateBitmap(24, 24, 1, 32, nullptr);
        HGDIOBJ old = SelectObject(dc, target);
        PatBlt(dc, 0, 0, 24, 24, WHITENESS);
        EXPECT_TRUE(bitmap.Draw(dc, 2, 2));
        const uint32_t* bits = PlBitmapBits(target, nullptr);
        std::vector<uint32_t> pixels(bits, bits + 24 * 24);
        for (uint32_t& p : pixels)
            p &= 0x00FFFFFF;
        SelectObject(dc, old);
        DeleteObject(target);
        DeleteDC(dc);
        return pixels;
    }

    std::filesystem::path m_folder;
    std::string m_previousFolder;
};

}  // namespace

TEST_F(HostBitmaps, SharedByNameUntilTheLastReferenceIsReleased)
{
    WriteAlphaPng(m_folder / "Controls" / "in.png");
    KIVOBitmap* first = a_GetBitmap3("Controls\\in.png");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(a_GetBitmap3("Controls/in.png"), first) << "both spellings name one file";
    EXPECT_EQ(first->GetWidth(), kIcon);
    EXPECT_EQ(first->GetHeight(), kIcon);
    HBITMAP image = first->GetHandle();

    EXPECT_TRUE(a_UnregisterBitmap3("Controls\\in.png"));
    EXPECT_EQ(GetObjectType(image), DWORD(OBJ_BITMAP)) << "one reference is left";
    EXPECT_EQ(a_GetBitmap3("Controls\\in.png"), first);
    EXPECT_TRUE(a_UnregisterBitmap3("Controls\\in.png"));
    EXPECT_TRUE(a_UnregisterBitmap3("Controls\\in.png"));
    EXPECT_EQ(GetObjectType(image), 0u) << "freed with the last reference";
    EXPECT_FALSE(a_UnregisterBitmap3("Controls\\in.png"));
}

TEST_F(HostBitmaps, MissingOrBadFilesGiveNullAndALaterTryMaySucceed)
{
    EXPECT_EQ(a_GetBitmap3("Controls\\later.png"), nullptr);
    EXPECT_FALSE(a_UnregisterBitmap3("Controls\\later.png")) << "a failed load keeps nothing";
    WriteAlphaPng(m_folder / "Controls" / "later.png");
    KIVOBitmap* later = a_GetBitmap3("Controls\\later.png");
    EXPECT_NE(later, nullptr);
    a_UnregisterBitmap3("Controls\\later.png");

    std::ofstream(m_folder / "Controls" / "bad.ico") << "not an icon at all";
    EXPECT_EQ(a_GetBitmap3("Controls\\bad.ico"), nullptr);
    EXPECT_EQ(a_GetBitmap3(""), nullptr);
    EXPECT_EQ(a_GetBitmap3(nullptr), nullptr);
    EXPECT_EQ(a_GetBitmap3("Controls"), nullptr) << "a folder is not an image";
}

TEST_F(HostBitmaps, PngAndIcoIconsDrawWithTheirTransparency)
{
    WriteAlphaPng(m_folder / "Controls" / "alpha.png");
    WriteMaskedIco(m_folder / "Controls" / "mask.ico");
    KIVOBitmap* png = a_GetBitmap3("Controls\\alpha.png");
    KIVOBitmap* ico = a_GetBitmap3("Controls\\mask.ico");
    ASSERT_TRUE(png && ico);

    std::vector<uint32_t> pixels = DrawnOnWhite(*png);
    auto at = [&](int x, int y) { return pixels[size_t((y + 2) * 24 + x + 2)]; };
    EXPECT_EQ(at(4, 4), 0xFF0000u) << "opaque red";
    EXPECT_EQ(at(12, 12), kWhite) << "transparent pixels leave the background";
    EXPECT_EQ(at(0, 7) & 0xFF, 0xFFu) << "half blue over white";
    EXPECT_NEAR(int(at(0, 7) >> 16), 127, 2);

    EXPECT_EQ(ico->GetWidth(), kIcon);
    pixels = DrawnOnWhite(*ico);
    EXPECT_EQ(at(7, 9), kWhite) << "masked half";
    EXPECT_EQ(at(8, 9), 0x00C800u) << "opaque half";
    a_UnregisterBitmap3("Controls\\alpha.png");
    a_UnregisterBitmap3("Controls\\mask.ico");
}
