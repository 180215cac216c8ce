// The off-screen surface a block composes its body and texts on before one
// copy to the canvas. Making a memory DC and a bitmap per block and paint
// cost about as much as the drawing, so one 32-bit surface is kept for the
// life of the module and grown to the largest block. A block fills its whole
// w x h corner before drawing on it and copies only that corner, so what an
// earlier, larger block left around it never shows. A target that is not
// 32-bit (a monochrome bitmap) gets a surface of its own kind, as before.
#pragma once

#include "afxwin.h"

class CBlockScratch {
public:
    // A surface of at least w x h pixels for drawing onto pTarget, in the
    // state of a fresh memory DC.
    CBlockScratch(CDC* pTarget, int w, int h);
    ~CBlockScratch();
    CBlockScratch(const CBlockScratch&) = delete;
    CBlockScratch& operator=(const CBlockScratch&) = delete;

    CDC* DC() { return m_pDC; }

private:
    CDC* m_pDC = nullptr;
    int m_nSavedState = 0;
    // The surface of a target that cannot share the kept one.
    CDC m_OwnDC;
    CBitmap m_OwnBitmap;
    CBitmap* m_pOldOwnBitmap = nullptr;
};
