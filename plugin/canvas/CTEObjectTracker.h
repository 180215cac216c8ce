// The object tracker of the task-engine page: its hooks reach the document,
// which mirrors every accepted change on the device, and its invalidation
// goes through the page that shows the document (or straight to the view
// when there is no page).
#pragma once

#include "canvas/CObjectTracker.h"

class CTEDocument;

class CTEObjectTracker : public CObjectTracker {
public:
    CTEObjectTracker() = default;
    ~CTEObjectTracker() override;

    void SetDocument(CTEDocument* pDocument) { m_pDocument = pDocument; }

    // The first four answer 0 without a document.
    long OnDeleteLine(CLineItem* pLine) override;
    long OnDeleteObject(CTrackObject* pObject) override;
    long OnLineChanged(CLineItem* pLine) override;
    long OnConnectLine(CTrackObject* pSource, CTrackObject* pTarget, CLineItem* pLine) override;
    long OnNewLineName(const char* pszName, int nReserved) override;
    // 1: the rectangle is invalidated on the canvas.
    long InvalidateCanvasRect(RECT* rect, BOOL bErase) override;

    CTEDocument* m_pDocument = nullptr;
};
