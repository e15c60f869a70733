#include "render/client_area.h"

#include <algorithm>

#include "render/graphics_resources.h"

namespace zephlet {

ClientRect clientRect;

ClientRect coveredByBackBuffer(const ClientRect& client) {
    return {0, 0, std::min(client.right, kBackBufferWidth),
            std::min(client.bottom, kBackBufferHeight)};
}

std::array<ClientRect, 2> beyondBackBuffer(const ClientRect& client) {
    const ClientRect covered = coveredByBackBuffer(client);
    return {{{covered.right, 0, client.right, client.bottom},
             {0, covered.bottom, covered.right, client.bottom}}};
}

}  // namespace zephlet
