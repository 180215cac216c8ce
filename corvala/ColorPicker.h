// The host's colour chooser on a real display: a small modal window with the
// 48 basic colours, OK and Cancel. Click a colour and OK, or double-click a
// colour; arrow keys move the choice, Return accepts, Escape cancels.
#pragma once

#include <optional>

#include "windows.h"

namespace corvala {

class ColorPicker {
public:
    static constexpr int kSwatchCount = 48;
    static constexpr int kColumns = 8;

    // Creates the window, hidden, owned by `owner` (may be null), with the
    // swatch of `initial` chosen when there is one.
    ColorPicker(HWND owner, COLORREF initial);
    ~ColorPicker();
    ColorPicker(const ColorPicker&) = delete;
    ColorPicker& operator=(const ColorPicker&) = delete;

    HWND Window() const { return m_wnd; }
    // The chosen swatch, -1 for none.
    int Selection() const { return m_selected; }

    static COLORREF SwatchColor(int index);
    // Where a swatch and a button are, in client coordinates.
    static RECT SwatchRect(int index);
    static RECT ButtonRect(int id);

    // Shows the window and runs its modal loop with the owner disabled. The
    // chosen colour on OK (the initial colour when no swatch is chosen);
    // nothing on Cancel, Escape, closing, or when the loop ends without an
    // answer (a quit, or the headless display running dry).
    std::optional<COLORREF> Run();

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateButtons();
    void Paint();
    void Select(int index);
    void MoveSelection(int dx, int dy);
    void Finish(bool accepted);
    bool HandleKey(const MSG& msg);
    static int HitSwatch(POINT point);

    HWND m_wnd = nullptr;
    HWND m_owner;
    COLORREF m_initial;
    int m_selected = -1;
    bool m_done = false;
    bool m_accepted = false;
};

}  // namespace corvala
