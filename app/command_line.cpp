#include "app/command_line.h"

#include <cstdio>
#include <string_view>

namespace zephlet {

namespace {

// How to look at each view, in the usage.
const char* howToLook(StereoView view) {
    switch (view) {
        case StereoView::kParallel:
            return "the two views side by side (the default): look\n"
                   "through the screen as if at something far behind\n"
                   "it, until the views drift together into a third\n"
                   "picture between them";
        case StereoView::kCrossed:
            return "the two views change places: cross your eyes until\n"
                   "a third picture forms between the two";
        case StereoView::kRedCyan:
            return "one picture for red-cyan glasses, red over the left eye";
    }
    return "";
}

// An option of the usage, its description in a column of its own.
std::string optionLine(std::string option, std::string_view description) {
    constexpr std::size_t kColumn = 20;
    option.resize(kColumn, ' ');
    for (const char c : description) {
        option += c;
        if (c == '\n') {
            option.append(kColumn, ' ');
        }
    }
    return option + "\n";
}

std::string usageLine() {
    return "usage: zephlet [--view " + stereoViewNames("|") + "] [--help] [--version]\n";
}

std::string usage() {
    std::string text = usageLine() + "Steer the craft through falling obstacles, seen in depth.\n";
    for (const StereoViewName& entry : kStereoViewNames) {
        text += optionLine("  --view " + std::string(entry.name), howToLook(entry.view));
    }
    return text + optionLine("  --help", "show this and exit") +
           optionLine("  --version", "show the name and version and exit") +
           "The arrow keys steer: left and right change lane, up and down altitude.\n";
}

CommandLine mistake(const std::string& what) {
    return {false, StereoView::kParallel, kCommandLineMistake,
            "zephlet: " + what + "\n" + usageLine()};
}

std::string viewChoices() {
    return "the views are " + stereoViewNames(", ");
}

}  // namespace

CommandLine readCommandLine(int argc, const char* const* argv) {
    CommandLine command;
    bool viewGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            return {false, StereoView::kParallel, 0, usage()};
        }
        if (argument == "--version") {
            return {false, StereoView::kParallel, 0,
                    std::string(kGameName) + " " + ZEPHLET_VERSION + "\n"};
        }
        constexpr std::string_view kViewIs = "--view=";
        std::string_view name;
        if (argument == "--view") {
            if (i + 1 == argc) {
                return mistake("--view needs a view: " + viewChoices());
            }
            name = argv[++i];
        } else if (argument.starts_with(kViewIs)) {
            name = argument.substr(kViewIs.size());
        } else {
            return mistake("unknown argument '" + std::string(argument) + "'");
        }
        // Twice would leave one of the two ignored without a word.
        if (viewGiven) {
            return mistake("--view is given more than once; choose one: " + viewChoices());
        }
        const std::optional<StereoView> view = stereoViewNamed(name);
        if (!view) {
            return mistake("unknown view '" + std::string(name) + "': " + viewChoices());
        }
        command.view = *view;
        viewGiven = true;
    }
    return command;
}

int printCommandLineAnswer(const CommandLine& command) {
    std::FILE* stream = command.exitStatus == 0 ? stdout : stderr;
    std::fputs(command.text.c_str(), stream);
    std::fflush(stream);
    return command.exitStatus;
}

}  // namespace zephlet
