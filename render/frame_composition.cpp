#include "render/frame_composition.h"

#include <algorithm>

#include "game/caption_rule.h"
#include "game/game_state.h"
#include "game/world_tick.h"
#include "render/client_area.h"
#include "render/graphics_resources.h"
#include "render/level_captions.h"
#include "render/stereo_view.h"

namespace zephlet {

namespace {

constexpr std::int32_t kLeftViewSpriteX = 35;
// Even at altitude 0 a sprite's two views stand 2 pixels nearer each other
// than the ground's: the craft flies just above it.
constexpr std::int32_t kRightViewSpriteX = kLeftViewSpriteX + kRightViewX - 2;

void drawSprite(const Bitmap& bitmap, std::int32_t lane, std::int32_t altitude, std::int32_t top) {
    spriteDC = &bitmap;
    const SpriteColumns columns = spriteColumns(lane, altitude);
    copyKeyedOnWhite(*backBufferDC, columns.left, top, *spriteDC);
    copyKeyedOnWhite(*backBufferDC, columns.right, top, *spriteDC);
}

const Bitmap& obstacleBitmap(std::int32_t kind) {
    switch (kind) {
        case Blue:
            return blueObstacleBitmap;
        case Green:
            return greenObstacleBitmap;
        default:
            return plainObstacleBitmap;
    }
}

// The white clear of the client area, less what the ground strip's copies
// are about to cover anyway: the views' columns in the rows from
// scroll - 800 to scroll + 800, which for a scroll of 0 to 800 is all of
// them. Clearing only the rest gives the same picture at a quarter of the
// cost, the clear being the frame's largest piece of work. A view that
// rearranges the pair shows columns right of a narrow client area too: they
// are cleared as well, or they would show what an earlier frame left there.
void clearAroundTheGround(std::int32_t scroll) {
    const std::int32_t right = viewedColumns(clientRect.right);
    const std::int32_t bottom = clientRect.bottom;
    const std::int32_t groundTop = scroll - kGroundHeightPixels;
    const std::int32_t groundBottom = scroll + kGroundHeightPixels;
    for (const std::int32_t viewLeft : {0, kRightViewX}) {
        const std::int32_t viewRight = viewLeft + kGroundWidth;
        fillRect(*backBufferDC, viewLeft, 0, std::min(viewRight, right),
                 std::min(groundTop, bottom), whiteBrush);
        fillRect(*backBufferDC, viewLeft, groundBottom, std::min(viewRight, right), bottom,
                 whiteBrush);
    }
    fillRect(*backBufferDC, kGroundWidth, 0, std::min(kRightViewX, right), bottom, whiteBrush);
    fillRect(*backBufferDC, kRightViewX + kGroundWidth, 0, right, bottom, whiteBrush);
}

}  // namespace

SpriteColumns spriteColumns(std::int32_t lane, std::int32_t altitude) {
    return {kLeftViewSpriteX + lane + altitude, kRightViewSpriteX + lane - altitude};
}

void composeFrame() {
    const std::int32_t scroll = gameState.scrollOffset;
    clearAroundTheGround(scroll);

    // Two copies per view, one strip length apart, so that every row of the
    // view shows ground row (row - scroll) mod 800.
    spriteDC = &backgroundBitmap;
    copyOpaque(*backBufferDC, 0, scroll, *spriteDC);
    copyOpaque(*backBufferDC, 0, scroll - kGroundHeightPixels, *spriteDC);
    copyOpaque(*backBufferDC, kRightViewX, scroll, *spriteDC);
    copyOpaque(*backBufferDC, kRightViewX, scroll - kGroundHeightPixels, *spriteDC);

    // Higher layers later, so they cover the lower ones.
    drawLayer(0);
    drawLayer(2);
    drawLayer(4);

    if (captionShowing()) {
        drawLevelCaption();
    }
}

void drawLayer(std::int32_t altitude) {
    const GameState& state = gameState;
    // The craft first: an obstacle at its altitude is drawn over it.
    if (state.playerAltitude == altitude) {
        drawSprite(state.crashed ? crashedCraftBitmap : craftBitmap, state.playerLane,
                   state.playerAltitude, kCraftTop);
    }
    for (const Obstacle& obstacle : state.obstacles) {
        if (obstacle.altitude == altitude) {
            drawSprite(obstacleBitmap(obstacle.kind), obstacle.lane, obstacle.altitude, obstacle.y);
        }
    }
}

Bitmap clientAreaPicture() {
    Bitmap picture = makeBitmap(clientRect.right, clientRect.bottom, whiteBrush);
    const Bitmap& frame = viewedFrame(*backBufferDC, clientRect);
    const ClientRect covered = coveredByBackBuffer(clientRect);
    for (const ShownColumns& block : shownColumns(covered.right)) {
        for (std::int32_t y = 0; y < covered.bottom; ++y) {
            const Pixel* from = frame.row(y) + block.from;
            std::copy(from, from + (block.right - block.left), &picture.at(block.left, y));
        }
    }
    return picture;
}

}  // namespace zephlet
