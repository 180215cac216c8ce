// The default palette file of the host's own palettes: devices, interfaces
// and controls, each item opening the host dialog script that adds one.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>
#include <string>

#include "palette/PaletteFile.h"

namespace {

struct DefaultControl {
    const char* objecttype;
    const char* group;
    const char* name;
    const char* icon;
    const char* command;  // as it reads back: a plain ampersand
};

#define DEVICE_DS "newobject=.\\Dialogs\\Add Devices & Interfaces\\"
#define CONTROL_DS "newobject=.\\Dialogs\\Add Controls\\"

constexpr DefaultControl kDefaultControls[] = {
    {"Devices", "Tovrin", "Q7700", "Devices\\q7700.ico", DEVICE_DS "Q7700.ds"},
    {"Devices", "Amplifiers", "R310A", "Devices\\rkx16.ico", DEVICE_DS "R310A.ds"},
    {"Devices", "Amplifiers", "R410A", "Devices\\rkx16.ico", DEVICE_DS "R410A.ds"},
    {"Devices", "Amplifiers", "R910A", "Devices\\rkx16.ico", DEVICE_DS "R910A.ds"},
    {"Devices", "Amplifiers", "R310B", "Devices\\rkx16.ico", DEVICE_DS "R310B.ds"},
    {"Devices", "Amplifiers", "R410B", "Devices\\rkx16.ico", DEVICE_DS "R410B.ds"},
    {"Interfaces", "CAN Interfaces", "PCAN USB", "Interfaces\\peakcan.ico", DEVICE_DS "PEAK USB-CAN.ds"},
    {"Interfaces", "CAN Interfaces", "PCAN PCI", "Interfaces\\peakcan.ico", DEVICE_DS "PEAK PCI-CAN.ds"},
    {"Interfaces", "CAN Interfaces", "Lanbridge", "Interfaces\\ethernet can gateway.ico",
     DEVICE_DS "Ethernet CAN Gateway.ds"},
    {"Interfaces", "Tovrin Interfaces", "Network-IP", "Interfaces\\tkp.ico", DEVICE_DS "Network-IP.ds"},
    {"Controls", "Button Controls", "SwitchButton", "Controls\\SwitchButton.ico", CONTROL_DS "SwitchButton.ds"},
    {"Controls", "Button Controls", "PushButton", "Controls\\PushButton.ico", CONTROL_DS "PushButton.ds"},
    {"Controls", "Button Controls", "RadioButton", "Controls\\SwitchButton.ico", CONTROL_DS "RadioButton.ds"},
    {"Controls", "Button Controls", "RockerSwitch", "Controls\\RockerSwitch.ico", CONTROL_DS "RockerSwitch.ds"},
    {"Controls", "Parameter Controls", "ComboBox", "Controls\\ComboBox.ico", CONTROL_DS "ComboBox.ds"},
    {"Controls", "Parameter Controls", "Edit", "Controls\\Edit.ico", CONTROL_DS "Edit.ds"},
    {"Controls", "Parameter Controls", "Fader", "Controls\\Fader.ico", CONTROL_DS "Fader.ds"},
    {"Controls", "Parameter Controls", "Bargraph", "Controls\\Bargraph.ico", CONTROL_DS "Bargraph.ds"},
    {"Controls", "Parameter Controls", "Knob", "Controls\\Knob.ico", CONTROL_DS "Knob.ds"},
    {"Controls", "Parameter Controls", "Meter", "Controls\\Meter.ico", CONTROL_DS "Meter.ds"},
    {"Controls", "Parameter Controls", "MiniEdit", "Controls\\MiniEdit.ico", CONTROL_DS "MiniEdit.ds"},
    {"Controls", "Parameter Controls", "MiniRouting", "Controls\\MiniRouting.ico", CONTROL_DS "MiniRouting.ds"},
    {"Controls", "Parameter Controls", "SpinEdit", "Controls\\SpinEdit.ico", CONTROL_DS "SpinEdit.ds"},
    {"Controls", "Display Controls", "Display Value", "Controls\\Display Value.ico",
     CONTROL_DS "Display Value.ds"},
    {"Controls", "Display Controls", "Led", "Controls\\Led.ico", CONTROL_DS "Led.ds"},
    {"Controls", "Display Controls", "Scale", "Controls\\Scale.ico", CONTROL_DS "Scale.ds"},
    {"Controls", "Filter Controls", "MasterEQ", "Controls\\EQ.ico", CONTROL_DS "MasterEQ.ds"},
    {"Controls", "Filter Controls", "ChannelEQ", "Controls\\EQ.ico", CONTROL_DS "ChannelEQ.ds"},
    {"Controls", "Filter Controls", "MiniDelay", "Controls\\MiniDelay.ico", CONTROL_DS "MiniDelay.ds"},
    {"Controls", "Filter Controls", "MiniDynamics", "Controls\\MiniDynamics.ico", CONTROL_DS "MiniDynamics.ds"},
    {"Controls", "Filter Controls", "MiniMasterEQ", "Controls\\MiniEQ.ico", CONTROL_DS "MiniMasterEQ.ds"},
    {"Controls", "Filter Controls", "MiniChannelEQ", "Controls\\MiniEQ.ico", CONTROL_DS "MiniChannelEQ.ds"},
    {"Controls", "Filter Controls", "MiniXOver", "Controls\\MiniXOver.ico", CONTROL_DS "MiniXOver.ds"},
    {"Controls", "Filter Controls", "XOver", "Controls\\XOver.ico", CONTROL_DS "XOver.ds"},
    {"Controls", "Special Controls", "Group", "Controls\\Group.ico", CONTROL_DS "Group.ds"},
};

#undef DEVICE_DS
#undef CONTROL_DS

const xmlChar* X(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

// xmlNewChild reads its content as markup: an ampersand must go in as the
// entity reference, so that the file holds "&amp;" and a reader gets "&".
std::string AsMarkup(const char* text)
{
    std::string markup;
    for (const char* c = text; *c; ++c)
        markup += *c == '&' ? std::string("&amp;") : std::string(1, *c);
    return markup;
}

// The element named `name` with that "name" attribute directly under
// `parent`, made when it is not there yet. Null when it cannot be made.
xmlNode* NamedChild(xmlNode* parent, const char* element, const char* name)
{
    for (xmlNode* node = parent->last; node; node = node->prev) {
        if (node->type != XML_ELEMENT_NODE || xmlStrcmp(node->name, X(element)) != 0)
            continue;
        xmlChar* existing = xmlGetProp(node, X("name"));
        bool same = existing && xmlStrcmp(existing, X(name)) == 0;
        xmlFree(existing);
        if (same)
            return node;
        break;  // the table lists each object type and group in one run
    }
    xmlNode* node = xmlNewChild(parent, nullptr, X(element), nullptr);
    if (node)
        xmlSetProp(node, X("name"), X(name));
    return node;
}

void AddControl(xmlNode* root, const DefaultControl& entry)
{
    xmlNode* objecttype = NamedChild(root, "objecttype", entry.objecttype);
    xmlNode* group = objecttype ? NamedChild(objecttype, "group", entry.group) : nullptr;
    xmlNode* control = group ? xmlNewChild(group, nullptr, X("control"), nullptr) : nullptr;
    if (!control)
        return;
    xmlSetProp(control, X("class"), X(entry.name));
    xmlNewChild(control, nullptr, X("icon"), X(AsMarkup(entry.icon).c_str()));
    xmlNewChild(control, nullptr, X("cfg"), X(AsMarkup(entry.command).c_str()));
}

}  // namespace

void WriteDefaultPaletteFile()
{
    xmlInitParser();
    LIBXML_TEST_VERSION
    const std::string path = a_MakeFullPathName(nullptr, "Menu\\objects.xml");
    xmlDoc* document = xmlNewDoc(X("1.0"));
    if (!document)
        return;
    xmlNode* root = xmlNewNode(nullptr, X("objectbar"));
    if (root) {
        xmlDocSetRootElement(document, root);
        for (const DefaultControl& entry : kDefaultControls)
            AddControl(root, entry);
    }
    // The host installs its Menu folder; a fresh host folder may lack it.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    xmlSaveFormatFile(path.c_str(), document, 1);
    xmlFreeDoc(document);
}
