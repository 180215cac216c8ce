#include "DeviceProgram.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "TEParameters.h"

namespace {

// A request list for one keyword on one device, freed with the object.
class OneRequest {
public:
    OneRequest(HOSTINFO* owner, const std::string& device, const std::string& keyword)
    {
        m_Keywords.push_back(strdup(keyword.c_str()));
        m_Devices.push_back(strdup(device.c_str()));
        a_BuildRequestList(owner, &m_Keywords, &m_Devices, &m_Requests);
    }
    ~OneRequest()
    {
        a_EmptyRequestList(&m_Requests);
        a_EmptyStringList(&m_Keywords);
        a_EmptyStringList(&m_Devices);
    }
    OneRequest(const OneRequest&) = delete;
    OneRequest& operator=(const OneRequest&) = delete;

    bool Read(int type, void* value) { return a_SendRequest(&m_Requests, REQUEST_READ, type, value, nullptr) == REQUEST_OK; }

private:
    STRINGLIST m_Keywords;
    STRINGLIST m_Devices;
    REQUESTLIST m_Requests;
};

std::string ReadText(HOSTINFO* owner, const std::string& device, const std::string& keyword)
{
    char text[REQUEST_TEXT_SIZE] = {};
    OneRequest request(owner, device, keyword);
    return request.Read(DATATYPE_TEXT, text) ? std::string(text) : std::string();
}

}  // namespace

std::vector<std::string> ReadDeviceRecords(HOSTINFO* owner, const std::string& device, const char* keyword)
{
    STRINGLIST list;
    OneRequest request(owner, device, keyword);
    request.Read(DATATYPE_STRINGLIST, &list);
    std::vector<std::string> records(list.begin(), list.end());
    a_EmptyStringList(&list);
    return records;
}

std::string BlockNameOfRecord(const std::string& record)
{
    std::istringstream fields(record);
    std::string type, name;
    fields >> type >> name;
    return name;
}

std::vector<BlockChannels> ReadBlockChannels(HOSTINFO* owner, const std::string& device)
{
    std::vector<BlockChannels> blocks;
    for (const std::string& record : ReadDeviceRecords(owner, device, "TEProcs")) {
        BlockChannels block;
        block.name = BlockNameOfRecord(record);
        const std::string prefix = "TE." + block.name + ".";
        block.function = ReadText(owner, device, prefix + "function");
        block.connection = ReadText(owner, device, prefix + "connection");
        OneRequest(owner, device, prefix + "online").Read(DATATYPE_INT, &block.online);
        block.valueRead = OneRequest(owner, device, prefix + "Value").Read(DATATYPE_DOUBLE, &block.value);
        blocks.push_back(std::move(block));
    }
    return blocks;
}

void PrintDeviceProgram(std::FILE* out, HOSTINFO* owner, const std::string& device)
{
    std::vector<std::string> procs = ReadDeviceRecords(owner, device, "TEProcs");
    std::vector<std::string> lines = ReadDeviceRecords(owner, device, "TELines");
    std::fprintf(out, "Program of device %s: %zu blocks, %zu lines\n", device.c_str(), procs.size(), lines.size());
    for (const BlockChannels& block : ReadBlockChannels(owner, device)) {
        std::fprintf(out, "  block %-10s function \"%s\" connection \"%s\" value ", block.name.c_str(),
                     block.function.c_str(), block.connection.c_str());
        if (block.valueRead)
            std::fprintf(out, "%g\n", block.value);
        else
            std::fprintf(out, "(none)\n");
    }
    for (const std::string& record : procs)
        std::fprintf(out, "  proc %s\n", record.c_str());
    for (const std::string& record : lines)
        std::fprintf(out, "  line %s\n", record.c_str());
}

std::vector<std::string> ParameterRows(HOSTINFO* owner, const std::string& device)
{
    std::vector<std::string> rows{"Device " + device};
    char text[REQUEST_TEXT_SIZE];
    for (const BlockChannels& block : ReadBlockChannels(owner, device)) {
        std::string value = "no value";
        if (block.valueRead) {
            std::snprintf(text, sizeof text, "%g", block.value);
            value = text;
        }
        // Inputs and outputs name "<connection>.<function>", clocks a time item.
        std::string link = block.connection.empty() ? block.function : block.connection + "." + block.function;
        if (!link.empty())
            link = "  " + link;
        rows.push_back("  " + block.name + link + "  = " + value +
                       (block.online ? "" : "  (offline)"));
    }
    // The parameter names are the same on every device; their values are
    // asked of this one.
    const tedevice::TEParameters names;
    for (const tedevice::TEParameter& parameter : names.All()) {
        double value = 0.0;
        if (!OneRequest(owner, device, "Param." + parameter.name).Read(DATATYPE_DOUBLE, &value))
            continue;
        std::snprintf(text, sizeof text, "  %s = %g  (%g to %g)", parameter.name.c_str(), value, parameter.minimum,
                      parameter.maximum);
        rows.emplace_back(text);
    }
    return rows;
}

std::vector<std::string> SplitDeviceList(const std::string& text)
{
    std::vector<std::string> names;
    std::istringstream fields(text);
    std::string name;
    while (std::getline(fields, name, ','))
        if (!name.empty())
            names.push_back(name);
    return names;
}
