// Input scripts for the headless display (the format is in pldisplay.h).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DisplaySelect.h"
#include "HeadlessDisplay.h"
#include "pldisplay.h"
#include "winuser.h"

namespace {

struct Failure {
    std::string message;
};

struct KeyName {
    const char* name;
    UINT vk;
};

constexpr KeyName kKeyNames[] = {
    {"VK_LBUTTON", VK_LBUTTON}, {"VK_RBUTTON", VK_RBUTTON}, {"VK_MBUTTON", VK_MBUTTON}, {"VK_BACK", VK_BACK},
    {"VK_TAB", VK_TAB},         {"VK_RETURN", VK_RETURN},   {"VK_SHIFT", VK_SHIFT},     {"VK_CONTROL", VK_CONTROL},
    {"VK_MENU", VK_MENU},       {"VK_ESCAPE", VK_ESCAPE},   {"VK_SPACE", VK_SPACE},     {"VK_PRIOR", VK_PRIOR},
    {"VK_NEXT", VK_NEXT},       {"VK_END", VK_END},         {"VK_HOME", VK_HOME},       {"VK_LEFT", VK_LEFT},
    {"VK_UP", VK_UP},           {"VK_RIGHT", VK_RIGHT},     {"VK_DOWN", VK_DOWN},       {"VK_INSERT", VK_INSERT},
    {"VK_DELETE", VK_DELETE},
};

// Splits a line into words; a double-quoted part stays in its word with
// its quotes, so that "Main window"/3000 is one word.
std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    std::string current;
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        if (!quoted && (c == ' ' || c == '\t')) {
            if (!current.empty())
                out.push_back(current);
            current.clear();
            continue;
        }
        current += c;
    }
    if (quoted)
        throw Failure{"unclosed quote"};
    if (!current.empty())
        out.push_back(current);
    return out;
}

int number(const std::string& word, const char* what)
{
    char* end = nullptr;
    long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end || value < -32768 || value > 32767)
        throw Failure{std::string("expected ") + what + " as a number, got '" + word + "'"};
    return static_cast<int>(value);
}

UINT keyCode(const std::string& word)
{
    for (const KeyName& k : kKeyNames)
        if (word == k.name)
            return k.vk;
    if (word.size() == 1 && ((word[0] >= 'A' && word[0] <= 'Z') || (word[0] >= '0' && word[0] <= '9')))
        return static_cast<UINT>(word[0]);
    std::string function = word.rfind("VK_", 0) == 0 ? word.substr(3) : word;
    if (function.size() >= 2 && function.size() <= 3 && function[0] == 'F' &&
        function.find_first_not_of("0123456789", 1) == std::string::npos) {
        int n = std::atoi(function.c_str() + 1);
        if (n >= 1 && n <= 12)
            return VK_F1 + static_cast<UINT>(n - 1);
    }
    char* end = nullptr;
    long value = std::strtol(word.c_str(), &end, 0);
    if (!word.empty() && !*end && value >= 1 && value <= 254)
        return static_cast<UINT>(value);
    throw Failure{"unknown key '" + word + "'"};
}

int button(const std::string& word)
{
    if (word == "left")
        return PL_BUTTON_LEFT;
    if (word == "right")
        return PL_BUTTON_RIGHT;
    if (word == "middle")
        return PL_BUTTON_MIDDLE;
    throw Failure{"unknown button '" + word + "' (left, right or middle)"};
}

std::string windowText(HWND wnd)
{
    char text[512];
    GetWindowTextA(wnd, text, sizeof text);
    return text;
}

HWND findByText(HWND first, const std::string& text, bool visibleOnly)
{
    for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT))
        if ((!visibleOnly || IsWindowVisible(w)) && windowText(w) == text)
            return w;
    return nullptr;
}

HWND findDeep(HWND parent, const std::string& text)
{
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (windowText(w) == text)
            return w;
        if (HWND found = findDeep(w, text))
            return found;
    }
    return nullptr;
}

// Resolves <window>; null with *screen set for "screen".
HWND resolveWindow(const std::string& spec, bool* screen)
{
    *screen = false;
    if (spec == "screen") {
        *screen = true;
        return nullptr;
    }
    std::string text;
    std::string path;
    if (!spec.empty() && spec[0] == '"') {
        size_t close = spec.find('"', 1);
        text = spec.substr(1, close - 1);
        path = spec.substr(close + 1);
    } else {
        size_t slash = spec.find('/');
        text = spec.substr(0, slash);
        path = slash == std::string::npos ? "" : spec.substr(slash);
    }
    HWND top = GetTopWindow(nullptr);
    HWND wnd = findByText(top, text, true);
    if (!wnd)
        wnd = findByText(top, text, false);
    if (!wnd)
        wnd = findDeep(GetDesktopWindow(), text);
    if (!wnd)
        throw Failure{"no window named \"" + text + "\""};
    std::stringstream ids(path);
    std::string id;
    while (std::getline(ids, id, '/')) {
        if (id.empty())
            continue;
        HWND child = GetDlgItem(wnd, number(id, "a control id"));
        if (!child)
            throw Failure{"no control with id " + id + " in \"" + windowText(wnd) + "\""};
        wnd = child;
    }
    return wnd;
}

struct Script {
    UINT modifiers = 0;

    void needWords(const std::vector<std::string>& w, size_t count, const char* usage)
    {
        if (w.size() != count)
            throw Failure{std::string("expected '") + usage + "'"};
    }

    void mouse(const std::vector<std::string>& w)
    {
        const std::string& verb = w[0];
        bool move = verb == "move";
        needWords(w, move ? 4 : 5, move ? "move <window> <x> <y>" : "<verb> <button> <window> <x> <y>");
        size_t at = move ? 1 : 2;
        int b = move ? PL_BUTTON_LEFT : button(w[1]);
        bool screen = false;
        HWND wnd = resolveWindow(w[at], &screen);
        int x = number(w[at + 1], "x");
        int y = number(w[at + 2], "y");
        BOOL ok = FALSE;
        if (move)
            ok = PlInputMouseMove(wnd, x, y, modifiers);
        else if (verb == "down" || verb == "up")
            ok = PlInputMouseButton(wnd, x, y, b, verb == "down", modifiers);
        else if (verb == "click")
            ok = PlInputMouseClick(wnd, x, y, b, modifiers);
        else
            ok = PlInputMouseDoubleClick(wnd, x, y, b, modifiers);
        if (!ok)
            throw Failure{"the window is gone"};
    }

    void wheel(const std::vector<std::string>& w)
    {
        needWords(w, 5, "wheel <notches> <window> <x> <y>");
        int notches = number(w[1], "a number of notches");
        if (notches == 0 || notches > 273 || notches < -273)
            throw Failure{"wheel needs -273 to 273 notches, not 0 (positive turns it away from the user)"};
        bool screen = false;
        HWND wnd = resolveWindow(w[2], &screen);
        if (!PlInputMouseWheel(wnd, number(w[3], "x"), number(w[4], "y"), notches * WHEEL_DELTA, modifiers))
            throw Failure{"the window is gone"};
    }

    void key(const std::vector<std::string>& w)
    {
        needWords(w, 3, "key down|up|press <key>");
        UINT vk = keyCode(w[2]);
        if (w[1] == "down" || w[1] == "press")
            PlInputKey(vk, TRUE);
        if (w[1] == "up" || w[1] == "press")
            PlInputKey(vk, FALSE);
        if (w[1] != "down" && w[1] != "up" && w[1] != "press")
            throw Failure{"expected down, up or press after 'key', got '" + w[1] + "'"};
    }

    void keys(const std::vector<std::string>& w)
    {
        needWords(w, 2, "keys none|shift|ctrl|shift+ctrl");
        static const std::pair<const char*, UINT> states[] = {
            {"none", 0}, {"shift", MK_SHIFT}, {"ctrl", MK_CONTROL}, {"shift+ctrl", MK_SHIFT | MK_CONTROL},
            {"ctrl+shift", MK_SHIFT | MK_CONTROL}};
        for (const auto& [name, flags] : states) {
            if (w[1] == name) {
                modifiers = flags;
                return;
            }
        }
        throw Failure{"unknown key state '" + w[1] + "' (none, shift, ctrl or shift+ctrl)"};
    }

    void run(const std::string& line)
    {
        std::vector<std::string> w = words(line);
        if (w.empty() || w[0][0] == '#')
            return;
        const std::string& verb = w[0];
        if (verb == "move" || verb == "down" || verb == "up" || verb == "click" || verb == "dblclick") {
            mouse(w);
        } else if (verb == "wheel") {
            wheel(w);
        } else if (verb == "key") {
            key(w);
        } else if (verb == "keys") {
            keys(w);
        } else if (verb == "wait") {
            needWords(w, 2, "wait <ms>");
            int ms = number(w[1], "milliseconds");
            if (ms < 0)
                throw Failure{"wait needs a time of 0 or more milliseconds"};
            PlHeadlessAdvanceClock(static_cast<DWORD>(ms));
        } else if (verb == "wait-idle") {
            needWords(w, 1, "wait-idle");
            PlPumpMessages();
        } else {
            throw Failure{"unknown command '" + verb + "'"};
        }
    }
};

void report(char* error, int errorSize, const std::string& message)
{
    if (error && errorSize > 0)
        std::snprintf(error, static_cast<size_t>(errorSize), "%s", message.c_str());
}

}  // namespace

BOOL PlHeadlessRunScript(const char* text, char* error, int errorSize)
{
    report(error, errorSize, "");
    if (!text) {
        report(error, errorSize, "no script");
        return FALSE;
    }
    if (!pl::headlessDisplay()) {
        report(error, errorSize, "input scripts need the headless display");
        return FALSE;
    }
    std::stringstream lines(text);
    std::string line;
    Script script;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        try {
            script.run(line);
        } catch (const Failure& f) {
            report(error, errorSize, "line " + std::to_string(number) + ": " + f.message);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL PlHeadlessRunScriptFile(const char* path, char* error, int errorSize)
{
    std::ifstream in(path ? path : "");
    if (!in) {
        report(error, errorSize, std::string("cannot read the script file ") + (path ? path : "(null)"));
        return FALSE;
    }
    std::stringstream all;
    all << in.rdbuf();
    return PlHeadlessRunScript(all.str().c_str(), error, errorSize);
}
