// Token and number reading shared by the record readers. Records arrive
// from the device or from files; every reader here is total: it answers
// false for anything it cannot read whole, and never reads past a token.
#pragma once

#include <string_view>
#include <vector>

// White space between the fields of a record.
constexpr const char* TE_RECORD_SEPARATORS = " \t\r\n\v\f";

// The fields of a record: runs of characters between white space (blank,
// tab, line ends). Leading, trailing and doubled separators give no field.
std::vector<std::string_view> TESplitRecord(std::string_view text);

// A whole signed decimal that fits 32 bits: an optional '-' and digits only.
bool TEParseInt(std::string_view text, int* pValue);

// "x,y" with both halves whole numbers as TEParseInt reads them.
bool TEParsePoint(std::string_view text, int* pX, int* pY);
