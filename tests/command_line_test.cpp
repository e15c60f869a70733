// The desktop programs' command line, read before any window: the views by
// name, the usage and the version, and every mistake refused with status 2
// and a message that names the valid choices.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace zephlet {
namespace {

constexpr const char* kUsage =
    "usage: zephlet [--view parallel|crossed|red-cyan] [--help] [--version]\n";
const std::string kViews = "the views are parallel, crossed, red-cyan\n";

// The arguments, split at blanks; the view played in, or the exit status,
// and what the text must say, each somewhere in it.
TEST(CommandLineTest, ViewsUsageVersionAndMistakes) {
    const std::tuple<const char*, std::string, std::vector<std::string>> cases[] = {
        {"", "parallel", {}},
        {"--view parallel", "parallel", {}},
        {"--view crossed", "crossed", {}},
        {"--view red-cyan", "red-cyan", {}},
        {"--view=red-cyan", "red-cyan", {}},
        // The usage names every view and says how to look at it.
        {"--help",
         "0",
         {kUsage, "--view parallel", "through the screen", "--view crossed", "cross your eyes",
          "--view red-cyan", "red over the left eye"}},
        {"--view crossed --help", "0", {kUsage}},
        {"--version", "0", {"Zephlet " ZEPHLET_VERSION "\n"}},
        // Mistakes: the first one met is the one reported.
        {"--view anaglyph", "2", {"zephlet: unknown view 'anaglyph': " + kViews, kUsage}},
        {"--view Crossed", "2", {"unknown view 'Crossed'"}},
        {"--view=", "2", {"unknown view ''"}},
        {"--view", "2", {"zephlet: --view needs a view: " + kViews}},
        {"--view --help", "2", {"unknown view '--help'"}},
        // One of two views would be ignored without a word.
        {"--view crossed --view=crossed",
         "2",
         {"--view is given more than once; choose one: " + kViews}},
        {"crossed", "2", {"zephlet: unknown argument 'crossed'\n", kUsage}},
        {"--bogus --help", "2", {"unknown argument '--bogus'"}},
    };
    for (const auto& [line, outcome, said] : cases) {
        std::istringstream words(line);
        std::vector<std::string> arguments{"zephlet"};
        for (std::string word; words >> word;) {
            arguments.push_back(word);
        }
        std::vector<const char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(argument.c_str());
        }
        const CommandLine command = readCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(command.play ? std::string(stereoViewName(command.view))
                               : std::to_string(command.exitStatus),
                  outcome)
            << line;
        EXPECT_TRUE(!command.play || (command.exitStatus == 0 && command.text.empty())) << line;
        for (const std::string& text : said) {
            EXPECT_NE(command.text.find(text), std::string::npos) << text << " in\n"
                                                                  << command.text;
        }
    }
}

}  // namespace
}  // namespace zephlet
