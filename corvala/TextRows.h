// Rows of text shown top-down in the GUI font and scrolled with the window's
// vertical scroll bar: the body of the host's own windows (the trace window
// and the property window).
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace corvala {

class TextRows {
public:
    explicit TextRows(int backgroundColor) : m_backgroundColor(backgroundColor) {}

    void Clear() { m_rows.clear(); }
    void Add(std::string row) { m_rows.push_back(std::move(row)); }
    // Forgets the oldest rows so that at most `count` remain.
    void KeepLast(size_t count);
    size_t Count() const { return m_rows.size(); }
    const std::string& At(size_t index) const { return m_rows[index]; }
    int FirstVisible() const { return m_first; }

    // Height of one row in pixels, from the GUI font.
    static int RowHeight();

    // Fits the scroll bar to the rows and the client height.
    void Layout(HWND wnd);
    void ScrollTo(HWND wnd, int first);
    void ScrollToEnd(HWND wnd);
    // WM_VSCROLL and WM_MOUSEWHEEL.
    void OnVScroll(HWND wnd, int code);
    void OnWheel(HWND wnd, int delta);
    // WM_PAINT: background, then the visible rows.
    void Paint(HWND wnd) const;

    static constexpr int kMargin = 4;

private:
    int VisibleRows(HWND wnd) const;
    int LastFirst(HWND wnd) const;

    std::vector<std::string> m_rows;
    int m_first = 0;
    int m_backgroundColor;
};

}  // namespace corvala
