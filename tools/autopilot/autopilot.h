// A headless player: flies the real simulation through all six levels and
// writes what it did as a replay script.
#pragma once

#include <cstdint>
#include <string>

namespace zephlet {

struct AutopilotRun {
    std::string script;  // replay script: seed, frames and keys, ending in print
    std::uint64_t frames = 0;
    int crashes = 0;
    bool won = false;
};

// Plays from program start with the given seed (seeded after the first
// frame, as the game does) until the cruise has run cruiseFrames frames, or
// until frameLimit frames have passed.
AutopilotRun flyAutopilot(std::uint32_t seed, std::uint64_t cruiseFrames = 120,
                          std::uint64_t frameLimit = 200000);

}  // namespace zephlet
