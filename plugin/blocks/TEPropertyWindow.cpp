#include "blocks/TEPropertyWindow.h"

#include <cstdio>
#include <string>

#include "sync/CTEDocument.h"

namespace {

// The window text of the main dialog is read up to this length.
constexpr int kDialogTextSize = 4096;

std::string Format(const char* pszFormat, const std::string& a, const std::string& b)
{
    int length = std::snprintf(nullptr, 0, pszFormat, a.c_str(), b.c_str());
    std::string text(static_cast<size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, pszFormat, a.c_str(), b.c_str());
    return text;
}

// "connection=" followed by "<device>.TE.<block>" for every device, comma
// separated.
std::string ConnectionLine(const STRINGLIST* pDevices, const char* pszBlockName)
{
    std::string line = "connection=";
    if (pDevices == nullptr)
        return line;
    for (size_t i = 0; i < pDevices->size(); ++i) {
        if (i > 0)
            line += ',';
        line += Format("%s.TE.%s", (*pDevices)[i], pszBlockName);
    }
    return line;
}

void SendLine(HWND hWnd, const std::string& line)
{
    ::SendMessage(hWnd, WM_APP + 1, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

}  // namespace

HWND RaisePropertyWindow(HWND hWnd)
{
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return nullptr;
    ::SetFocus(hWnd);
    if (!::IsWindowVisible(hWnd))
        ::ShowWindow(hWnd, SW_SHOW);
    return hWnd;
}

HWND OpenPropertyWindow(CTEDocument* pDocument, HOSTINFO* pOwner, const char* pszBlockName, int nType)
{
    char szDialogText[kDialogTextSize] = "";
    if (pDocument != nullptr)
        pDocument->GetDialogText(szDialogText, sizeof szDialogText);
    std::string title = Format("%s - %s", szDialogText, pszBlockName);
    std::string spec = "TEIOUI \"" + title + "\" " + szDialogText;
    HWND hWnd = a_LoadTemplate(pOwner, spec.c_str());
    if (hWnd == nullptr)
        return nullptr;
    SendLine(hWnd, "caption=" + title);
    SendLine(hWnd, "type=" + std::to_string(nType));
    SendLine(hWnd, ConnectionLine(pDocument != nullptr ? pDocument->DeviceNames() : nullptr, pszBlockName));
    ::ShowWindow(hWnd, SW_SHOW);
    return hWnd;
}

void DestroyPropertyWindow(HWND hWnd)
{
    if (hWnd != nullptr && ::IsWindow(hWnd))
        ::DestroyWindow(hWnd);
}
