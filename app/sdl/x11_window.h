// What the SDL layer must do through X11 itself, where SDL2 does not what
// the game needs. Both do nothing under other video drivers.
#pragma once

#include <SDL_syswm.h>

namespace zephlet {

// SDL2 marks every new X11 window's position as chosen by the user, so the
// window manager puts it there (the middle of the screen). The program has
// no position of its own: the marks are taken off before the window is
// shown, and the window manager places it as it places any window.
void leavePlacementToWindowManager(SDL_Window* window);

// Whether SDL, while handling this display event, brings its keyboard state
// into line with the display's by making up releases: the keyboard focus
// arriving or leaving, or the keyboard's state announced anew.
bool madeUpReleasesFollow(const SDL_SysWMmsg& message);

}  // namespace zephlet
