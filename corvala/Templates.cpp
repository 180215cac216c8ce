// a_LoadTemplate: the host's window templates. A spec reads
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

struct TemplateSpec {
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

std::optional<TemplateSpec> ParseSpec(std::string_view text)
{
    text = SkipBlanks(text);
    size_t nameEnd = 0;
    while (nameEnd < text.size() && !IsBlank(text[nameEnd]) && text[nameEnd] != '"')
        ++nameEnd;
    if (nameEnd == 0)
        return std::nullopt;
    TemplateSpec spec{std::string(text.substr(0, nameEnd)), {}};
    text = SkipBlanks(text.substr(nameEnd));
    if (text.empty() || text.front() != '"')
        return std::nullopt;
    size_t close = text.find('"', 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    spec.title = std::string(text.substr(1, close - 1));
    return spec;
}

HWND OwnerWindow(const HOSTINFO* owner)
{
    if (!owner || !owner->m_hWnd || !IsWindow(owner->m_hWnd))
        return nullptr;
    return owner->m_hWnd;
}

}  // namespace

HWND a_LoadTemplate(HOSTINFO* owner, const char* spec)
{
    HWND traceWindow = owner ? owner->m_hTraceWnd : nullptr;
    std::optional<TemplateSpec> parsed = ParseSpec(spec ? spec : "");
    if (!parsed) {
        EDITTRACE(traceWindow, "Malformed template %s", spec ? spec : "(null)");
        return nullptr;
    }
    if (strcasecmp(parsed->name.c_str(), "TEIOUI") != 0) {
        EDITTRACE(traceWindow, "Unknown template %s", parsed->name.c_str());
        return nullptr;
    }
    return corvala::CreatePropertyWindow(OwnerWindow(owner), parsed->title);
}
