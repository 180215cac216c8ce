// The record grammar: what a device accepts, what it refuses, and the
// canonical texts it answers with.
#include <gtest/gtest.h>

#include "TERecords.h"

using namespace tedevice;

TEST(TERecords, TypeKeysOfAllFiveForms)
{
    auto in = ParseTypeKey("CTEProcIN_-3");
    ASSERT_TRUE(in);
    EXPECT_EQ(in->kind, TEBlockKind::In);
    EXPECT_EQ(in->number, -3);

    auto func = ParseTypeKey("CTEProcFUNC_2xPLUS");
    ASSERT_TRUE(func);
    EXPECT_EQ(func->kind, TEBlockKind::Func);
    EXPECT_EQ(func->number, 2);
    EXPECT_EQ(func->parameter, "PLUS");

    auto rtc = ParseTypeKey("CTEProcRTC_1xmax 1");
    EXPECT_FALSE(rtc) << "a key carries no blank";
    EXPECT_TRUE(ParseTypeKey("CTEProcOUT_0"));
    EXPECT_TRUE(ParseTypeKey("CTEProcCalIN_1"));
    EXPECT_TRUE(ParseTypeKey("CTEProcRTC_1xClock.A"));

    for (const char* bad : {"", "CTEProcIN_", "CTEProcIN_1a", "CTEProcIN_+1", "CTEProcFUNC_2",
                            "CTEProcFUNC_2x", "CTEProcFUNC_x", "CTEProcXY_1", "ctEProcIN_1",
                            "CTEProcIN_99999999999"})
        EXPECT_FALSE(ParseTypeKey(bad)) << bad;
    EXPECT_TRUE(ParseTypeKey("CTEProcFUNC_1x" + std::string(511, 'P')));
    EXPECT_FALSE(ParseTypeKey("CTEProcFUNC_1x" + std::string(512, 'P')));
}

TEST(TERecords, ProcRecordsAreReadWholeOrRefused)
{
    auto record = ParseProcRecord("CTEProcIN_0 II_1 40,-60");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->typeKey, "CTEProcIN_0");
    EXPECT_EQ(record->name, "II_1");
    EXPECT_EQ(record->x, 40);
    EXPECT_EQ(record->y, -60);
    EXPECT_EQ(FormatProcRecord(*record), "CTEProcIN_0 II_1 40,-60");

    for (const char* bad : {"", "CTEProcIN_0 II_1", "CTEProcIN_0 II_1 40,60 extra",
                            "CTEProcIN_0  II_1 40,60", " CTEProcIN_0 II_1 40,60",
                            "CTEProcIN_0 II_1 40,60 ", "CTEProcIN_0 II.1 40,60",
                            "CTEProcIN_0 II_1 40", "CTEProcIN_0 II_1 40,", "CTEProcIN_0 II_1 4x,60",
                            "CTEProcFUNC_2 B1 10,20", "CTEProcIN_0 II_1 1,2,3",
                            "CTEProcIN_0 II\t1 40,60"})
        EXPECT_FALSE(ParseProcRecord(bad)) << '"' << bad << '"';

    EXPECT_TRUE(ParseProcRecord("CTEProcIN_0 " + std::string(127, 'n') + " 1,2"));
    EXPECT_FALSE(ParseProcRecord("CTEProcIN_0 " + std::string(128, 'n') + " 1,2"));
    EXPECT_FALSE(ParseProcRecord(std::string(5000, 'C')));

    EXPECT_TRUE(ParsePositionUpdate("II_1 -5,7"));
    for (const char* bad : {"", "II_1", "II_1 5", "II_1 5,7 8,9", "II.1 5,7"})
        EXPECT_FALSE(ParsePositionUpdate(bad)) << bad;
}

TEST(TERecords, LineRecordsAsTheEditorWritesThem)
{
    auto line = ParseLineRecord("Line_1 A.Out0 20,10 B.In1 0x00000000 ");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->name, "Line_1");
    EXPECT_EQ(line->positions, (std::vector<std::string>{"A.Out0", "20,10", "B.In1"}));
    EXPECT_EQ(FormatLineRecord(*line), "Line_1 A.Out0 20,10 B.In1 0x00000000 ");

    // No coordinates at all, a red line, a branch from a node, no anchors.
    EXPECT_TRUE(ParseLineRecord("Line_1 A.Out0 B.In1 0x000000ff "));
    EXPECT_TRUE(ParseLineRecord("Line_4 Line_2.Node3 5,5 C.In0 0x00ff0000 "));
    EXPECT_TRUE(ParseLineRecord("Line_1 1,1 2,2 3,3 0x00000000 "));

    // The final blank may be lost; upper-case hex digits are read and
    // answered in lower case.
    auto upper = ParseLineRecord("Line_1 1,1 2,2 0x00ABCDEF");
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->colour, 0x00abcdefu);
    EXPECT_EQ(FormatLineRecord(*upper), "Line_1 1,1 2,2 0x00abcdef ");
}

TEST(TERecords, MalformedLineRecordsAreRefused)
{
    for (const char* bad : {
             "",
             " ",
             "Line_1 ",                                // no colour
             "Line_1 1,1 2,2 ",                        // no colour
             "Wire_1 1,1 2,2 0x00000000 ",             // name without Line_
             "Line.1 1,1 2,2 0x00000000 ",             // point in the name
             "Line_1 1,1 2,2 0x0000000 ",              // seven digits
             "Line_1 1,1 2,2 0xffggffgg ",             // not hexadecimal
             "Line_1 1,1  2,2 0x00000000 ",            // doubled blank
             " Line_1 1,1 2,2 0x00000000 ",            // leading blank
             "Line_1 1,1 2,2 0x00000000  ",            // two final blanks
             "Line_1 1,1 A.In0 2,2 0x00000000 ",       // anchor inside the points
             "Line_1 A.Pin0 2,2 0x00000000 ",          // unknown pin
             "Line_1 A.In 2,2 0x00000000 ",            // pin without number
             "Line_1 .In0 2,2 0x00000000 ",            // anchor without object
             "Line_1 1,1 2,x 0x00000000 ",             // bad point
             "Line_1 1,1 2,2 0x00000000 trailing ",    // token after the colour
         })
        EXPECT_FALSE(ParseLineRecord(bad)) << '"' << bad << '"';
}

TEST(TERecords, LineRecordsHoldAtMostThirtyPositions)
{
    std::string record = "Line_1 A.Out0 ";
    for (int i = 0; i < 28; ++i)
        record += std::to_string(i) + ",0 ";
    EXPECT_TRUE(ParseLineRecord(record + "B.In0 0x00000000 ")) << "30 positions";
    EXPECT_FALSE(ParseLineRecord(record + "99,0 B.In0 0x00000000 ")) << "31 positions";

    std::string longAnchor = "Line_1 " + std::string(508, 'a') + ".In0 1,1 0x00000000 ";
    EXPECT_FALSE(ParseLineRecord(longAnchor));
    EXPECT_FALSE(ParseLineRecord(std::string(5000, 'x')));
}
