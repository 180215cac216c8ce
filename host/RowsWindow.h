// A plain top-level window that shows rows of text, oldest first. The host
// uses it for its main window's status and for its parameter window. Rows
// that do not fit scroll: a vertical bar shows when they do not, and the
// wheel, the bar and the arrow, page, Home and End keys move them.
#pragma once

#include <string>
#include <vector>

#include "windows.h"

class RowsWindow {
public:
    RowsWindow() = default;
    ~RowsWindow();
    RowsWindow(const RowsWindow&) = delete;
    RowsWindow& operator=(const RowsWindow&) = delete;

    // FALSE when the window could not be made.
    BOOL Create(const char* title, DWORD style, const RECT& rect, HWND owner);
    void Destroy();
    void SetRows(std::vector<std::string> rows);
    const std::vector<std::string>& Rows() const { return m_Rows; }
    // The first pixel row of the rows shown, 0 when scrolled to the top.
    int ScrollTop() const { return m_nTop; }
    HWND Handle() const { return m_hWnd; }

    // Messages the window does not handle itself go here first; answers
    // TRUE when it handled the message, with the result in *result.
    using Handler = BOOL (*)(void* context, HWND wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void SetHandler(Handler handler, void* context)
    {
        m_pfnHandler = handler;
        m_pContext = context;
    }

    static constexpr int kRowHeight = 16;
    static constexpr int kMargin = 6;

private:
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    int ContentHeight() const;
    int ClientHeight() const;
    // Fits the bar to the rows and the client height, keeping the top in range.
    void UpdateBar();
    void ScrollTo(int top);
    void OnScrollCode(UINT code);
    bool OnScrollKey(UINT key);

    HWND m_hWnd = nullptr;
    std::vector<std::string> m_Rows;
    int m_nTop = 0;
    Handler m_pfnHandler = nullptr;
    void* m_pContext = nullptr;
};
