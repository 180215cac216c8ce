// CView: a child window that paints through OnDraw.
#include "wnd_state.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxDefaultFrameOrViewClass();
    // A bordered view gets the sunken client edge instead of a flat border.
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return cs.lpszClass != nullptr;
}

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}
void CView::OnInitialUpdate() { Invalidate(TRUE); }

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::PostNcDestroy() { delete this; }
