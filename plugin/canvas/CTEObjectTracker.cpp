#include "canvas/CTEObjectTracker.h"

#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"

CTEObjectTracker::~CTEObjectTracker() = default;

long CTEObjectTracker::OnDeleteLine(CLineItem* pLine)
{
    return m_pDocument != nullptr ? m_pDocument->DeleteLine(pLine) : 0;
}

long CTEObjectTracker::OnDeleteObject(CTrackObject* pObject)
{
    return m_pDocument != nullptr ? m_pDocument->DeleteBlock(pObject) : 0;
}

long CTEObjectTracker::OnLineChanged(CLineItem* pLine)
{
    return m_pDocument != nullptr ? m_pDocument->ConnectLine(pLine) : 0;
}

long CTEObjectTracker::OnConnectLine(CTrackObject* pSource, CTrackObject* pTarget, CLineItem* pLine)
{
    return m_pDocument != nullptr ? m_pDocument->ConnectLineTo(pSource, pTarget, pLine) : 0;
}

long CTEObjectTracker::OnNewLineName(const char*, int)
{
    return 0;
}

// The page knows how the canvas is scrolled; without one the view is asked
// directly.
long CTEObjectTracker::InvalidateCanvasRect(RECT* rect, BOOL bErase)
{
    if (m_pDocument != nullptr && m_pDocument->m_pPage != nullptr)
        m_pDocument->m_pPage->InvalidateCanvasRect(rect, bErase);
    else
        InvalidateInView(*rect, bErase);
    return 1;
}
