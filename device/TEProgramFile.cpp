// Each entry of the file is one wire message (see TEWire.h), so link texts
// of any content need no escaping and a cut file is recognised as such.
#include "TEProgramFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "TEWire.h"

namespace tedevice {

namespace {

constexpr std::string_view kFileTag = "tedevice-program";

std::string Encode(const TaskEngineDevice& device)
{
    std::string text = EncodeMessage({std::string(kFileTag), std::string(kProgramFileVersion)});
    text += EncodeMessage({"nextline", std::to_string(device.NextLineNumber())});
    for (const TEBlock& block : device.Blocks())
        text += EncodeMessage({"proc", FormatProcRecord(block.record), block.function, block.connection});
    for (const TELineRecord& line : device.Lines())
        text += EncodeMessage({"line", FormatLineRecord(line)});
    return text;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::string LoadEntry(const TEWireFields& fields, TaskEngineDevice& device)
{
    TEValue value;
    if (fields.size() == 2 && fields[0] == "nextline") {
        long long number = 0;
        if (!ParseWireInt(fields[1], number) || number < 1)
            return "bad line number";
        device.SetNextLineNumber(static_cast<uint64_t>(number));
        return {};
    }
    if (fields.size() == 4 && fields[0] == "proc") {
        value.text = fields[1];
        if (device.Request("TESetProc", TE_WRITE, TE_TEXT, value) != TE_OK)
            return "bad block record: " + fields[1];
        auto record = ParseProcRecord(fields[1]);
        for (auto [item, text] : {std::pair{".function", &fields[2]}, std::pair{".connection", &fields[3]}}) {
            value.text = *text;
            if (device.Request("TE." + record->name + item, TE_WRITE, TE_TEXT, value) != TE_OK)
                return "bad link text of " + record->name;
        }
        return {};
    }
    if (fields.size() == 2 && fields[0] == "line") {
        auto line = ParseLineRecord(fields[1]);
        if (!line || !device.RestoreLine(*line))
            return "bad line record: " + fields[1];
        return {};
    }
    return "unknown entry";
}

}  // namespace

std::string SaveProgram(const TaskEngineDevice& device, const std::string& path)
{
    std::string temporary = path + ".new";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return temporary + ": " + std::strerror(errno);
    bool written = WriteAll(fd, Encode(device)) && ::fsync(fd) == 0;
    int error = errno;
    ::close(fd);
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return path + ": " + std::strerror(written ? errno : error);
    }
    return {};
}

std::string LoadProgram(const std::string& path, TaskEngineDevice& device)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return errno == ENOENT ? std::string() : path + ": " + std::strerror(errno);
    std::stringstream content;
    content << file.rdbuf();
    std::string text = content.str();
    TaskEngineDevice loaded;
    std::string_view rest = text;
    TEWireFields fields;
    for (size_t entry = 0; !rest.empty(); ++entry) {
        size_t used = 0;
        if (DecodeMessage(rest, kMaxRequestMessage, fields, used) != TEWireStatus::Complete)
            return path + ": entry " + std::to_string(entry + 1) + " is cut or damaged";
        rest.remove_prefix(used);
        std::string error;
        if (entry == 0)
            error = fields == TEWireFields{std::string(kFileTag), std::string(kProgramFileVersion)} ? "" : "not a program file";
        else
            error = LoadEntry(fields, loaded);
        if (!error.empty())
            return path + ": entry " + std::to_string(entry + 1) + ": " + error;
    }
    if (text.empty())
        return path + ": empty file";
    // Parameters are the equipment's, not the program's.
    TEParameters parameters = device.Parameters();
    device = std::move(loaded);
    device.Parameters() = parameters;
    return {};
}

}  // namespace tedevice
