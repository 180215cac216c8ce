// The two-editor soak: 2,000 seeded random steps in CI. The full length is
// run by hand: OVINTA_SOAK_STEPS=10000 (and OVINTA_SOAK_SEED to replay a
// seed a run printed).
#include <cstdlib>
#include <iostream>

#include "sync/TwoEditorSoak.h"

namespace {

using TwoEditorSoak = DocumentTest;

TEST_F(TwoEditorSoak, BothEditorsAndTheDeviceAgreeAndNoChangeIsLost)
{
    const char* pszSeed = std::getenv("OVINTA_SOAK_SEED");
    const char* pszSteps = std::getenv("OVINTA_SOAK_STEPS");
    uint32_t seed = pszSeed != nullptr ? static_cast<uint32_t>(std::strtoul(pszSeed, nullptr, 10)) : 20261206u;
    int steps = pszSteps != nullptr ? std::atoi(pszSteps) : 2000;
    std::cout << "soak seed " << seed << ", " << steps << " steps" << std::endl;
    Device().SetRequestLogging(false);
    Editor& a = NewEditor();
    Editor& b = NewEditor();
    soak::Run run(a, b, seed);
    EXPECT_EQ(run.Steps(steps), "") << "seed " << seed;
    std::cout << run.m_nEdits << " edits, " << run.m_nOutages << " outages, " << run.m_nQuietPoints
              << " quiet points, " << run.m_nLineChecks << " line records checked" << std::endl;
    // The run did what it is for.
    EXPECT_GT(run.m_nQuietPoints, steps / 40);
    EXPECT_GT(run.m_nOutages, steps / 200);
    EXPECT_GT(run.m_nEdits, steps / 3);
    EXPECT_GT(run.m_nLineChecks, steps / 20);
}

}  // namespace
