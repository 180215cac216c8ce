// Host records: default handlers, copies and the registration tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "Corvala.h"

namespace {

char* Dup(const char* text)
{
    return strdup(text);
}

}  // namespace

TEST(Hostinfo, DefaultsAnswerZero)
{
    HOSTINFO record;
    EXPECT_EQ(record.HasHostinfoTable(), FALSE);
    EXPECT_EQ(record.GetHostinfoTable(), 0);
    EXPECT_EQ(record.OnLoad(0, 0), 0);
    EXPECT_EQ(record.OnMessage(0, 0), 0);
    EXPECT_EQ(record.OnTimer(0, 0), 0);
    EXPECT_EQ(record.OnGet("x", static_cast<int*>(nullptr)), 0);
    EXPECT_EQ(record.OnIPAddressChanged("10.0.0.1"), 0);
    EXPECT_EQ(record.m_bModified, 0u);
    EXPECT_EQ(record.m_szName[0], '\0');
}

TEST(Hostinfo, CopiesDeepCopyTheTextListsButNotTheRegistration)
{
    HOSTINFO root;
    HOSTINFO original;
    std::strcpy(original.m_szName, "Main");
    original.m_bModified = 1;
    original.m_StringList.push_back(Dup("first"));
    original.m_StringList2.push_back(Dup("Amp1"));
    ASSERT_TRUE(a_AddHostinfo(&root, &original));

    HOSTINFO copy(original);
    EXPECT_STREQ(copy.m_szName, "Main");
    EXPECT_EQ(copy.m_bModified, 1u);
    ASSERT_EQ(copy.m_StringList2.size(), 1u);
    EXPECT_STREQ(copy.m_StringList2[0], "Amp1");
    EXPECT_NE(copy.m_StringList2[0], original.m_StringList2[0]);
    EXPECT_EQ(copy.m_pRegisteredParent, nullptr);
    EXPECT_EQ(root.m_Children.size(), 1u);

    HOSTINFO assigned;
    assigned.m_StringList.push_back(Dup("replaced"));
    assigned = original;
    ASSERT_EQ(assigned.m_StringList.size(), 1u);
    EXPECT_STREQ(assigned.m_StringList[0], "first");
    assigned = assigned;
    EXPECT_STREQ(assigned.m_StringList[0], "first");
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
    EXPECT_EQ(dialog.m_pParent, &root);
    EXPECT_EQ(dialog.m_hTraceWnd, root.m_hTraceWnd);
    ASSERT_TRUE(a_AddHostinfo(&root, &dialog));
    EXPECT_TRUE(a_AddHostinfo(&root, &dialog)) << "adding twice keeps one entry";
    EXPECT_EQ(root.m_Children, std::vector<HOSTINFO*>{&dialog});

    // The page is initialised below the dialog's parent but not added.
    ASSERT_TRUE(a_InitializeHostinfo(nullptr, &page, &root));
    EXPECT_EQ(a_FindRootHostinfo(&page), &root);
    EXPECT_EQ(a_FindRootHostinfo(&dialog), &root);
    EXPECT_EQ(a_FindRootHostinfo(&root), &root);

    EXPECT_FALSE(a_AddHostinfo(&dialog, &root)) << "a record below itself";
    EXPECT_FALSE(a_AddHostinfo(&dialog, &dialog));
    EXPECT_FALSE(a_RemoveHostinfo(&root, &page)) << "never added";
    EXPECT_TRUE(a_CleanHostinfo(&dialog));
    EXPECT_TRUE(a_RemoveHostinfo(&root, &dialog));
    EXPECT_TRUE(root.m_Children.empty());
    EXPECT_FALSE(a_RemoveHostinfo(&root, &dialog));

    EXPECT_FALSE(a_InitializeHostinfo(window, nullptr, &root));
    EXPECT_FALSE(a_AddHostinfo(nullptr, &dialog));
    EXPECT_EQ(a_FindRootHostinfo(nullptr), nullptr);
}

TEST(Hostinfo, RecordsDestroyedWhileRegisteredLeaveTheTree)
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
}

TEST(Hostinfo, LoopingParentLinksDoNotHangTheRootSearch)
{
    HOSTINFO a;
    HOSTINFO b;
    a.m_pParent = &b;
    b.m_pParent = &a;
    EXPECT_EQ(a_FindRootHostinfo(&a), nullptr);
}
