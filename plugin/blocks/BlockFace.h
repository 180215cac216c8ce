// Where a block composes its body and texts: a DC whose (0, 0) is the
// block's top-left corner and whose drawing cannot reach outside the block.
//
// On a 32-bit target the face is drawn straight onto it, clipped to the
// block and with the origin moved. The canvas the view paints is itself an
// off-screen surface, shown only when the paint is over, so a block cannot
// flicker through partial states either way; composing on a second surface
// and copying it cost a fill and a copy of every block pixel, half of a
// crowded repaint. The pixels are the same: the face starts from the state
// of a fresh memory DC, its body covers the whole block, and what a caption
// would draw beyond the block is clipped as the copy would have cut it.
//
// Any other target (a monochrome bitmap) turns colours into its own pixels
// differently when drawn on than when copied to, so it still gets a memory
// surface of its own kind and one copy.
#pragma once

#include "afxwin.h"

class CBlockFace {
public:
    CBlockFace(CDC* pTarget, const CRect& rcBlock);
    // Copies an off-screen face to the target and restores the target's state.
    ~CBlockFace();
    CBlockFace(const CBlockFace&) = delete;
    CBlockFace& operator=(const CBlockFace&) = delete;

    CDC* DC() { return m_pDC; }

private:
    void StartFresh();

    CDC* m_pTarget;
    CRect m_rcBlock;
    CDC* m_pDC = nullptr;
    int m_nSavedState = 0;
    // The off-screen surface of a target that is not drawn on directly.
    CDC m_OwnDC;
    CBitmap m_OwnBitmap;
    CBitmap* m_pOldOwnBitmap = nullptr;
};
