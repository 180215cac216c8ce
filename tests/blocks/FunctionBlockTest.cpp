// Function blocks: operator names looked up exactly in the operator table,
// "SWITCH" for any other name, and heights that fit the input pins.
#include <gtest/gtest.h>

#include "BlockTestSupport.h"
#include "blocks/CTEProcFUNC.h"

namespace {

using FunctionBlockTest = BlockTest;

TEST_F(FunctionBlockTest, OperatorsAreLookedUpExactly)
{
    auto* pPlus = Make<CTEProcFUNC>(0, 0, &m_Document, 2, "PLUS", nullptr);
    EXPECT_STREQ(pPlus->m_szOperator, "PLUS");
    EXPECT_STREQ(pPlus->m_szText, "+");
    EXPECT_FALSE(pPlus->m_bNotFound);
    EXPECT_STREQ(Make<CTEProcFUNC>(0, 0, &m_Document, 2, "VID", nullptr)->m_szText, "div");
    EXPECT_STREQ(Make<CTEProcFUNC>(0, 0, &m_Document, 2, "DIV", nullptr)->m_szText, "/");
    EXPECT_STREQ(Make<CTEProcFUNC>(0, 0, &m_Document, 2, "NOTEQUAL", nullptr)->m_szText, "!=");

    for (const char* pszName : {"SWITCH", "plus", "PLUS ", "", "GREATER_OR"}) {
        auto* pSwitch = Make<CTEProcFUNC>(0, 0, &m_Document, 3, pszName, nullptr);
        EXPECT_STREQ(pSwitch->m_szOperator, "SWITCH") << pszName;
        EXPECT_STREQ(pSwitch->m_szText, "") << pszName;
    }
    EXPECT_EQ(FindTEOperator(nullptr), nullptr);
}

TEST_F(FunctionBlockTest, HeightsFitTheInputs)
{
    struct Case {
        int nInputs;
        int nHeight;
    };
    for (Case c : {Case{0, 20}, Case{1, 20}, Case{2, 30}, Case{4, 50}}) {
        auto* pFunc = Make<CTEProcFUNC>(10, 10, &m_Document, c.nInputs, "AND", nullptr);
        EXPECT_EQ(pFunc->m_rcPos, CRect(10, 10, 70, 10 + c.nHeight)) << c.nInputs;
        EXPECT_EQ(pFunc->m_nInputs, static_cast<UINT>(c.nInputs));
        EXPECT_EQ(pFunc->m_nOutputs, 1u);
        EXPECT_EQ(pFunc->m_sizeLimit, CSize(60, 25));
    }
    EXPECT_EQ(Make<CTEProcFUNC>(0, 0, &m_Document, 0, "AND", nullptr)->m_pInputs, nullptr);

    // A count no block can have is refused, not built.
    for (int nInputs : {-1, static_cast<int>(TRACK_MAX_PINS) + 1}) {
        try {
            CTEProcFUNC func(0, 0, &m_Document, nInputs, "AND", nullptr);
            ADD_FAILURE() << nInputs << " inputs were accepted";
        } catch (CException* e) {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
            e->Delete();
        }
    }
}

}  // namespace
