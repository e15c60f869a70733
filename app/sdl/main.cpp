// zephlet: the game. Its one argument is the view; it reads no setting.
#include "app/command_line.h"
#include "app/sdl/program_entry.h"

int main(int argc, char** argv) {
    const zephlet::CommandLine command = zephlet::readCommandLine(argc, argv);
    if (!command.play) {
        return zephlet::printCommandLineAnswer(command);
    }
    zephlet::stereoView = command.view;
    return zephlet::winMain(argv[0]);
}
