// What the task-engine view needs from the page that owns it. The view keeps
// no objects of its own: the tracker, the grid settings, the document and the
// host record all live in the page, and the host's messages that reach the
// view are the page's to answer. The task-engine page implements this; tests
// stand in for it.
#pragma once

#include "windef.h"

class CTEObjectTracker;
class CTEDocument;
class HOSTINFO;

class CTEViewPage {
public:
    virtual ~CTEViewPage() = default;

    virtual CTEObjectTracker* GetObjectTracker() = 0;
    // The canvas grid step in pixels (0 or 1: no grid).
    virtual UINT GetGridStep() const = 0;
    // The show-grid flag of the grid settings.
    virtual BOOL IsGridShown() const = 0;
    virtual CTEDocument* GetDocument() = 0;
    // The page's host record; its parent is the owner of property windows.
    virtual HOSTINFO* GetPageRecord() = 0;
    // The host handlers of the page's record (WM_APP and WM_APP + 1).
    virtual long OnMessage(unsigned message, long parameter) = 0;
    virtual long OnLoad(unsigned message, long parameter) = 0;
};
