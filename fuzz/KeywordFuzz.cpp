// The main dialog's keywords as the host hands them over: stored lines
// replayed through OnLoad, and keyword messages through OnMessage. Each
// input line is one call:
//
//   G<id>             a get of keyword <id> (a digit) into a host buffer
//   S<id> <text>      a set of keyword <id> to <text>
//   Q<text>           a query for the keyword that <text> starts with
//   anything else     a stored line, "keyword=value"
//
// Texts sit in buffers of exactly their own size, so that reading past a
// text's end is caught; gets write into a buffer of the size the host gives.
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "CorvalaHost.h"
#include "FuzzCheck.h"
#include "shell/CMainDlgHost.h"

namespace {

std::unique_ptr<char[]> ExactCopy(const std::string& text)
{
    auto copy = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(copy.get(), text.c_str(), text.size() + 1);
    return copy;
}

long Message(CMainDlgHost& dialog, int mode, int id, char* data)
{
    KeywordMessage message = {mode, id, DATATYPE_TEXT, 0, data, 0, 0};
    long answer = dialog.OnMessage(0, reinterpret_cast<long>(&message));
    if (mode == KEYWORD_QUERY)
        FUZZ_CHECK(answer == 0 || (message.m_nId > 0 && message.m_nId < KEYWORD_COUNT));
    return answer;
}

void Run(CMainDlgHost& dialog, const std::string& line)
{
    char kind = line.empty() ? '\0' : line[0];
    int id = line.size() > 1 ? line[1] - '0' : 0;
    if (kind == 'G') {
        auto buffer = std::make_unique<char[]>(REQUEST_TEXT_SIZE);
        buffer[0] = '\0';
        Message(dialog, KEYWORD_GET, id, buffer.get());
        FUZZ_CHECK(strnlen(buffer.get(), REQUEST_TEXT_SIZE) < REQUEST_TEXT_SIZE);
    } else if (kind == 'S') {
        auto text = ExactCopy(line.size() > 3 ? line.substr(3) : std::string());
        Message(dialog, KEYWORD_SET, id, text.get());
    } else if (kind == 'Q') {
        auto text = ExactCopy(line.substr(1));
        Message(dialog, KEYWORD_QUERY, 0, text.get());
    } else {
        auto text = ExactCopy(line);
        dialog.OnLoad(0, reinterpret_cast<long>(text.get()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    corvala::SetTraceSink([](HWND, const char*) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    HOSTINFO root;
    {
        CMainDlgHost dialog;
        dialog.m_pParent = &root;
        dialog.RegisterHostinfo(nullptr);
        for (std::string line; std::getline(lines, line);)
            Run(dialog, line);
        dialog.EmptyChannels();
        dialog.UnregisterHostinfo();
    }
    corvala::ResetDevices();
    return 0;
}
