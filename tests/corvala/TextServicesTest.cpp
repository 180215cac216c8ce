// Keyword splitting, trace lines and paths.
#include <gtest/gtest.h>

#include <cstring>

#include "CorvalaHost.h"

namespace {

std::string Part(int (*split)(const char*, char*), const char* line)
{
    char out[REQUEST_TEXT_SIZE];
    split(line, out);
    return out;
}

}  // namespace

TEST(KeywordSplit, AtTheFirstSeparatorWithoutSurroundingBlanks)
{
    EXPECT_EQ(Part(a_GetKeyword, "interval=250"), "interval");
    EXPECT_EQ(Part(a_GetParameter, "interval=250"), "250");
    EXPECT_EQ(Part(a_GetKeyword, "  connection = ,A,,B, \r\n"), "connection");
    EXPECT_EQ(Part(a_GetParameter, "  connection = ,A,,B, \r\n"), ",A,,B,");
    EXPECT_EQ(Part(a_GetParameter, "menu=a=b"), "a=b");
    EXPECT_EQ(Part(a_GetKeyword, "interval"), "interval");
    EXPECT_EQ(Part(a_GetParameter, "interval"), "");
    EXPECT_EQ(Part(a_GetKeyword, "=5"), "");

    std::string line = std::string(5000, 'k') + "=" + std::string(5000, 'p');
    char out[REQUEST_TEXT_SIZE];
    EXPECT_EQ(a_GetParameter(line.c_str(), out), 5000) << "the whole length tells the cut";
    EXPECT_EQ(std::strlen(out), 4095u);
    EXPECT_EQ(a_GetKeyword(nullptr, out), -1);
    EXPECT_EQ(a_GetParameter("a=b", nullptr), -1);
}

TEST(Trace, LinesReachTheHostsSinkWholeWithTheirWindow)
{
    std::vector<std::pair<HWND, std::string>> lines;
    corvala::SetTraceSink([&](HWND window, const char* text) { lines.emplace_back(window, text); });
    HWND window = reinterpret_cast<HWND>(0x42);
    EDITTRACE(window, "Not implemented %s", "menux=1");
    std::string longText(5000, 'z');
    EDITTRACE(nullptr, "%s", longText.c_str());
    corvala::SetTraceSink(nullptr);

    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::make_pair(window, std::string("Not implemented menux=1")));
    EXPECT_EQ(lines[1].second, longText);
}

TEST(Paths, RelativeToTheHostFolderWithSlashes)
{
    corvala::SetHostFolder("/opt/host/");
    EXPECT_EQ(a_MakeFullPathName(nullptr, "Controls\\Interpreter.xml"), "/opt/host/Controls/Interpreter.xml");
    corvala::SetHostFolder("/opt/host");
    EXPECT_EQ(a_MakeFullPathName(nullptr, "Menu\\objects.xml"), "/opt/host/Menu/objects.xml");
    EXPECT_EQ(a_MakeFullPathName(nullptr, "/etc/x.xml"), "/etc/x.xml");
}
