// Safe block names and line names.
#include <gtest/gtest.h>

#include <set>

#include "TERecords.h"
#include "TESafeName.h"

using namespace tedevice;

namespace {

std::string Safe(std::string_view proposed, const std::set<std::string, std::less<>>& taken)
{
    return MakeSafeBlockName(proposed, [&](std::string_view name) { return taken.count(name) > 0; });
}

}  // namespace

TEST(TESafeName, CountsOnFromTheTrailingNumber)
{
    EXPECT_EQ(Safe("II_1", {}), "II_1");
    EXPECT_EQ(Safe("II_1", {"II_1"}), "II_2");
    EXPECT_EQ(Safe("II_1", {"II_1", "II_2", "II_3"}), "II_4");
    EXPECT_EQ(Safe("II_7", {"II_7"}), "II_8") << "lower free numbers are not reused";
    EXPECT_EQ(Safe("B009", {"B009"}), "B10");
    EXPECT_EQ(Safe("42", {"42"}), "43");
}

TEST(TESafeName, NamesWithoutNumberGetOne)
{
    EXPECT_EQ(Safe("FUNC", {"FUNC"}), "FUNC_1");
    EXPECT_EQ(Safe("FUNC", {"FUNC", "FUNC_1"}), "FUNC_2");
}

TEST(TESafeName, StaysWithinTheNameLength)
{
    std::string nine(126, 'a');
    nine += '9';
    std::string safe = Safe(nine, {nine});
    EXPECT_EQ(safe.size(), kMaxBlockName);
    EXPECT_EQ(safe, std::string(125, 'a') + "10");
    EXPECT_TRUE(IsValidBlockName(safe));

    std::string plain(127, 'b');
    EXPECT_EQ(Safe(plain, {plain}), std::string(125, 'b') + "_1");

    std::string digits(40, '9');
    std::string counted = Safe(digits, {digits});
    EXPECT_TRUE(IsValidBlockName(counted));
    EXPECT_NE(counted, digits);
}
