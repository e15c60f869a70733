// zephlet-replay: plays a script of seeds, frames and keys against the game.
#include <cstring>
#include <iostream>

#include "tools/replay/replay_script.h"

int main(int argc, char** argv) {
    zephlet::ReplayOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trace") == 0) {
            options.trace = true;
        } else if (std::strcmp(argv[i], "--help") == 0) {
            std::cout << zephlet::kReplayUsage;
            return 0;
        } else {
            std::cerr << "zephlet-replay: unknown option " << argv[i] << '\n'
                      << zephlet::kReplayUsage;
            return zephlet::kReplayBadLine;
        }
    }
    std::ios::sync_with_stdio(false);
    return zephlet::runReplay(std::cin, std::cout, std::cerr, options);
}
