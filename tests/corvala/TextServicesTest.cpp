// Keyword splitting, trace lines and paths.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "CorvalaHost.h"

namespace {

struct Split {
    std::string keyword;
    std::string parameter;
};

Split SplitLine(const char* line)
{
    char keyword[REQUEST_TEXT_SIZE];
    char parameter[REQUEST_TEXT_SIZE];
    a_GetKeyword(line, keyword);
    a_GetParameter(line, parameter);
    return {keyword, parameter};
}

}  // namespace

TEST(KeywordSplit, AtTheFirstSeparatorWithoutSurroundingBlanks)
{
    Split plain = SplitLine("interval=250");
    EXPECT_EQ(plain.keyword, "interval");
    EXPECT_EQ(plain.parameter, "250");

    Split spaced = SplitLine("  connection = ,A,,B, \r\n");
    EXPECT_EQ(spaced.keyword, "connection");
    EXPECT_EQ(spaced.parameter, ",A,,B,");

    Split twice = SplitLine("menu=a=b");
    EXPECT_EQ(twice.parameter, "a=b");

    Split bare = SplitLine("interval");
    EXPECT_EQ(bare.keyword, "interval");
    EXPECT_EQ(bare.parameter, "");

    Split empty = SplitLine("");
    EXPECT_EQ(empty.keyword, "");
    EXPECT_EQ(SplitLine("=5").keyword, "");
}

TEST(KeywordSplit, OverlongPartsAreCutAndNullIsRefused)
{
    std::string line = std::string(5000, 'k') + "=" + std::string(5000, 'p');
    char out[REQUEST_TEXT_SIZE];
    EXPECT_EQ(a_GetKeyword(line.c_str(), out), 5000) << "the whole length tells the cut";
    EXPECT_EQ(std::strlen(out), 4095u);
    EXPECT_EQ(a_GetParameter(line.c_str(), out), 5000);
    EXPECT_EQ(std::strlen(out), 4095u);
    EXPECT_EQ(out[0], 'p');
    EXPECT_EQ(a_GetKeyword(nullptr, out), -1);
    EXPECT_EQ(a_GetParameter("a=b", nullptr), -1);
}

TEST(Trace, LinesReachTheHostsSinkWithTheirWindow)
{
    std::vector<std::pair<HWND, std::string>> lines;
    corvala::SetTraceSink([&](HWND window, const char* text) { lines.emplace_back(window, text); });
    HWND window = reinterpret_cast<HWND>(0x42);
    EDITTRACE(window, "Not implemented %s", "menux=1");
    std::string longText(5000, 'z');
    EDITTRACE(nullptr, "%s", longText.c_str());
    corvala::SetTraceSink(nullptr);

    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].first, window);
    EXPECT_EQ(lines[0].second, "Not implemented menux=1");
    EXPECT_EQ(lines[1].second, longText) << "trace lines are never cut";
}

TEST(Paths, RelativeToTheHostFolderWithSlashes)
{
    corvala::SetHostFolder("/opt/host/");
    EXPECT_EQ(a_MakeFullPathName(nullptr, "Controls\\Interpreter.xml"), "/opt/host/Controls/Interpreter.xml");
    corvala::SetHostFolder("/opt/host");
    EXPECT_EQ(a_MakeFullPathName(nullptr, "Menu\\objects.xml"), "/opt/host/Menu/objects.xml");
    EXPECT_EQ(a_MakeFullPathName(nullptr, "/etc/x.xml"), "/etc/x.xml");
    EXPECT_EQ(a_MakeFullPathName(nullptr, nullptr), "/opt/host");
}
