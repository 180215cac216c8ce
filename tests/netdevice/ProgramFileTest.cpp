// The program file: what is saved comes back whole, and a damaged file is
// refused rather than half loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TEProgramFile.h"

using namespace tedevice;

namespace {

TEST(ProgramFile, SavedProgramsComeBackWholeAndDamagedFilesAreRefused)
{
    std::string path = testing::TempDir() + "/program-" + std::to_string(::getpid()) + ".ted";
    TaskEngineDevice device;
    TEValue value;
    value.text = "CTEProcIN_0 II_1 40,60";
    ASSERT_EQ(device.Request("TESetProc", TE_WRITE, TE_TEXT, value), TE_OK);
    value.text = "line\nwith, commas:and 7:digits,";
    ASSERT_EQ(device.Request("TE.II_1.function", TE_WRITE, TE_TEXT, value), TE_OK);
    value.text = "Line_1 II_1.Out0 5,5 X.In0 0x000000ff ";
    ASSERT_EQ(device.Request("TESetLine", TE_WRITE, TE_TEXT, value), TE_OK);
    ASSERT_EQ(device.Request("TESafeLineName", TE_READ, TE_TEXT, value), TE_OK);
    ASSERT_EQ(SaveProgram(device, path), "");

    TaskEngineDevice loaded;
    ASSERT_EQ(LoadProgram(path, loaded), "");
    EXPECT_EQ(loaded.ProcRecords(), device.ProcRecords());
    EXPECT_EQ(loaded.LineRecords(), device.LineRecords());
    EXPECT_EQ(loaded.FindBlock("II_1")->function, "line\nwith, commas:and 7:digits,");
    EXPECT_EQ(loaded.NextLineNumber(), 3u);

    std::string whole;
    {
        std::ifstream file(path, std::ios::binary);
        whole.assign(std::istreambuf_iterator<char>(file), {});
    }
    for (size_t cut : {whole.size() - 1, whole.size() / 2, size_t(3)}) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << whole.substr(0, cut);
        TaskEngineDevice damaged;
        EXPECT_NE(LoadProgram(path, damaged), "") << cut;
        EXPECT_TRUE(damaged.ProcRecords().empty()) << cut;
    }
    std::filesystem::remove(path);
    TaskEngineDevice fresh;
    EXPECT_EQ(LoadProgram(path, fresh), "") << "no file yet: an empty program";
}

}  // namespace
