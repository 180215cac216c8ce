// Solid one-pixel pens and solid brushes for painting blocks. Every block
// paint selects about ten of them, in the handful of colours all blocks
// share; making and deleting each one per paint cost more than the painting
// itself. So a colour's pen and brush are made once and kept for the life of
// the module. Past the first 64 colours of a kind, a tool makes an object of
// its own that lives as long as the tool.
#pragma once

#include "afxwin.h"

template <class T>
class CSolidTool {
public:
    explicit CSolidTool(COLORREF color);
    T* Get() { return m_pShared != nullptr ? m_pShared : &m_Own; }

private:
    T* m_pShared = nullptr;
    T m_Own;
};

using CSolidPen = CSolidTool<CPen>;
using CSolidBrush = CSolidTool<CBrush>;
