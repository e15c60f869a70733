// The message side of the platform layer: SDL's events as the window
// procedure's messages, one at a time, and the default handling of the
// messages the procedure leaves alone.
#pragma once

#include <SDL_events.h>

#include <cstdint>

#include "app/emulated_window.h"

namespace zephlet {

// Turns off the SDL events that the game has no use for and that would
// otherwise take a frame's one pump step each, and keeps the key-ups SDL
// makes up from the window. Needs the video system.
void quietUnusedEvents();

// Opens SDL's game controllers, if it has them: every pad, present now or
// plugged later, steers with its d-pad and left stick beside the keys.
// After quietUnusedEvents, whose filter would flush the pads' arrival.
void startGamepads();

// Closes the pads and forgets what the keyboard and the pads held.
void stopGamepads();

// The message an SDL event stands for; an arrow key goes through the rule
// of the arrows' sources. Events for no message become WM_NULL: for the
// window if they concern it, for no window otherwise.
Message translateEvent(const SDL_Event& event);

// Takes at most one message: a pad's waiting one, or else one event from
// SDL's queue (one SDL_PollEvent, which also fetches whatever the display
// has sent since the last call), after which the pads SDL has just updated
// are read and their changes queued.
bool peekMessage(Message& message);

}  // namespace zephlet
