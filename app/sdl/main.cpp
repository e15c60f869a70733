// zephlet: the game. It takes no arguments and reads no setting.
#include "app/sdl/program_entry.h"

int main(int /*argc*/, char** argv) {
    return zephlet::winMain(argv[0]);
}
