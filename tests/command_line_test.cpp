// The desktop programs' command line, read before any window: the views by
// name, the usage and the version, and every mistake refused with status 2
// and a message that names the valid choices.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace zephlet {
namespace {

constexpr const char* kUsage =
    "usage: zephlet [--view parallel|crossed|red-cyan] [--help] [--version]\n";
const std::string kViews = "the views are parallel, crossed, red-cyan\n";
constexpr int kMistake = kCommandLineMistake;

// The arguments, split at blanks; a view to play in, or the exit status and
// what the text must say, each somewhere in it.
TEST(CommandLineTest, ViewsUsageVersionAndMistakes) {
    const struct {
        const char* arguments;
        std::optional<StereoView> plays;
        int status;
        std::vector<std::string> said;
    } cases[] = {
        {"", StereoView::kParallel, 0, {}},
        {"--view parallel", StereoView::kParallel, 0, {}},
        {"--view crossed", StereoView::kCrossed, 0, {}},
        {"--view red-cyan", StereoView::kRedCyan, 0, {}},
        {"--view=red-cyan", StereoView::kRedCyan, 0, {}},
        // The usage names every view and says how to look at it.
        {"--help",
         {},
         0,
         {kUsage, "--view parallel", "through the screen", "--view crossed", "cross your eyes",
          "--view red-cyan", "red over the left eye"}},
        {"--view crossed --help", {}, 0, {kUsage}},
        {"--version", {}, 0, {"Zephlet " ZEPHLET_VERSION "\n"}},
        // Mistakes: the first one met is the one reported.
        {"--view anaglyph", {}, kMistake, {"zephlet: unknown view 'anaglyph': " + kViews, kUsage}},
        {"--view Crossed", {}, kMistake, {"unknown view 'Crossed'"}},
        {"--view=", {}, kMistake, {"unknown view ''"}},
        {"--view", {}, kMistake, {"zephlet: --view needs a view: " + kViews}},
        {"--view --help", {}, kMistake, {"unknown view '--help'"}},
        // One of two views would be ignored without a word.
        {"--view crossed --view=crossed",
         {},
         kMistake,
         {"--view is given more than once; choose one: " + kViews}},
        {"crossed", {}, kMistake, {"zephlet: unknown argument 'crossed'\n", kUsage}},
        {"--bogus --help", {}, kMistake, {"unknown argument '--bogus'"}},
    };
    for (const auto& c : cases) {
        std::istringstream words(c.arguments);
        std::vector<std::string> arguments{"zephlet"};
        for (std::string word; words >> word;) {
            arguments.push_back(word);
        }
        std::vector<const char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(argument.c_str());
        }
        const CommandLine command = readCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(command.play ? std::optional(command.view) : std::nullopt, c.plays)
            << c.arguments;
        EXPECT_EQ(command.exitStatus, c.status) << c.arguments;
        EXPECT_TRUE(!command.play || command.text.empty()) << c.arguments;
        for (const std::string& said : c.said) {
            EXPECT_NE(command.text.find(said), std::string::npos) << said << " in\n"
                                                                  << command.text;
        }
    }
}

}  // namespace
}  // namespace zephlet
