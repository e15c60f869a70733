#include "tools/replay/replay_script.h"

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "game/caption_rule.h"
#include "game/game_state.h"
#include "game/level_scripts.h"
#include "game/player_controls.h"
#include "render/client_area.h"
#include "render/stereo_view.h"

namespace zephlet {

const std::string kReplayUsage =
    "usage: zephlet-replay [--trace] < script\n"
    "Plays a script against the game, headless, one command a line:\n"
    "  seed N       seed the random source (0 to 4294967295; 1 before any seed)\n"
    "  frame [K]    run K frames (default 1): one tick, then the caption's rule for won\n"
    "  down CODE    key pressed, virtual-key code (decimal or 0x hex; arrows 0x25-0x28)\n"
    "  up CODE      key released\n"
    "  advance      end the current level at once\n"
    "  print        print the state line\n"
    "  client W H   client area for shots (default " +
    std::to_string(kWindowWidth) + " x " + std::to_string(kWindowHeight) +
    ", the window's size)\n"
    "  view NAME    the window's view for shots: " +
    stereoViewNames(", ") +
    "\n"
    "               (default parallel)\n"
    "  shot FILE    write what the window shows of the current state, in the view, as PNG;\n"
    "               the game does not advance\n"
    "  empty lines and lines starting with # are ignored\n"
    "State line: level=L tick=T crashed=C timer=R won=W lane=N alt=A scroll=S\n"
    "            obstacles=altitude,y,lane,kind;... (oldest first)\n"
    "--trace prints the state line after every frame as well.\n"
    "A line that cannot be read stops the run with a message and exit status 2.\n";

namespace {

constexpr std::uint32_t kMaxClientSide = 8192;

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
            ++i;
        }
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

// Decimal, or hexadecimal after 0x; anything else, or a value beyond 32
// bits, is no number.
std::optional<std::uint32_t> parseNumber(std::string_view text) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > UINT32_MAX) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

struct Replay {
    std::ostream& out;
    const ReplayOptions& options;
    int clientWidth = kWindowWidth;
    int clientHeight = kWindowHeight;

    void runFrames(std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i) {
            advanceFrame();
            if (options.trace) {
                out << stateLine() << '\n';
            }
        }
    }

    // Returns the reason a line cannot be read, or nothing when it ran.
    std::optional<std::string> run(const std::vector<std::string_view>& words) {
        const std::string_view command = words[0];
        const std::size_t argCount = words.size() - 1;
        auto needArgs = [&](std::size_t wanted) -> std::optional<std::string> {
            if (argCount < wanted) {
                return "missing number";
            }
            if (argCount > wanted) {
                return "extra words";
            }
            return std::nullopt;
        };
        auto number = [&](std::size_t index, std::uint32_t low,
                          std::uint32_t high) -> std::optional<std::uint32_t> {
            std::optional<std::uint32_t> value = parseNumber(words[index]);
            if (!value || *value < low || *value > high) {
                return std::nullopt;
            }
            return value;
        };
        const std::string badNumber = "bad or out-of-range number";

        if (command == "seed" || command == "down" || command == "up") {
            if (auto problem = needArgs(1)) {
                return problem;
            }
            std::optional<std::uint32_t> value = number(1, 0, UINT32_MAX);
            if (!value) {
                return badNumber;
            }
            if (command == "seed") {
                srand(*value);
            } else if (command == "down") {
                pressKey(*value);
            } else {
                releaseKey(*value);
            }
            return std::nullopt;
        }
        if (command == "frame") {
            if (argCount > 1) {
                return "extra words";
            }
            std::uint32_t count = 1;
            if (argCount == 1) {
                std::optional<std::uint32_t> value = number(1, 1, UINT32_MAX);
                if (!value) {
                    return badNumber;
                }
                count = *value;
            }
            runFrames(count);
            return std::nullopt;
        }
        if (command == "advance" || command == "print") {
            if (argCount != 0) {
                return "extra words";
            }
            if (command == "advance") {
                advanceLevel();
            } else {
                out << stateLine() << '\n';
            }
            return std::nullopt;
        }
        if (command == "client") {
            if (auto problem = needArgs(2)) {
                return problem;
            }
            std::optional<std::uint32_t> width = number(1, 1, kMaxClientSide);
            std::optional<std::uint32_t> height = number(2, 1, kMaxClientSide);
            if (!width || !height) {
                return badNumber + " (client sides are 1 to 8192)";
            }
            clientWidth = static_cast<int>(*width);
            clientHeight = static_cast<int>(*height);
            return std::nullopt;
        }
        if (command == "view") {
            if (argCount != 1) {
                return argCount == 0 ? "missing view name" : "extra words";
            }
            std::optional<StereoView> view = stereoViewNamed(words[1]);
            if (!view) {
                return "unknown view (the views are " + stereoViewNames(", ") + ")";
            }
            stereoView = *view;
            return std::nullopt;
        }
        if (command == "shot") {
            if (argCount != 1) {
                return argCount == 0 ? "missing file name" : "extra words";
            }
            if (!options.writeShot) {
                return "this build cannot draw";
            }
            out.flush();
            std::string failure =
                options.writeShot(clientWidth, clientHeight, std::string(words[1]));
            if (!failure.empty()) {
                return "cannot write the shot: " + failure;
            }
            return std::nullopt;
        }
        return "unknown command";
    }
};

}  // namespace

std::string stateLine() {
    const GameState& s = gameState;
    std::string line;
    line.reserve(128 + s.obstacles.size() * 16);
    line += "level=" + std::to_string(s.levelIndex);
    line += " tick=" + std::to_string(s.levelTick);
    line += " crashed=" + std::to_string(s.crashed ? 1 : 0);
    line += " timer=" + std::to_string(s.crashTimer);
    line += " won=" + std::to_string(s.won ? 1 : 0);
    line += " lane=" + std::to_string(s.playerLane);
    line += " alt=" + std::to_string(s.playerAltitude);
    line += " scroll=" + std::to_string(s.scrollOffset);
    line += " obstacles=";
    bool first = true;
    for (const Obstacle& o : s.obstacles) {
        if (!first) {
            line += ';';
        }
        first = false;
        line += std::to_string(o.altitude) + ',' + std::to_string(o.y) + ',' +
                std::to_string(o.lane) + ',' + std::to_string(o.kind);
    }
    return line;
}

int runReplay(std::istream& in, std::ostream& out, std::ostream& err,
              const ReplayOptions& options) {
    Replay replay{out, options};
    std::string line;
    std::uint64_t lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        std::string_view text = line;
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);  // scripts written on Windows
        }
        std::vector<std::string_view> words = splitWords(text);
        if (words.empty() || words[0].front() == '#') {
            continue;
        }
        if (std::optional<std::string> problem = replay.run(words)) {
            out.flush();
            err << "zephlet-replay: line " << lineNumber << ": " << *problem << ": " << text
                << '\n';
            return kReplayBadLine;
        }
        if (!out) {
            break;
        }
    }
    out.flush();
    if (!out) {
        err << "zephlet-replay: cannot write the output\n";
        return kReplayOutputFailed;
    }
    return 0;
}

}  // namespace zephlet
