// The two-editor soak: 2,000 seeded random steps in CI on one device, 1,000
// on a connection of two. The full length is run by hand:
// OVINTA_SOAK_STEPS=10000 (and OVINTA_SOAK_SEED to replay a seed a run
// printed).
#include <cstdlib>
#include <iostream>

#include "sync/TwoEditorSoak.h"

namespace {

using TwoEditorSoak = DocumentTest;

// The seed and the number of steps: from the environment, else the given.
struct SoakLength {
    SoakLength(uint32_t defaultSeed, int defaultSteps)
    {
        const char* pszSeed = std::getenv("OVINTA_SOAK_SEED");
        const char* pszSteps = std::getenv("OVINTA_SOAK_STEPS");
        seed = pszSeed != nullptr ? static_cast<uint32_t>(std::strtoul(pszSeed, nullptr, 10)) : defaultSeed;
        steps = pszSteps != nullptr ? std::atoi(pszSteps) : defaultSteps;
        std::cout << "soak seed " << seed << ", " << steps << " steps" << std::endl;
    }
    uint32_t seed;
    int steps;
};

TEST_F(TwoEditorSoak, BothEditorsAndTheDeviceAgreeAndNoChangeIsLost)
{
    SoakLength length(20261206u, 2000);
    Device().SetRequestLogging(false);
    Editor& a = NewEditor();
    Editor& b = NewEditor();
    soak::Run run(a, b, length.seed);
    EXPECT_EQ(run.Steps(length.steps), "") << "seed " << length.seed;
    std::cout << run.m_nEdits << " edits, " << run.m_nOutages << " outages, " << run.m_nQuietPoints
              << " quiet points, " << run.m_nLineChecks << " line records and " << run.m_nLinkChecks
              << " link texts checked" << std::endl;
    // The run did what it is for.
    EXPECT_GT(run.m_nQuietPoints, length.steps / 40);
    EXPECT_GT(run.m_nOutages, length.steps / 200);
    EXPECT_GT(run.m_nEdits, length.steps / 3);
    EXPECT_GT(run.m_nLineChecks, length.steps / 20);
    EXPECT_GT(run.m_nLinkChecks, length.steps / 100);
}

// Both editors on a connection of two devices; one of them, or both, fall
// silent now and then, and at every quiet point both devices hold the same
// program, also when each editor's changes missed a different device
// between two quiet points.
TEST_F(TwoEditorSoak, MirroredDevicesHoldTheSameProgramAfterEachQuietPoint)
{
    SoakLength length(20261207u, 1000);
    Device().SetRequestLogging(false);
    m_Editors.push_back(std::make_unique<Editor>(m_Root, "TE1,TE2"));
    m_Editors.push_back(std::make_unique<Editor>(m_Root, "TE1,TE2"));
    soak::Run run(*m_Editors[0], *m_Editors[1], length.seed, {"TE1", "TE2"});
    EXPECT_EQ(run.Steps(length.steps), "") << "seed " << length.seed;
    std::cout << run.m_nEdits << " edits, " << run.m_nOutages << " outages, " << run.m_nQuietPoints
              << " quiet points, " << run.m_nLinkChecks << " link texts checked" << std::endl;
    EXPECT_GT(run.m_nQuietPoints, length.steps / 40);
    EXPECT_GT(run.m_nLinkChecks, length.steps / 100);
    EXPECT_GT(run.m_nOutages, length.steps / 200);
}

}  // namespace
