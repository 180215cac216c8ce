// a_LoadTemplate: the host's window templates. A template text reads
//   NAME "title" rest
// where rest names the object the window belongs to; the window does not
// show it.
#include <strings.h>

#include <optional>
#include <string>
#include <string_view>

#include "Corvala.h"
#include "PropertyWindow.h"
#include "windows.h"

namespace {

struct TemplateText {
    std::string name;
    std::string title;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view SkipBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::optional<TemplateText> ParseTemplateText(std::string_view text)
{
    text = SkipBlanks(text);
    size_t nameEnd = 0;
    while (nameEnd < text.size() && !IsBlank(text[nameEnd]) && text[nameEnd] != '"')
        ++nameEnd;
    if (nameEnd == 0)
        return std::nullopt;
    TemplateText parsed{std::string(text.substr(0, nameEnd)), {}};
    text = SkipBlanks(text.substr(nameEnd));
    if (text.empty() || text.front() != '"')
        return std::nullopt;
    size_t close = text.find('"', 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    parsed.title = std::string(text.substr(1, close - 1));
    return parsed;
}

HWND OwnerWindow(const HOSTINFO* owner)
{
    if (!owner || !owner->m_hWnd || !IsWindow(owner->m_hWnd))
        return nullptr;
    return owner->m_hWnd;
}

}  // namespace

HWND a_LoadTemplate(HOSTINFO* owner, const char* text)
{
    HWND traceWindow = owner ? owner->m_hTraceWnd : nullptr;
    std::optional<TemplateText> parsed = ParseTemplateText(text ? text : "");
    if (!parsed) {
        EDITTRACE(traceWindow, "Malformed template %s", text ? text : "(null)");
        return nullptr;
    }
    if (strcasecmp(parsed->name.c_str(), "TEIOUI") != 0) {
        EDITTRACE(traceWindow, "Unknown template %s", parsed->name.c_str());
        return nullptr;
    }
    return corvala::CreatePropertyWindow(OwnerWindow(owner), parsed->title);
}
