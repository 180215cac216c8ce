// Run-time classes, dynamic creation and the framework's exceptions.
#include <gtest/gtest.h>

#include <memory>

#include "afxwin.h"

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
public:
    int m_nRadius = 7;
};

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CCircle, CShape)

TEST(RuntimeClass, CreatesObjectsOfTheNamedClass)
{
    CRuntimeClass* pClass = RUNTIME_CLASS(CCircle);
    EXPECT_STREQ(pClass->m_lpszClassName, "CCircle");
    EXPECT_EQ(pClass->m_nObjectSize, (int)sizeof(CCircle));
    EXPECT_EQ(pClass->m_pBaseClass, RUNTIME_CLASS(CShape));

    std::unique_ptr<CObject> object(pClass->CreateObject());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetRuntimeClass(), pClass);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    CCircle* circle = DYNAMIC_DOWNCAST(CCircle, object.get());
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->m_nRadius, 7);
}

TEST(RuntimeClass, ClassesWithoutDynamicCreationGiveNull)
{
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CDialog)->CreateObject(), nullptr);
    CShape shape;
    EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, &shape), nullptr);
}

TEST(RuntimeClass, FrameworkWindowsAreCreatableAndKnowTheirBases)
{
    std::unique_ptr<CObject> frame(RUNTIME_CLASS(CFrameWnd)->CreateObject());
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_TRUE(RUNTIME_CLASS(CScrollView)->IsDerivedFrom(RUNTIME_CLASS(CView)));
    EXPECT_FALSE(RUNTIME_CLASS(CView)->IsDerivedFrom(RUNTIME_CLASS(CScrollView)));
}

TEST(Exceptions, AreThrownAsPointersOfTheirClass)
{
    struct Case {
        void (*raise)();
        CRuntimeClass* expected;
    } cases[] = {
        {AfxThrowMemoryException, RUNTIME_CLASS(CMemoryException)},
        {AfxThrowInvalidArgException, RUNTIME_CLASS(CInvalidArgException)},
        {AfxThrowResourceException, RUNTIME_CLASS(CResourceException)},
        {AfxThrowNotSupportedException, RUNTIME_CLASS(CNotSupportedException)},
    };
    for (const Case& c : cases) {
        CRuntimeClass* caught = nullptr;
        try {
            c.raise();
        } catch (CException* e) {
            caught = e->GetRuntimeClass();
            e->Delete();  // the shared exceptions survive this
        }
        EXPECT_EQ(caught, c.expected);
    }
    // Raising again after Delete still works: the object was not freed.
    EXPECT_THROW(AfxThrowMemoryException(), CMemoryException*);
}

TEST(Exceptions, HeapExceptionsAreFreedByDelete)
{
    try {
        throw new CResourceException;
    } catch (CException* e) {
        EXPECT_TRUE(e->m_bAutoDelete);
        e->Delete();  // the leak checker would report it otherwise
    }
}

}  // namespace
