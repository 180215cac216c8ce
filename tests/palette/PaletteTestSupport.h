// Shared pieces of the palette tests: scratch files, captured trace lines, a
// palette control on a clean desktop, and a window that records drops.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CorvalaHost.h"
#include "afxwin.h"
#include "palette/COutlookBar.h"
#include "pldisplay.h"
#include "plsurface.h"

#include <unistd.h>

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace palettetest {

// A folder of its own per test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder()
    {
        static std::atomic<int> counter{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("ovinta-palette-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string Write(const std::string& name, const std::string& content) const
    {
        std::string path = (m_path / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string Path(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Collects EDITTRACE lines while alive.
class TraceLines {
public:
    TraceLines()
    {
        corvala::SetTraceSink([this](HWND, const char* text) { m_lines.emplace_back(text); });
    }
    ~TraceLines() { corvala::SetTraceSink({}); }
    const std::vector<std::string>& Lines() const { return m_lines; }
    bool Contains(const std::string& part) const
    {
        for (const std::string& line : m_lines)
            if (line.find(part) != std::string::npos)
                return true;
        return false;
    }

private:
    std::vector<std::string> m_lines;
};

// "<objectbar><normalmode>body</normalmode></objectbar>"
inline std::string PaletteXml(const std::string& body)
{
    return "<?xml version=\"1.0\"?>\n<objectbar><normalmode>" + body + "</normalmode></objectbar>\n";
}

inline std::string Control(const std::string& name, const std::string& cfg, const std::string& icon = "")
{
    std::string xml = "<control class=\"" + name + "\">";
    if (!icon.empty())
        xml += "<icon>" + icon + "</icon>";
    return xml + "<cfg>" + cfg + "</cfg></control>";
}

inline std::string Group(const std::string& name, const std::string& controls)
{
    return "<group name=\"" + name + "\">" + controls + "</group>";
}

inline std::string Folder(const std::string& name, const std::string& groups)
{
    return "<objecttype name=\"" + name + "\">" + groups + "</objecttype>";
}

// A top-level window that keeps every command text sent to it.
class DropTarget : public CWnd {
public:
    std::vector<std::string> m_Received;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 1) {
            m_Received.emplace_back(reinterpret_cast<const char*>(lParam));
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A palette control filling a host window of the given client size.
class OutlookBarTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_Bar.reset();
        m_Target.reset();
        PlResetWindowSystem();
        PlAfxIdle(1);
    }

    void CreateBar(int cx, int cy)
    {
        RECT rect = {0, 0, cx + 220, cy};
        m_hHost = ::CreateWindowEx(0, AfxRegisterWndClass(0), "palette host", WS_POPUP | WS_VISIBLE, 0, 0,
                                   rect.right, rect.bottom, nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
        ASSERT_NE(m_hHost, nullptr);
        m_Bar = std::make_unique<COutlookBar>();
        ASSERT_TRUE(m_Bar->Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                                  CWnd::FromHandle(m_hHost), OUTLOOKBAR_ID));
        m_Bar->MoveWindow(0, 0, cx, cy);
        m_Target = std::make_unique<DropTarget>();
        ASSERT_TRUE(m_Target->CreateEx(0, nullptr, "target", WS_CHILD | WS_VISIBLE, CRect(cx + 10, 0, cx + 210, cy),
                                       CWnd::FromHandle(m_hHost), 77));
    }

    // Loads a palette text and makes folder `current` current, as the page does.
    void Load(const std::string& xml, int current = 0)
    {
        std::string path = m_Scratch.Write("palette.xml", xml);
        m_Bar->LoadPalette(path.c_str(), "objectbar", "normalmode");
        m_Bar->SetCurrentFolder(current);
        Paint();
    }

    void Paint()
    {
        m_Bar->UpdateWindow();
        PlPumpMessages();
    }

    // Whether some pixel of the rectangle has exactly this colour.
    bool Shows(const RECT& rect, COLORREF colour)
    {
        CDC* dc = m_Bar->GetDC();
        bool found = false;
        for (int y = rect.top; y < rect.bottom && !found; ++y)
            for (int x = rect.left; x < rect.right && !found; ++x)
                found = dc->GetPixel(x, y) == colour;
        m_Bar->ReleaseDC(dc);
        return found;
    }

    PaletteFolder& FolderAt(size_t index) { return *m_Bar->GetFolders().at(index); }
    PaletteGroup& GroupAt(size_t folder, size_t group) { return *FolderAt(folder).m_Groups.at(group); }

    ScratchFolder m_Scratch;
    HWND m_hHost = nullptr;
    std::unique_ptr<COutlookBar> m_Bar;
    std::unique_ptr<DropTarget> m_Target;
};

}  // namespace palettetest
