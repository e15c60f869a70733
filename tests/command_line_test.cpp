// The desktop programs' command line, read before any window: the views by
// name, the usage and the version, and every mistake refused with status 2
// and a message that names the valid choices.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zephlet {
namespace {

CommandLine read(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "zephlet");
    return readCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLineTest, ViewsUsageVersionAndMistakes) {
    const struct {
        std::vector<const char*> arguments;
        bool play;
        StereoView view;
        int status;
        std::vector<const char*> said;  // each somewhere in the text
    } cases[] = {
        {{}, true, StereoView::kParallel, 0, {}},
        {{"--view", "parallel"}, true, StereoView::kParallel, 0, {}},
        {{"--view", "crossed"}, true, StereoView::kCrossed, 0, {}},
        {{"--view", "red-cyan"}, true, StereoView::kRedCyan, 0, {}},
        {{"--view=red-cyan"}, true, StereoView::kRedCyan, 0, {}},
        // The usage names every view and says how to look at it.
        {{"--help"},
         false,
         StereoView::kParallel,
         0,
         {"usage: zephlet [--view parallel|crossed|red-cyan] [--help] [--version]\n",
          "--view parallel", "through the screen", "--view crossed", "cross your eyes",
          "--view red-cyan", "red over the left eye", "--help", "--version"}},
        {{"--view", "crossed", "--help"}, false, StereoView::kParallel, 0, {"usage:"}},
        {{"--version"}, false, StereoView::kParallel, 0, {"Zephlet " ZEPHLET_VERSION "\n"}},
        // Mistakes: the first one met is the one reported.
        {{"--view", "anaglyph"},
         false,
         StereoView::kParallel,
         kCommandLineMistake,
         {"zephlet: unknown view 'anaglyph': the views are parallel, crossed, red-cyan\n",
          "usage: zephlet [--view parallel|crossed|red-cyan] [--help] [--version]\n"}},
        {{"--view", "Crossed"},
         false,
         StereoView::kParallel,
         kCommandLineMistake,
         {"unknown view 'Crossed'"}},
        {{"--view="}, false, StereoView::kParallel, kCommandLineMistake, {"unknown view ''"}},
        {{"--view"},
         false,
         StereoView::kParallel,
         kCommandLineMistake,
         {"zephlet: --view needs a view: the views are parallel, crossed, red-cyan\n"}},
        {{"--view", "--help"},
         false,
         StereoView::kParallel,
         kCommandLineMistake,
         {"unknown view '--help'"}},
        // One of two views would be ignored without a word.
        {{"--view", "crossed", "--view", "crossed"},
         false,
         StereoView::kParallel,
         kCommandLineMistake,
         {"--view is given more than once; choose one: the views are parallel, crossed, "
          "red-cyan\n"}},
        {{"--view=crossed", "--view", "red-cyan"},
         false,
         StereoView::kParallel,
         kCommandLineMistake,
         {"more than once"}},
        {{"crossed"},
         false,
         StereoView::kParallel,
         kCommandLineMistake,
         {"zephlet: unknown argument 'crossed'\n", "[--view parallel|crossed|red-cyan]"}},
        {{"-h"}, false, StereoView::kParallel, kCommandLineMistake, {"unknown argument '-h'"}},
        {{"--bogus", "--help"},
         false,
         StereoView::kParallel,
         kCommandLineMistake,
         {"unknown argument '--bogus'"}},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const char* argument : c.arguments) {
            line += std::string(" ") + argument;
        }
        SCOPED_TRACE("zephlet" + line);
        const CommandLine command = read(c.arguments);
        EXPECT_EQ(command.play, c.play);
        EXPECT_EQ(command.exitStatus, c.status);
        if (c.play) {
            EXPECT_EQ(command.view, c.view);
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
