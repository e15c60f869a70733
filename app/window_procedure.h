// Where the window's messages meet the game: creation and destruction reach
// the graphics resources, paints the frame, keys the controls. One procedure
// for every platform; window_messages.h is the platform's own.
#pragma once

#include "window_messages.h"

namespace zephlet {

MessageResult windowProc(WindowHandle window, MessageId message, WordParam wParam,
                         LongParam lParam);

}  // namespace zephlet
