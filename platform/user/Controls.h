// Procedures of the built-in window classes and the few hooks the rest of
// the window system has into them.
#pragma once

#include <memory>
#include <string>

#include "Window.h"
#include "winuser.h"

namespace pl {

LRESULT CALLBACK buttonProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK staticProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK scrollBarControlProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK tabControlProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK tooltipProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK menuPopupProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Tooltips that subclass a tool window (TTF_SUBCLASS) see the mouse messages
// dispatched to it; and every tooltip learns when the pointer leaves a window.
void relayToTooltips(const MSG& msg);
void tooltipsPointerLeft(HWND wnd);
void tooltipsForgetWindow(HWND wnd);

// The font a control draws with: its WM_SETFONT font or the GUI font.
HFONT controlFont(HFONT font);

// Answers WM_SETFONT (keeping the font, repainting when asked) and
// WM_GETFONT as every text control does. False for any other message.
bool answerFontMessage(HWND wnd, HFONT& font, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The private state of a built-in control, made on first use.
template <typename T>
T* controlState(HWND wnd)
{
    Window* w = findWindow(wnd);
    if (!w)
        return nullptr;
    if (!w->control)
        w->control = std::make_unique<T>();
    return dynamic_cast<T*>(w->control.get());
}

}  // namespace pl
