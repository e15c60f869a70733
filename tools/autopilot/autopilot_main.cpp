// zephlet-autopilot: prints a replay script in which the game is played
// through all six levels.
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>

#include "tools/autopilot/autopilot.h"

int main(int argc, char** argv) {
    std::uint32_t seed = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            try {
                if (argv[i + 1][0] == '-') {
                    throw std::out_of_range("seed");
                }
                unsigned long value = std::stoul(argv[++i], nullptr, 0);
                if (value > 0xFFFFFFFFul) {
                    throw std::out_of_range("seed");
                }
                seed = static_cast<std::uint32_t>(value);
            } catch (const std::exception&) {
                std::cerr << "zephlet-autopilot: the seed is a number from 0 to 4294967295\n";
                return 2;
            }
        } else {
            std::cerr << "usage: zephlet-autopilot [--seed N]\n"
                         "Plays the game headless through all six levels and prints the run\n"
                         "as a script for zephlet-replay. Its last line prints the final state.\n";
            return std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
        }
    }
    zephlet::AutopilotRun run = zephlet::flyAutopilot(seed);
    std::cout << run.script;
    std::cerr << "zephlet-autopilot: " << run.frames << " frames, " << run.crashes << " crashes, "
              << (run.won ? "won" : "not won") << '\n';
    return run.won ? 0 : 1;
}
