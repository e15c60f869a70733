// The game's seven pictures, drawn from fixed shape maps so that every run yields the same bytes.
#pragma once

#include <span>
#include <string_view>

#include "tools/artwork/bmp_file.h"

namespace zephlet {

inline constexpr Rgb kWhite{255, 255, 255};  // the transparent colour of every sprite
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kViolet{128, 0, 255};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kDarkGreen{0, 128, 0};
inline constexpr Rgb kOrange{255, 128, 64};
inline constexpr Rgb kBrightGreen{0, 255, 0};

inline constexpr int kSpriteSize = 32;
inline constexpr int kGroundWidth = 100;
inline constexpr int kGroundHeight = 800;

Picture drawCraft();
Picture drawPlainObstacle();
Picture drawBlueObstacle();
Picture drawGreenObstacle();
Picture drawCrashedCraft();
Picture drawGround();
// The window icon: the craft alone, everything else white (made transparent by the game).
Picture drawIcon();

struct ArtworkFile {
    std::string_view fileName;
    Picture (*draw)();
};

// Every picture with the name of its file in resources/.
std::span<const ArtworkFile> artworkFiles();

}  // namespace zephlet
