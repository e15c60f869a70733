// zephlet-replay: plays a script of seeds, frames and keys against the game,
// and draws the pictures that its "shot" lines ask for.
#include <cstring>
#include <iostream>

#include "tools/replay/replay_script.h"
#include "tools/replay/replay_shot.h"

int main(int argc, char** argv) {
    zephlet::ReplayOptions options;
    options.writeShot = zephlet::writeShot;
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
    const int status = zephlet::runReplay(std::cin, std::cout, std::cerr, options);
    zephlet::releaseShotResources();
    return status;
}
