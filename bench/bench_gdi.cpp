// Drawing layer throughput: the fills, lines, labels and copies a canvas
// repaint is made of.
#include <benchmark/benchmark.h>

#include <cstring>

#include "plsurface.h"
#include "wingdi.h"
#include "winuser.h"

namespace {

class Target {
public:
    Target(int width, int height)
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(width, height, 1, 32, nullptr);
        m_old = SelectObject(dc, bitmap);
    }
    ~Target()
    {
        SelectObject(dc, m_old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;

private:
    HGDIOBJ m_old;
};

void FillRectSolid(benchmark::State& state)
{
    int w = int(state.range(0)), h = int(state.range(1));
    Target t(1024, 768);
    HBRUSH brush = CreateSolidBrush(RGB(230, 230, 230));
    RECT r{0, 0, w, h};
    for (auto _ : state)
        FillRect(t.dc, &r, brush);
    DeleteObject(brush);
    state.SetItemsProcessed(state.iterations() * w * h);
}
BENCHMARK(FillRectSolid)->Args({1024, 768})->Args({120, 60});

void PatternFill(benchmark::State& state)
{
    const WORD rows[8] = {0x1111, 0x2222, 0x4444, 0x8888, 0x1111, 0x2222, 0x4444, 0x8888};
    Target t(1024, 768);
    HBITMAP bits = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH hatch = CreatePatternBrush(bits);
    HGDIOBJ old = SelectObject(t.dc, hatch);
    for (auto _ : state)
        PatBlt(t.dc, 0, 0, 200, 200, PATCOPY);
    SelectObject(t.dc, old);
    DeleteObject(hatch);
    DeleteObject(bits);
    state.SetItemsProcessed(state.iterations() * 200 * 200);
}
BENCHMARK(PatternFill);

void Lines(benchmark::State& state, int style, int rop)
{
    Target t(1024, 768);
    HPEN pen = CreatePen(style, 0, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(t.dc, pen);
    SetROP2(t.dc, rop);
    for (auto _ : state) {
        // One horizontal, one vertical and one slanted line of 500 pixels.
        MoveToEx(t.dc, 10, 100, nullptr);
        LineTo(t.dc, 510, 100);
        MoveToEx(t.dc, 600, 10, nullptr);
        LineTo(t.dc, 600, 510);
        MoveToEx(t.dc, 10, 200, nullptr);
        LineTo(t.dc, 510, 500);
    }
    SelectObject(t.dc, old);
    DeleteObject(pen);
    state.SetItemsProcessed(state.iterations() * 1500);
}
BENCHMARK_CAPTURE(Lines, solid, PS_SOLID, R2_COPYPEN);
BENCHMARK_CAPTURE(Lines, dotted, PS_DOT, R2_COPYPEN);
BENCHMARK_CAPTURE(Lines, solid_not, PS_SOLID, R2_NOT);

void Label(benchmark::State& state, int height, const char* face)
{
    Target t(400, 100);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ old = SelectObject(t.dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(t.dc, TRANSPARENT);
    const char* text = "ProcNoname_1";
    for (auto _ : state)
        TextOutA(t.dc, 10, 10, text, int(std::strlen(text)));
    SelectObject(t.dc, old);
    if (font)
        DeleteObject(font);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(Label, small_fonts_5pt, -7, "Small Fonts");

void GuiFontLabel(benchmark::State& state)
{
    Target t(400, 100);
    HGDIOBJ old = SelectObject(t.dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(t.dc, TRANSPARENT);
    RECT r{0, 0, 200, 20};
    for (auto _ : state) {
        TextOutA(t.dc, 10, 10, "Function blocks", 15);
        DrawTextA(t.dc, "Inputs", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(t.dc, old);
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(GuiFontLabel);

void BlitSurface(benchmark::State& state)
{
    Target source(1024, 768);
    HBITMAP surface = CreateBitmap(1024, 768, 1, 32, nullptr);
    HDC window = PlCreateSurfaceDC(surface, POINT{0, 0}, nullptr);
    for (auto _ : state)
        BitBlt(window, 0, 0, 1024, 768, source.dc, 0, 0, SRCCOPY);
    DeleteDC(window);
    DeleteObject(surface);
    state.SetBytesProcessed(state.iterations() * 1024 * 768 * 4);
}
BENCHMARK(BlitSurface);

void BlockPaint(benchmark::State& state)
{
    // What one block costs: an off-screen body, a label, one copy.
    Target window(1024, 768);
    HFONT font = CreateFontA(-7, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Small Fonts");
    for (auto _ : state) {
        HDC memory = CreateCompatibleDC(window.dc);
        HBITMAP body = CreateCompatibleBitmap(window.dc, 120, 60);
        HGDIOBJ oldBitmap = SelectObject(memory, body);
        RECT r{0, 0, 120, 60};
        FillRect(memory, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        HGDIOBJ oldFont = SelectObject(memory, font);
        SetBkMode(memory, TRANSPARENT);
        TextOutA(memory, 4, 2, "ProcNoname_1", 12);
        BitBlt(window.dc, 100, 100, 120, 60, memory, 0, 0, SRCCOPY);
        SelectObject(memory, oldFont);
        SelectObject(memory, oldBitmap);
        DeleteObject(body);
        DeleteDC(memory);
    }
    DeleteObject(font);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BlockPaint);

}  // namespace
