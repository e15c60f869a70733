// The window's size and client rectangle, shared by the shell and the frame.
#pragma once

#include <array>
#include <cstdint>

namespace zephlet {

// The window's outer size, frame and title bar included.
constexpr int kWindowWidth = 265;
constexpr int kWindowHeight = 600;

// Client pixels; left and top are always 0. Empty while minimised.
struct ClientRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
};

extern ClientRect clientRect;

// The part of the client area the back buffer covers, and what lies beyond
// its 800 x 600 (right of it, and below it): a maximised window shows white
// there rather than whatever the window held.
ClientRect coveredByBackBuffer(const ClientRect& client);
std::array<ClientRect, 2> beyondBackBuffer(const ClientRect& client);

}  // namespace zephlet
