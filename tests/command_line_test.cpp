// The desktop programs' command line, read before any window: the views by
// name, the usage and the version, and every mistake refused with status 2
// and a message that names the valid choices.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zephlet {
namespace {

CommandLine read(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "zephlet");
    return readCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

constexpr const char* kUsage =
    "usage: zephlet [--view parallel|crossed|red-cyan] [--help] [--version]\n";
constexpr int kMistake = kCommandLineMistake;

// A view to play in, or the exit status and what the text must say, each
// somewhere in it.
TEST(CommandLineTest, ViewsUsageVersionAndMistakes) {
    const struct {
        std::vector<const char*> arguments;
        std::optional<StereoView> plays;
        int status;
        std::vector<const char*> said;
    } cases[] = {
        {{}, StereoView::kParallel, 0, {}},
        {{"--view", "parallel"}, StereoView::kParallel, 0, {}},
        {{"--view", "crossed"}, StereoView::kCrossed, 0, {}},
        {{"--view", "red-cyan"}, StereoView::kRedCyan, 0, {}},
        {{"--view=red-cyan"}, StereoView::kRedCyan, 0, {}},
        // The usage names every view and says how to look at it.
        {{"--help"},
         {},
         0,
         {kUsage, "--view parallel", "through the screen", "--view crossed", "cross your eyes",
          "--view red-cyan", "red over the left eye"}},
        {{"--view", "crossed", "--help"}, {}, 0, {kUsage}},
        {{"--version"}, {}, 0, {"Zephlet " ZEPHLET_VERSION "\n"}},
        // Mistakes: the first one met is the one reported.
        {{"--view", "anaglyph"},
         {},
         kMistake,
         {"zephlet: unknown view 'anaglyph': the views are parallel, crossed, red-cyan\n", kUsage}},
        {{"--view", "Crossed"}, {}, kMistake, {"unknown view 'Crossed'"}},
        {{"--view="}, {}, kMistake, {"unknown view ''"}},
        {{"--view"},
         {},
         kMistake,
         {"zephlet: --view needs a view: the views are parallel, crossed, red-cyan\n"}},
        {{"--view", "--help"}, {}, kMistake, {"unknown view '--help'"}},
        // One of two views would be ignored without a word.
        {{"--view", "crossed", "--view=crossed"},
         {},
         kMistake,
         {"--view is given more than once; choose one: the views are parallel, crossed, "
          "red-cyan\n"}},
        {{"crossed"}, {}, kMistake, {"zephlet: unknown argument 'crossed'\n", kUsage}},
        {{"--bogus", "--help"}, {}, kMistake, {"unknown argument '--bogus'"}},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const char* argument : c.arguments) {
            line += std::string(" ") + argument;
        }
        SCOPED_TRACE("zephlet" + line);
        const CommandLine command = read(c.arguments);
        EXPECT_EQ(command.play, c.plays.has_value());
        EXPECT_EQ(command.exitStatus, c.status);
        if (c.plays) {
            EXPECT_EQ(command.view, *c.plays);
            EXPECT_EQ(command.text, "");
        }
        for (const char* said : c.said) {
            EXPECT_NE(command.text.find(said), std::string::npos) << said << " in\n"
                                                                  << command.text;
        }
    }
}

}  // namespace
}  // namespace zephlet
