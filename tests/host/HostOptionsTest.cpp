// The host's command line: what each option sets, and the errors a person
// gets for a command line that cannot be right.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "HostOptions.h"

namespace {

// Parses a command line given as words, program name first.
std::string Parse(std::initializer_list<const char*> words, HostOptions& options)
{
    std::vector<std::string> storage(words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& word : storage)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    return ParseHostOptions(static_cast<int>(storage.size()), argv.data(), options);
}

TEST(HostOptionsTest, LongAndShortFormsSetEveryOption)
{
    HostOptions options;
    ASSERT_EQ(Parse({"ovinta-host", "--devices=A,B@127.0.0.1:7400", "-p", "prog.teprog", "--headless",
                     "--script", "s.script", "-o", "shots", "--ticks=12", "-m", "/x/Ovinta.so",
                     "--host-folder", "/hf", "--title", "Editor", "--trace", "--print-program"},
                    options),
              "");
    EXPECT_EQ(options.devices, "A,B@127.0.0.1:7400");
    EXPECT_EQ(options.programFile, "prog.teprog");
    EXPECT_EQ(options.display, HostOptions::DisplayChoice::Headless);
    EXPECT_EQ(options.scriptFile, "s.script");
    EXPECT_EQ(options.snapshotFolder, "shots");
    EXPECT_EQ(options.ticks, 12);
    EXPECT_EQ(options.modulePath, "/x/Ovinta.so");
    EXPECT_EQ(options.hostFolder, "/hf");
    EXPECT_EQ(options.title, "Editor");
    EXPECT_TRUE(options.showTrace);
    EXPECT_TRUE(options.printProgram);
    EXPECT_FALSE(options.help);

    HostOptions defaults;
    ASSERT_EQ(Parse({"ovinta-host", "--x11", "-h"}, defaults), "");
    EXPECT_EQ(defaults.display, HostOptions::DisplayChoice::X11);
    EXPECT_TRUE(defaults.help);
    EXPECT_EQ(defaults.devices, "TE");
    EXPECT_EQ(defaults.ticks, -1);
}

TEST(HostOptionsTest, BadCommandLinesSayWhatIsWrong)
{
    struct Case {
        std::initializer_list<const char*> words;
        std::string error;
    };
    const std::string longTitle(128, 'n');
    const Case cases[] = {
        {{"ovinta-host", "--ticks=-1"}, "--ticks needs a whole number of at least 0, not '-1'"},
        {{"ovinta-host", "-t", "10x"}, "--ticks needs a whole number of at least 0, not '10x'"},
        {{"ovinta-host", "--ticks="}, "--ticks needs a whole number of at least 0, not ''"},
        {{"ovinta-host", "--ticks=99999999999999999999"},
         "--ticks needs a whole number of at least 0, not '99999999999999999999'"},
        {{"ovinta-host", "--colour"}, "unknown option '--colour'"},
        {{"ovinta-host", "-z"}, "unknown option '-z'"},
        {{"ovinta-host", "--script"}, "option '--script' needs a value"},
        {{"ovinta-host", "-d"}, "option '-d' needs a value"},
        {{"ovinta-host", "--headless", "extra"}, "unexpected argument 'extra'"},
        {{"ovinta-host", "--title", longTitle.c_str()}, "--title takes at most 127 characters"},
    };
    for (const Case& c : cases) {
        HostOptions options;
        EXPECT_EQ(Parse(c.words, options), c.error) << *(c.words.begin() + 1);
    }
    // A parse after a failed one starts afresh.
    HostOptions options;
    EXPECT_EQ(Parse({"ovinta-host", "--ticks", "3"}, options), "");
    EXPECT_EQ(options.ticks, 3);
}

}  // namespace
