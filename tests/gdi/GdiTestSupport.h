// A memory DC over a small 32-bit bitmap, with readers that turn pixels into
// text pictures so that expectations show the shape they mean.
#pragma once

#include <algorithm>
#include <ostream>
#include <string>

#include "gdi_internal.h"
#include "plsurface.h"
#include "wingdi.h"
#include "winuser.h"

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class TestBitmap {
public:
    TestBitmap(int width, int height, COLORREF fill = kWhite) : m_width(width), m_height(height)
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(width, height, 1, 32, nullptr);
        m_oldBitmap = SelectObject(dc, bitmap);
        clear(fill);
    }
    ~TestBitmap()
    {
        SelectObject(dc, m_oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    TestBitmap(const TestBitmap&) = delete;
    TestBitmap& operator=(const TestBitmap&) = delete;

    void clear(COLORREF fill)
    {
        uint32_t* bits = PlBitmapBits(bitmap, nullptr);
        uint32_t p = ((fill & 0xFF) << 16) | (fill & 0xFF00) | ((fill >> 16) & 0xFF);
        for (int i = 0; i < m_width * m_height; ++i)
            bits[i] = p;
    }

    // Straight from memory, whatever the DC's clip and origin.
    COLORREF at(int x, int y) const
    {
        uint32_t p = PlBitmapBits(bitmap, nullptr)[y * m_width + x] & 0xFFFFFF;
        return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    }

    // Rows of the area, '#' where the pixel has `ink`, '.' elsewhere.
    std::string art(COLORREF ink, RECT area) const
    {
        std::string s;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x)
                s += at(x, y) == ink ? '#' : '.';
            s += '\n';
        }
        return s;
    }
    std::string art(COLORREF ink) const { return art(ink, RECT{0, 0, m_width, m_height}); }

    int count(COLORREF c) const
    {
        int n = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                n += at(x, y) == c;
        return n;
    }

    // Smallest rectangle holding every pixel that is not `background`.
    RECT inkBounds(COLORREF background = kWhite) const
    {
        RECT r{m_width, m_height, 0, 0};
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if (at(x, y) != background) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        return r.right > r.left ? r : RECT{0, 0, 0, 0};
    }

    HDC dc;
    HBITMAP bitmap;

private:
    int m_width, m_height;
    HGDIOBJ m_oldBitmap;
};

// Fills far beyond any test bitmap: what lands shows the clip.
inline void FillAll(HDC dc, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    RECT all{-100, -100, 100, 100};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}

// Selects an object for a scope and puts the previous one back.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(m_dc, m_old); }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline void PrintTo(const RECT& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
