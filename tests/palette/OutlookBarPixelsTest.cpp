// The outlook bar's pixels: whole pictures compared with reference snapshots
// (looked at when they were made), the colours of each element, and the
// hover feedback drawn straight on the window.
#include <cstdlib>
#include <filesystem>

#include "palette/PaletteTestSupport.h"

using namespace palettetest;

namespace {

class OutlookBarPixelsTest : public OutlookBarTest {
protected:
    // Compares the control's pixels with tests/palette/data/<name>.png.
    // OVINTA_UPDATE_REFERENCES=1 writes the reference instead.
    void ExpectReference(const std::string& name)
    {
        const std::string reference = std::string(PALETTE_REFERENCE_DIR) + "/" + name + ".png";
        const std::string actual = std::string(OVINTA_TEST_BINARY_DIR) + "/palette-" + name + ".png";
        ASSERT_TRUE(PlSnapshotWindow(*m_Bar, actual.c_str()));
        if (const char* update = std::getenv("OVINTA_UPDATE_REFERENCES"); update && *update == '1')
            std::filesystem::copy_file(actual, reference, std::filesystem::copy_options::overwrite_existing);
        HBITMAP expected = PlReadImageFile(reference.c_str());
        HBITMAP got = PlReadImageFile(actual.c_str());
        ASSERT_NE(expected, nullptr) << reference;
        ASSERT_NE(got, nullptr);
        SIZE expectedSize{}, gotSize{};
        const uint32_t* e = PlBitmapBits(expected, &expectedSize);
        const uint32_t* g = PlBitmapBits(got, &gotSize);
        ASSERT_EQ(expectedSize.cx, gotSize.cx);
        ASSERT_EQ(expectedSize.cy, gotSize.cy);
        int differing = 0;
        for (long i = 0; i < long(gotSize.cx) * gotSize.cy; ++i)
            differing += (e[i] & 0xFFFFFF) != (g[i] & 0xFFFFFF);
        EXPECT_EQ(differing, 0) << "compare " << actual << " with " << reference;
        DeleteObject(expected);
        DeleteObject(got);
    }

    COLORREF Pixel(int x, int y)
    {
        m_Bar->UpdateWindow();
        CDC* dc = m_Bar->GetDC();
        COLORREF colour = dc->GetPixel(x, y);
        m_Bar->ReleaseDC(dc);
        return colour;
    }

    void LoadInstalled(int current)
    {
        std::string path = a_MakeFullPathName(nullptr, "Controls\\Interpreter.xml");
        m_Bar->LoadPalette(path.c_str(), "objectbar", "normalmode");
        m_Bar->SetCurrentFolder(current);
        Paint();
    }
};

TEST_F(OutlookBarPixelsTest, EmptyPalette)
{
    CreateBar(120, 160);
    Load(PaletteXml(""));
    ExpectReference("empty-120x160");
    EXPECT_EQ(Pixel(1, 1), RGB(88, 87, 104));
    EXPECT_EQ(Pixel(118, 158), RGB(88, 87, 104));
}

TEST_F(OutlookBarPixelsTest, OneFolderWithIconsAndAnUnnamedGroup)
{
    CreateBar(190, 300);
    Load(PaletteXml(Folder("Blocks", Group("Inputs", Control("Input", "k=1", "Controls\\Icons\\input.png") +
                                                       Control("No icon file", "k=2", "Controls\\none.png")) +
                                         Group("", Control("Clock", "k=3", "Controls\\Icons\\clock.png")))));
    ExpectReference("one-folder-190x300");
    EXPECT_EQ(Pixel(5, 100), RGB(88, 87, 104));       // items area
    EXPECT_EQ(Pixel(12, 34), RGB(160, 160, 220));     // group header
    EXPECT_EQ(Pixel(180, 70), RGB(223, 223, 227));    // item
    EXPECT_EQ(Pixel(5, 5), GetSysColor(COLOR_BTNFACE));  // button face
    EXPECT_EQ(Pixel(1, 1), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(Pixel(188, 23), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(OutlookBarPixelsTest, ThreeFoldersWithACollapsedGroup)
{
    CreateBar(160, 260);
    Load(PaletteXml(Folder("One", Group("G", Control("a", "k=a"))) +
                    Folder("Two", Group("Open", Control("b", "k=b") + Control("c", "k=c")) +
                                      Group("Shut", Control("d", "k=d")) + Group("Last", Control("e", "k=e"))) +
                    Folder("Three", "")),
         1);
    PlInputMouseMove(*m_Bar, 80, 60 + 68, 0);  // the header of "Shut"
    PlInputMouseClick(*m_Bar, 80, 60 + 68, PL_BUTTON_LEFT, 0);
    PlInputMouseMove(*m_Target, 5, 5, 0);
    PlPumpMessages();
    ASSERT_FALSE(GroupAt(1, 1).m_bExpanded);
    ExpectReference("three-folders-160x260");
}

TEST_F(OutlookBarPixelsTest, InstalledPaletteAtThePageSize)
{
    CreateBar(190, 428);
    LoadInstalled(0);
    ExpectReference("installed-blocks-190x428");
    m_Bar->SetCurrentFolder(1);
    Paint();
    ASSERT_TRUE(m_Bar->GetScrollBar().GetStyle() & WS_VISIBLE);
    ExpectReference("installed-functions-190x428");
}

TEST_F(OutlookBarPixelsTest, HoverRedrawsOnlyTheTextsUnderThePointer)
{
    CreateBar(190, 300);
    Load(PaletteXml(Folder("F1", Group("G", Control("item", "k=1"))) + Folder("F2", "")), 0);
    const COLORREF blue = RGB(0, 0, 200), red = RGB(255, 0, 0);
    const RECT button = FolderAt(1).m_rcButton, header = {9, 32, 181, 52}, item = {9, 52, 181, 72};
    EXPECT_FALSE(Shows(button, blue));

    PlInputMouseMove(*m_Bar, 100, 290, 0);  // over "F2"
    PlPumpMessages();
    EXPECT_TRUE(Shows(button, blue));
    EXPECT_TRUE(Shows(button, RGB(0, 0, 0)));  // the bottom-right edge turns black
    PlInputMouseMove(*m_Bar, 100, 60, 0);       // over the item, in the group
    PlPumpMessages();
    EXPECT_FALSE(Shows(button, blue));
    EXPECT_TRUE(Shows(header, blue));
    EXPECT_TRUE(Shows(item, red));
    PlInputMouseMove(*m_Bar, 100, 150, 0);  // below every group: the group stays hovered
    PlPumpMessages();
    EXPECT_TRUE(Shows(header, blue));
    EXPECT_FALSE(Shows(item, red));
}

}  // namespace
