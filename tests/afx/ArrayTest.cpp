// CArray: order of insertion and removal, growth, and the exceptions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afxtempl.h"

namespace {

template <class T, class A>
std::vector<T> Items(const CArray<T, A>& array)
{
    return std::vector<T>(array.GetData(), array.GetData() + array.GetSize());
}

template <class Fn>
CRuntimeClass* ThrownClass(Fn fn)
{
    try {
        fn();
    } catch (CException* e) {
        CRuntimeClass* c = e->GetRuntimeClass();
        e->Delete();
        return c;
    }
    return nullptr;
}

TEST(Array, KeepsTheOrderOfInsertsAndRemovals)
{
    CArray<int, int> a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.Add(10), 0);
    EXPECT_EQ(a.Add(30), 1);
    a.InsertAt(1, 20);
    a.InsertAt(0, 5, 2);
    EXPECT_EQ(Items(a), (std::vector<int>{5, 5, 10, 20, 30}));
    EXPECT_EQ(a.GetUpperBound(), 4);

    a.RemoveAt(1, 2);
    EXPECT_EQ(Items(a), (std::vector<int>{5, 20, 30}));
    a.RemoveAt(2);
    EXPECT_EQ(Items(a), (std::vector<int>{5, 20}));

    // Inserting past the end grows the array with value-initialised elements.
    a.InsertAt(4, 9);
    EXPECT_EQ(Items(a), (std::vector<int>{5, 20, 0, 0, 9}));
    a[2] = 7;
    a.SetAt(3, 8);
    EXPECT_EQ(a.GetAt(2) + a.ElementAt(3), 15);
}

TEST(Array, BadIndexesRaiseTheInvalidArgumentExceptionAndChangeNothing)
{
    CArray<int, int> a;
    a.Add(1);
    a.Add(2);
    CRuntimeClass* invalid = RUNTIME_CLASS(CInvalidArgException);
    EXPECT_EQ(ThrownClass([&] { a.GetAt(2); }), invalid);
    EXPECT_EQ(ThrownClass([&] { a[-1] = 0; }), invalid);
    EXPECT_EQ(ThrownClass([&] { a.SetAt(5, 0); }), invalid);
    EXPECT_EQ(ThrownClass([&] { a.RemoveAt(1, 2); }), invalid);
    EXPECT_EQ(ThrownClass([&] { a.RemoveAt(-1); }), invalid);
    EXPECT_EQ(ThrownClass([&] { a.InsertAt(-1, 0); }), invalid);
    EXPECT_EQ(ThrownClass([&] { a.SetSize(-1); }), invalid);
    EXPECT_EQ(Items(a), (std::vector<int>{1, 2}));

    CArray<int, int> empty;
    EXPECT_EQ(ThrownClass([&] { empty.GetAt(0); }), invalid);
}

TEST(Array, GrowthBeyondMemoryRaisesTheMemoryException)
{
    CArray<double, double> a;
    a.Add(1.5);
    EXPECT_EQ(ThrownClass([&] { a.SetSize((INT_PTR)1 << 62); }), RUNTIME_CLASS(CMemoryException));
    ASSERT_EQ(a.GetSize(), 1);
    EXPECT_EQ(a[0], 1.5);
}

TEST(Array, OwnsConstructedElementsThroughGrowthCopiesAndRemovals)
{
    CArray<std::string, const std::string&> a;
    for (int i = 0; i < 40; i++)
        a.Add(std::string(30, (char)('a' + i % 26)));  // long enough to live on the heap
    a.InsertAt(0, a[39]);  // an element of the array itself as the argument
    EXPECT_EQ(a[0], a[40]);
    a.RemoveAt(5, 30);
    EXPECT_EQ(a.GetSize(), 11);

    CArray<std::string, const std::string&> b;
    b.Add("x");
    EXPECT_EQ(b.Append(a), 1);
    EXPECT_EQ(b.GetSize(), 12);
    EXPECT_EQ(b[1], a[0]);
    b.Copy(a);
    EXPECT_EQ(Items(b), Items(a));
    b.SetSize(3);
    b.FreeExtra();
    EXPECT_EQ(b[2], a[2]);
    b.RemoveAll();
    EXPECT_TRUE(b.IsEmpty());
}

}  // namespace
