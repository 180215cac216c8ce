#include <gtest/gtest.h>

#include <string>

#include "sync/TERecords.h"

namespace {

TETypeKey ParseKey(const char* text)
{
    TETypeKey key;
    EXPECT_TRUE(TEParseTypeKey(text, &key)) << text;
    return key;
}

TEST(TypeKey, ReadsEveryKindWithItsNumber)
{
    struct Case {
        const char* text;
        TEProcKind kind;
        int number;
        const char* parameter;
    };
    for (Case c : {Case{"CTEProcIN_1", TE_PROC_IN, 1, ""},
                   Case{"CTEProcOUT_0", TE_PROC_OUT, 0, ""},
                   Case{"CTEProcCalIN_-3", TE_PROC_CALIN, -3, ""},
                   Case{"CTEProcFUNC_2xPLUS", TE_PROC_FUNC, 2, "PLUS"},
                   Case{"CTEProcRTC_0xClock_1", TE_PROC_RTC, 0, "Clock_1"},
                   // Only the first x separates: the text may hold more.
                   Case{"CTEProcFUNC_3xMAXxMIN", TE_PROC_FUNC, 3, "MAXxMIN"}}) {
        TETypeKey key = ParseKey(c.text);
        EXPECT_EQ(key.nKind, c.kind) << c.text;
        EXPECT_EQ(key.nNumber, c.number) << c.text;
        EXPECT_EQ(key.strParameter, c.parameter) << c.text;
        EXPECT_EQ(TEFormatTypeKey(key), c.text);
    }
}

TEST(TypeKey, RefusesKeysWithoutNumberOrText)
{
    TETypeKey key;
    key.nNumber = 77;
    for (const char* text :
         {"", "CTEProcFUNC_2", "CTEProcFUNC_2x", "CTEProcRTC_1", "CTEProcRTC_xCaption", "CTEProcIN_",
          "CTEProcIN_1x", "CTEProcIN_+1", "CTEProcIN_ 1", "CTEProcOUT_99999999999", "CTEProcIn_1",
          "CTEProcIN_1 ", "CTEProcFUNC_2xA B", "CTEProcXYZ_1", "IN_1"}) {
        EXPECT_FALSE(TEParseTypeKey(text, &key)) << '"' << text << '"';
    }
    EXPECT_EQ(key.nNumber, 77);  // untouched by refusals
    EXPECT_FALSE(TEParseTypeKey(nullptr, &key));
    EXPECT_FALSE(TEParseTypeKey("CTEProcIN_1", nullptr));
}

TEST(TypeKey, ParameterHoldsAtMost511Characters)
{
    std::string longest = "CTEProcRTC_1x" + std::string(TE_MAX_KEY_PARAMETER, 'c');
    EXPECT_EQ(ParseKey(longest.c_str()).strParameter.size(), TE_MAX_KEY_PARAMETER);
    TETypeKey key;
    EXPECT_FALSE(TEParseTypeKey((longest + "c").c_str(), &key));
    EXPECT_FALSE(TEParseTypeKey(("CTEProcIN_" + std::string(5000, '7')).c_str(), &key));
}

TEST(ProcRecord, FormatsAndReadsTheExample)
{
    EXPECT_EQ(TEFormatProcRecord("CTEProcIN_0", "II_1", 40, 60), "CTEProcIN_0 II_1 40,60");
    EXPECT_EQ(TEFormatProcPosition("II_1", -1, -1), "II_1 -1,-1");
    EXPECT_EQ(TEFormatDeleteText("FUNC_2"), "FUNC_2");

    TEProcRecord record;
    ASSERT_TRUE(TEReadProcRecord("CTEProcFUNC_2xPLUS B1 10,20", &record));
    EXPECT_EQ(record.strTypeKey, "CTEProcFUNC_2xPLUS");
    EXPECT_EQ(record.strName, "B1");
    EXPECT_EQ(record.x, 10);
    EXPECT_EQ(record.y, 20);
    // The record reads; it is the key that creates nothing.
    ASSERT_TRUE(TEReadProcRecord("CTEProcFUNC_2 B1 -5,-7\n", &record));
    EXPECT_EQ(record.x, -5);
    TETypeKey key;
    EXPECT_FALSE(TEParseTypeKey(record.strTypeKey.c_str(), &key));
}

TEST(ProcRecord, SkipsRecordsOfAnyOtherShape)
{
    std::string longName = "CTEProcIN_0 " + std::string(TE_MAX_BLOCK_NAME + 1, 'n') + " 1,2";
    std::string hugeToken = std::string(5000, 'k') + " II_1 1,2";
    std::string hugeNumber = "CTEProcIN_0 II_1 1," + std::string(5000, '9');
    TEProcRecord record;
    record.strName = "kept";
    for (const char* text : {"", "   ", "CTEProcIN_0 II_1 40", "CTEProcIN_0 II_1", "CTEProcIN_0 II_1 40,",
                             "CTEProcIN_0 II_1 ,60", "CTEProcIN_0 II_1 40,60 extra", "CTEProcIN_0 II_1 40;60",
                             "CTEProcIN_0 II_1 4 0,60", longName.c_str(), hugeNumber.c_str()}) {
        EXPECT_FALSE(TEReadProcRecord(text, &record)) << '"' << text << '"';
    }
    EXPECT_EQ(record.strName, "kept");
    EXPECT_FALSE(TEReadProcRecord(nullptr, &record));
    // A long type key is the key reader's business, not the record's.
    EXPECT_TRUE(TEReadProcRecord(hugeToken.c_str(), &record));
}

TEST(RequestText, CopiesOnlyWhatFitsWhole)
{
    char buffer[8] = "old";
    EXPECT_TRUE(TECopyRequestText("1234567", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "1234567");
    EXPECT_FALSE(TECopyRequestText("12345678", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(TECopyRequestText("x", buffer, 0));
}

}  // namespace
