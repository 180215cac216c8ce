// What the host reads from a device through the host library: its program
// records and the link texts and live values of its blocks.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "Corvala.h"

struct BlockChannels {
    std::string name;
    std::string function;
    std::string connection;
    int online = 0;
    double value = 0.0;
    bool valueRead = false;
};

// `owner` is the record the requests are made for.
std::vector<std::string> ReadDeviceRecords(HOSTINFO* owner, const std::string& device, const char* keyword);
// The block name of a proc record ("type name x,y"), or empty.
std::string BlockNameOfRecord(const std::string& record);
std::vector<BlockChannels> ReadBlockChannels(HOSTINFO* owner, const std::string& device);
// Prints the blocks and lines of the device.
void PrintDeviceProgram(std::FILE* out, HOSTINFO* owner, const std::string& device);
// The rows of the host's parameter window for one device: each block with
// its link texts and live value, then the device's parameters.
std::vector<std::string> ParameterRows(HOSTINFO* owner, const std::string& device);
// The names of a comma-separated device list, without empty fields.
std::vector<std::string> SplitDeviceList(const std::string& text);
