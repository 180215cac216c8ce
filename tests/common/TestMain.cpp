// Entry point of every test executable. CTest cannot hand a list of
// environment variables to discovered GoogleTest cases, so the test
// environment is settled here, before any test runs: headless display,
// the source and build folders, and a host folder of the tests' own.
#include <gtest/gtest.h>

#include <cstdlib>

extern "C" const char* __asan_default_options()
{
    return "detect_leaks=1";
}

extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

namespace {

void SetDefault(const char* name, const char* value)
{
    setenv(name, value, 0);  // a value from the caller's environment wins
}

}  // namespace

int main(int argc, char** argv)
{
    SetDefault("OVINTA_DISPLAY", "headless");
    SetDefault("OVINTA_SOURCE_DIR", OVINTA_TEST_SOURCE_DIR);
    SetDefault("OVINTA_BINARY_DIR", OVINTA_TEST_BINARY_DIR);
    SetDefault("OVINTA_HOST_FOLDER", OVINTA_TEST_HOST_FOLDER);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
