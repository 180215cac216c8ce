// The texts the editor exchanges with the task-engine device about blocks:
// type keys, proc records, position updates and delete texts (line records
// are in TELineRecord.h). Fields are separated by blanks and carry no
// quoting, so object names never contain a blank, and block names never
// contain a point.
//
// Formatting returns std::string; TECopyRequestText puts a text into a
// request buffer, refusing what does not fit so that no record is sent cut.
#pragma once

#include <cstddef>
#include <string>

#include "windef.h"

// An operator name or clock caption at the end of a FUNC or RTC key.
constexpr size_t TE_MAX_KEY_PARAMETER = 511;
// A block name fits the host record's 128-byte name field.
constexpr size_t TE_MAX_BLOCK_NAME = 127;

enum TEProcKind { TE_PROC_IN, TE_PROC_OUT, TE_PROC_CALIN, TE_PROC_FUNC, TE_PROC_RTC };

// "CTEProcIN_<n>", "CTEProcOUT_<n>", "CTEProcCalIN_<n>", "CTEProcFUNC_<n>x<text>",
// "CTEProcRTC_<n>x<text>".
struct TETypeKey {
    TEProcKind nKind = TE_PROC_IN;
    int nNumber = 0;              // input subtype, function input count, ...
    std::string strParameter;     // FUNC and RTC only; empty for the others
};

// Reads a type key, trying IN, OUT, CalIN, FUNC and RTC in that order. The
// number is a whole signed 32-bit decimal (running to the end of the key, or
// to the x of FUNC and RTC); FUNC and RTC need the x and 1 to 511 characters
// of text after it. Anything else, or a key containing white space, is
// refused with FALSE and leaves *pKey as it was.
BOOL TEParseTypeKey(const char* pszKey, TETypeKey* pKey);
std::string TEFormatTypeKey(const TETypeKey& key);

// "<type key> <block name> <x>,<y>": one block, at its top-left corner.
struct TEProcRecord {
    std::string strTypeKey;  // not checked here: creating the block parses it
    std::string strName;
    int x = 0;
    int y = 0;
};

// Reads a proc record: exactly three white-space separated fields, the last a
// whole "x,y". Records with any other shape, or a name longer than
// TE_MAX_BLOCK_NAME, are refused with FALSE, so the caller skips them.
BOOL TEReadProcRecord(const char* pszRecord, TEProcRecord* pRecord);
std::string TEFormatProcRecord(const char* pszTypeKey, const char* pszName, int x, int y);

// "<block name> <x>,<y>": a block moved to a new top-left corner.
std::string TEFormatProcPosition(const char* pszName, int x, int y);

// DelTEProc and DelTELine carry the object's name and nothing else.
std::string TEFormatDeleteText(const char* pszName);

// Copies text into a request buffer of cbBuffer bytes. FALSE, with an empty
// buffer, when the text and its terminator do not fit.
BOOL TECopyRequestText(const std::string& text, char* pszBuffer, size_t cbBuffer);
