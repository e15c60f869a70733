#include "app/win32/command_line_box.h"

#include "app/win32/windows_api.h"

namespace zephlet {

int answerCommandLine(const CommandLine& command) {
    const int status = printCommandLineAnswer(command);
    const bool mistake = status != 0;
    if (mistake || GetStdHandle(STD_OUTPUT_HANDLE) == nullptr) {
        MessageBoxA(nullptr, command.text.c_str(), kGameName,
                    MB_OK | (mistake ? MB_ICONERROR : MB_ICONINFORMATION));
    }
    return status;
}

}  // namespace zephlet
