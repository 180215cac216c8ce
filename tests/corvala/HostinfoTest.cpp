// Host records: copies and the registration tree.
#include <gtest/gtest.h>

#include <cstring>

#include "Corvala.h"

TEST(Hostinfo, CopiesDeepCopyTheTextListsButNotTheRegistration)
{
    HOSTINFO root;
    HOSTINFO original;
    std::strcpy(original.m_szName, "Main");
    original.m_bModified = 1;
    original.m_StringList2.push_back(strdup("Amp1"));
    ASSERT_TRUE(a_AddHostinfo(&root, &original));

    HOSTINFO copy(original);
    EXPECT_STREQ(copy.m_szName, "Main");
    EXPECT_EQ(copy.m_bModified, 1u);
    ASSERT_EQ(copy.m_StringList2.size(), 1u);
    EXPECT_STREQ(copy.m_StringList2[0], "Amp1");
    EXPECT_NE(copy.m_StringList2[0], original.m_StringList2[0]);
    EXPECT_EQ(copy.m_pRegisteredParent, nullptr);

    HOSTINFO assigned;
    assigned.m_StringList2.push_back(strdup("replaced"));
    assigned = original;
    ASSERT_EQ(assigned.m_StringList2.size(), 1u);
    EXPECT_STREQ(assigned.m_StringList2[0], "Amp1");
    EXPECT_EQ(root.m_Children.size(), 1u);
}

TEST(Hostinfo, RegistrationBuildsATreeTheHostCanWalk)
{
    HOSTINFO root;
    root.m_hTraceWnd = reinterpret_cast<HWND>(0x77);
    HOSTINFO dialog;
    HOSTINFO page;
    HWND window = reinterpret_cast<HWND>(0x10);

    ASSERT_TRUE(a_InitializeHostinfo(window, &dialog, &root));
    EXPECT_EQ(dialog.m_hWnd, window);
    EXPECT_EQ(dialog.m_hTraceWnd, root.m_hTraceWnd);
    ASSERT_TRUE(a_AddHostinfo(&root, &dialog));
    EXPECT_TRUE(a_AddHostinfo(&root, &dialog)) << "adding twice keeps one entry";
    EXPECT_EQ(root.m_Children, std::vector<HOSTINFO*>{&dialog});

    // The page is initialised below the dialog's parent but not added.
    ASSERT_TRUE(a_InitializeHostinfo(nullptr, &page, &root));
    EXPECT_EQ(a_FindRootHostinfo(&page), &root);
    EXPECT_FALSE(a_RemoveHostinfo(&root, &page)) << "never added";

    EXPECT_FALSE(a_AddHostinfo(&dialog, &root)) << "a record below itself";
    EXPECT_TRUE(a_CleanHostinfo(&dialog));
    EXPECT_TRUE(a_RemoveHostinfo(&root, &dialog));
    EXPECT_TRUE(root.m_Children.empty());
    EXPECT_FALSE(a_InitializeHostinfo(window, nullptr, &root));
    EXPECT_FALSE(a_AddHostinfo(nullptr, &dialog));
}

TEST(Hostinfo, BrokenTreesNeitherDangleNorHang)
{
    HOSTINFO root;
    auto* child = new HOSTINFO;
    auto* grandChild = new HOSTINFO;
    ASSERT_TRUE(a_AddHostinfo(&root, child));
    ASSERT_TRUE(a_AddHostinfo(child, grandChild));
    delete child;
    EXPECT_TRUE(root.m_Children.empty());
    EXPECT_EQ(grandChild->m_pRegisteredParent, nullptr);
    delete grandChild;

    HOSTINFO a;
    HOSTINFO b;
    a.m_pParent = &b;
    b.m_pParent = &a;
    EXPECT_EQ(a_FindRootHostinfo(&a), nullptr);
}
