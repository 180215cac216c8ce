// Reading a palette definition file with libxml2. The whole document is
// parsed before anything is added, so a file that fails to parse leaves the
// palette as it was instead of half filled.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <string>

#include "palette/PaletteFile.h"

namespace {

const xmlChar* X(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

bool IsElement(const xmlNode* node, const char* name)
{
    return node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, X(name)) == 0;
}

// An attribute's value, entity references resolved; false when absent.
bool GetAttribute(xmlNode* node, const char* name, std::string& value)
{
    xmlChar* text = xmlGetProp(node, X(name));
    if (!text)
        return false;
    value = reinterpret_cast<const char*>(text);
    xmlFree(text);
    return true;
}

// The content of the first child element `name` that has any.
std::string FirstChildText(xmlNode* parent, const char* name)
{
    for (xmlNode* child = parent->children; child; child = child->next) {
        if (!IsElement(child, name))
            continue;
        xmlChar* text = xmlNodeGetContent(child);
        std::string value = text ? reinterpret_cast<const char*>(text) : "";
        xmlFree(text);
        if (!value.empty())
            return value;
    }
    return {};
}

template <typename List>
auto FindByName(List& list, const std::string& name) -> decltype(list.front().get())
{
    for (auto& entry : list)
        if (entry->m_strName == name)
            return entry.get();
    return nullptr;
}

class PaletteReader {
public:
    PaletteReader(const char* path, HWND traceWnd) : m_pszPath(path), m_hTraceWnd(traceWnd) {}

    void ReadFolders(xmlNode* mode, PaletteFolderList& folders)
    {
        for (xmlNode* node = mode->children; node; node = node->next) {
            if (!IsElement(node, "objecttype"))
                continue;
            std::string name;
            if (!GetAttribute(node, "name", name)) {
                Trace(node, "objecttype without name skipped with its groups");
                continue;
            }
            PaletteFolder* folder = FindByName(folders, name);
            if (!folder) {
                folders.push_back(std::make_unique<PaletteFolder>());
                folder = folders.back().get();
                folder->m_strName = name;
            }
            ReadGroups(node, *folder);
        }
    }

private:
    void ReadGroups(xmlNode* objecttype, PaletteFolder& folder)
    {
        for (xmlNode* node = objecttype->children; node; node = node->next) {
            if (!IsElement(node, "group"))
                continue;
            std::string name;
            if (!GetAttribute(node, "name", name)) {
                Trace(node, "group without name skipped with its controls");
                continue;
            }
            PaletteGroup* group = FindByName(folder.m_Groups, name);
            if (!group) {
                folder.m_Groups.push_back(std::make_unique<PaletteGroup>());
                group = folder.m_Groups.back().get();
                group->m_strName = name;
            }
            ReadItems(node, *group);
        }
    }

    void ReadItems(xmlNode* groupNode, PaletteGroup& group)
    {
        for (xmlNode* node = groupNode->children; node; node = node->next) {
            if (!IsElement(node, "control"))
                continue;
            auto item = std::make_unique<PaletteItem>();
            if (!GetAttribute(node, "class", item->m_strName))
                Trace(node, "control without class: shown without a name");
            item->m_strIcon = FirstChildText(node, "icon");
            item->m_strCommand = FirstChildText(node, "cfg");
            if (item->m_strCommand.size() > PALETTE_COMMAND_MAX) {
                Trace(node, "control with a command longer than 4095 characters skipped");
                continue;
            }
            if (item->m_strCommand.empty())
                Trace(node, "control without cfg: dropping it does nothing");
            group.m_Items.push_back(std::move(item));
        }
    }

    void Trace(xmlNode* node, const char* what)
    {
        EDITTRACE(m_hTraceWnd, "Palette %s line %ld: %s", m_pszPath, xmlGetLineNo(node), what);
    }

    const char* m_pszPath;
    HWND m_hTraceWnd;
};

xmlNode* FirstElementNamed(xmlNode* parent, const char* name)
{
    for (xmlNode* node = parent->children; node; node = node->next)
        if (IsElement(node, name))
            return node;
    return nullptr;
}

// The reader reports through the trace; libxml2's own printing is kept off
// for the parse, including the messages XML_PARSE_NOERROR does not cover.
void IgnoreXmlError(void*, xmlErrorPtr) {}

class QuietXmlErrors {
public:
    QuietXmlErrors() : m_pPrevious(xmlStructuredError), m_pPreviousContext(xmlStructuredErrorContext)
    {
        xmlSetStructuredErrorFunc(nullptr, IgnoreXmlError);
    }
    ~QuietXmlErrors() { xmlSetStructuredErrorFunc(m_pPreviousContext, m_pPrevious); }
    QuietXmlErrors(const QuietXmlErrors&) = delete;
    QuietXmlErrors& operator=(const QuietXmlErrors&) = delete;

private:
    xmlStructuredErrorFunc m_pPrevious;
    void* m_pPreviousContext;
};

// libxml2's message for the last failure, on one line.
std::string LastXmlError()
{
    const xmlError* error = xmlGetLastError();
    if (!error || !error->message)
        return "unreadable";
    std::string text = error->message;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    if (error->line > 0)
        text = "line " + std::to_string(error->line) + ": " + text;
    return text;
}

}  // namespace

bool ReadPaletteFile(const char* path, const char* root, const char* mode, PaletteFolderList& folders,
                     HWND traceWnd)
{
    if (!path || !root || !mode)
        return false;
    if (std::strlen(path) > PALETTE_NAME_MAX || std::strlen(root) > PALETTE_NAME_MAX) {
        EDITTRACE(traceWnd, "Palette path or root name longer than %zu characters: not read",
                  PALETTE_NAME_MAX);
        return false;
    }
    xmlInitParser();
    LIBXML_TEST_VERSION
    xmlResetLastError();
    QuietXmlErrors quiet;
    // No network, and libxml2's own limits on depth and text size stay on:
    // a palette is a small file, and a huge or deeply nested one is refused
    // rather than allowed to exhaust the host.
    xmlDoc* document = xmlReadFile(path, nullptr, XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR |
                                                      XML_PARSE_NOWARNING);
    if (!document) {
        EDITTRACE(traceWnd, "Palette %s not read: %s", path, LastXmlError().c_str());
        return false;
    }
    xmlNode* top = xmlDocGetRootElement(document);
    if (!top || xmlStrcmp(top->name, X(root)) != 0) {
        EDITTRACE(traceWnd, "Palette %s: root element is <%s>, not <%s>; no folders", path,
                  top ? reinterpret_cast<const char*>(top->name) : "", root);
    } else if (xmlNode* modeNode = FirstElementNamed(top, mode)) {
        PaletteReader(path, traceWnd).ReadFolders(modeNode, folders);
    } else {
        EDITTRACE(traceWnd, "Palette %s: no <%s> element; no folders", path, mode);
    }
    xmlFreeDoc(document);
    return true;
}
