// The framework's exceptions. The framework throws shared static objects
// (as natively), so raising one never allocates and Delete() on them does
// nothing; exceptions created with new by callers are freed by Delete().
#include "afx.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

namespace {
CMemoryException simpleMemoryException(FALSE);
CInvalidArgException simpleInvalidArgException(FALSE);
CResourceException simpleResourceException(FALSE);
CNotSupportedException simpleNotSupportedException(FALSE);
}  // namespace

void AfxThrowMemoryException() { throw &simpleMemoryException; }
void AfxThrowInvalidArgException() { throw &simpleInvalidArgException; }
void AfxThrowResourceException() { throw &simpleResourceException; }
void AfxThrowNotSupportedException() { throw &simpleNotSupportedException; }
