// System metrics, parameters and the profile.
#include <strings.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>

#include "DisplayDriver.h"
#include "Internal.h"
#include "commctrl.h"

namespace {

constexpr UINT kDoubleClickTime = 500;

std::string trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// Reads "key=value" of "[section]" from the profile file; false when the
// file, the section or the key is missing. Lines that are neither a section
// header nor a key assignment are ignored.
bool profileValue(const char* section, const char* key, std::string* value)
{
    const char* path = std::getenv("OVINTA_PROFILE");
    if (!path || !*path || !section || !key)
        return false;
    std::ifstream in(path);
    if (!in)
        return false;
    bool inSection = false;
    std::string line;
    while (std::getline(in, line)) {
        std::string t = trim(line);
        if (t.empty() || t[0] == ';' || t[0] == '#')
            continue;
        if (t.front() == '[') {
            size_t close = t.find(']');
            if (close == std::string::npos)
                continue;
            inSection = strcasecmp(trim(t.substr(1, close - 1)).c_str(), section) == 0;
            continue;
        }
        size_t eq = t.find('=');
        if (!inSection || eq == std::string::npos)
            continue;
        if (strcasecmp(trim(t.substr(0, eq)).c_str(), key) == 0) {
            *value = trim(t.substr(eq + 1));
            return true;
        }
    }
    return false;
}

}  // namespace

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN: return pl::display().screenSize().cx;
    case SM_CYSCREEN: return pl::display().screenSize().cy;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CYMENU: return 19;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    default: return 0;
    }
}

UINT GetDoubleClickTime(void)
{
    return kDoubleClickTime;
}

UINT GetProfileIntA(LPCSTR section, LPCSTR key, int defaultValue)
{
    std::string value;
    if (!profileValue(section, key, &value) || value.empty())
        return static_cast<UINT>(defaultValue);
    // As natively: the leading decimal number, 0 when there is none.
    return static_cast<UINT>(std::strtol(value.c_str(), nullptr, 10));
}

BOOL SystemParametersInfoA(UINT action, UINT, LPVOID value, UINT)
{
    switch (action) {
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETGRADIENTCAPTIONS:
        if (!value)
            return FALSE;
        *static_cast<BOOL*>(value) = FALSE;
        return TRUE;
    case SPI_GETWHEELSCROLLLINES:
        // The desktop's usual three lines a notch.
        if (!value)
            return FALSE;
        *static_cast<UINT*>(value) = 3;
        return TRUE;
    default: return FALSE;
    }
}

void MessageBeep(UINT)
{
    // No sound on this platform: the beep is a hint, never a report.
}

void InitCommonControls(void)
{
    pl::registerSystemClasses();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init)
{
    if (!init || init->dwSize < sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    pl::registerSystemClasses();
    return TRUE;
}
