// What the document needs from the page that shows it. The task-engine page
// implements it; tests and tools may stand in for the page.
#pragma once

#include "windef.h"

class HOSTINFO;

class CTEPageLink {
public:
    virtual ~CTEPageLink() = default;

    // The canvas grid step in pixels (0 or 1: no grid).
    virtual UINT GetGridStep() const = 0;
    // Width of the page's window as the page last recorded it (its normal
    // placement), used to place blocks that come without a position.
    virtual int GetRecordedPageWidth() const = 0;
    // The page's host record: the parent of every block's host record, and
    // the record whose modified flag marks a changed program.
    virtual HOSTINFO* GetPageRecord() = 0;
    // Converts a canvas rectangle in place to the view's device coordinates
    // and invalidates it there.
    virtual long InvalidateCanvasRect(RECT* rect, BOOL bErase) = 0;
    // The document has just replaced its blocks and/or its lines with the
    // device's: every pointer the page's canvas held into the old ones is
    // gone. Called before anything is painted.
    virtual void OnProgramReplaced(BOOL /*bBlocks*/, BOOL /*bLines*/) {}
    // The document's notice to the user (CTEDocument::GetSyncNotice) has
    // changed: the canvas shows the new one.
    virtual void OnSyncNoticeChanged() {}
};
