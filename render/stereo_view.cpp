#include "render/stereo_view.h"

#include <algorithm>
#include <cmath>

namespace zephlet {

StereoView stereoView = StereoView::kParallel;

namespace {

constexpr std::int32_t kBandWidth = kRightViewX;
constexpr std::int32_t kPairWidth = 2 * kBandWidth;
// The anaglyph stands in the middle of the pair, one view wide.
constexpr std::int32_t kAnaglyphLeft = kBandWidth / 2;
constexpr std::int32_t kAnaglyphRight = kAnaglyphLeft + kBandWidth;

// Dubois's least-squares matrices for red-cyan glasses: rows are the
// output's red, green and blue, columns the input's.
constexpr double kLeftEye[3][3] = {
    {0.437, 0.449, 0.164}, {-0.062, -0.062, -0.024}, {-0.048, -0.050, -0.017}};
constexpr double kRightEye[3][3] = {
    {-0.011, -0.032, -0.007}, {0.377, 0.761, 0.009}, {-0.026, -0.093, 1.234}};

double decodeSrgb(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

struct SrgbTables {
    std::array<double, 256> linear;  // by byte
    // The linear value halfway (in sRGB) between byte k and k + 1: a linear
    // value rounds to the number of these it reaches, exactly as encoding it
    // and rounding would, since the curve only rises.
    std::array<double, 255> roundingEdges;
};

SrgbTables makeSrgbTables() {
    SrgbTables tables{};
    for (int byte = 0; byte < 256; ++byte) {
        tables.linear[static_cast<std::size_t>(byte)] = decodeSrgb(byte / 255.0);
    }
    for (int byte = 0; byte < 255; ++byte) {
        tables.roundingEdges[static_cast<std::size_t>(byte)] = decodeSrgb((byte + 0.5) / 255.0);
    }
    return tables;
}

const SrgbTables& srgbTables() {
    static const SrgbTables tables = makeSrgbTables();
    return tables;
}

std::uint32_t encodeSrgbByte(const SrgbTables& tables, double linear) {
    const auto& edges = tables.roundingEdges;
    return static_cast<std::uint32_t>(std::upper_bound(edges.begin(), edges.end(), linear) -
                                      edges.begin());
}

Pixel computeRedCyanPixel(Pixel left, Pixel right) {
    const SrgbTables& tables = srgbTables();
    const double leftLinear[3] = {tables.linear[pixelRed(left)], tables.linear[pixelGreen(left)],
                                  tables.linear[pixelBlue(left)]};
    const double rightLinear[3] = {tables.linear[pixelRed(right)], tables.linear[pixelGreen(right)],
                                   tables.linear[pixelBlue(right)]};
    std::uint32_t out[3];
    for (int channel = 0; channel < 3; ++channel) {
        double sum = 0;
        for (int input = 0; input < 3; ++input) {
            sum += kLeftEye[channel][input] * leftLinear[input] +
                   kRightEye[channel][input] * rightLinear[input];
        }
        out[channel] = encodeSrgbByte(tables, std::clamp(sum, 0.0, 1.0));
    }
    return makePixel(out[0], out[1], out[2]);
}

// A frame holds few pairs of colours (the ground is the same in both views
// wherever no sprite is), so each pair is worked out once and kept. A slot
// keeps what it shows as its difference from black: every slot starts as
// zeros, which then say what is true in any layout (the zero pixel's
// channels are all 0, shown as black), with no mark of being empty, and the
// tables stay out of the program's initialised data.
struct KeptPair {
    std::uint64_t pair;
    Pixel shown;
};
constexpr int kKeptPairBits = 12;
constexpr Pixel kBlack = makePixel(0, 0, 0);

constexpr std::uint64_t pairOf(Pixel left, Pixel right) {
    return std::uint64_t{left} << 32 | right;
}

std::array<KeptPair, 1 << kKeptPairBits> keptPairs{};

Pixel keptRedCyanPixel(Pixel left, Pixel right) {
    const std::uint64_t pair = pairOf(left, right);
    KeptPair& slot = keptPairs[(pair * 0x9E3779B97F4A7C15u) >> (64 - kKeptPairBits)];
    if (slot.pair != pair) [[unlikely]] {
        slot = {pair, computeRedCyanPixel(left, right) ^ kBlack};
    }
    return slot.shown ^ kBlack;
}

// The same for a pixel both views show alike, as the ground and the captions
// are wherever no sprite is: most of the picture, kept by colour alone. It
// pays: the red-cyan pass takes half as long again with the pairs alone.
struct KeptColour {
    Pixel colour;
    Pixel shown;
};
constexpr int kKeptColourBits = 10;

std::array<KeptColour, 1 << kKeptColourBits> keptColours{};

Pixel keptRedCyanPixel(Pixel alike) {
    KeptColour& slot = keptColours[(alike * 0x9E3779B1u) >> (32 - kKeptColourBits)];
    if (slot.colour != alike) [[unlikely]] {
        slot = {alike, computeRedCyanPixel(alike, alike) ^ kBlack};
    }
    return slot.shown ^ kBlack;
}

// Made at the first frame in the red-cyan view, the composed frame's size,
// and kept.
Bitmap viewed;

Pixel* rowOf(Bitmap& bitmap, std::int32_t y) {
    return bitmap.pixels.data() +
           static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.width);
}

void viewRedCyan(const Bitmap& composed, std::int32_t width, std::int32_t height) {
    const std::int32_t anaglyphRight = std::min(width, kAnaglyphRight);
    for (std::int32_t y = 0; y < height; ++y) {
        const Pixel* left = composed.row(y);
        const Pixel* right = left + kBandWidth;
        Pixel* to = rowOf(viewed, y);
        std::fill(to, to + std::min(width, kAnaglyphLeft), kWhite);
        // Straight to the kept pairs: the ground's speckles change the pair
        // every few pixels, too often for a test of the last pair to pay.
        for (std::int32_t x = kAnaglyphLeft; x < anaglyphRight; ++x) {
            to[x] = redCyanPixel(left[x - kAnaglyphLeft], right[x - kAnaglyphLeft]);
        }
        if (width > kAnaglyphRight) {
            std::fill(to + kAnaglyphRight, to + width, kWhite);
        }
    }
}

}  // namespace

std::optional<StereoView> stereoViewNamed(std::string_view name) {
    for (const StereoViewName& entry : kStereoViewNames) {
        if (entry.name == name) {
            return entry.view;
        }
    }
    return std::nullopt;
}

std::string_view stereoViewName(StereoView view) {
    for (const StereoViewName& entry : kStereoViewNames) {
        if (entry.view == view) {
            return entry.name;
        }
    }
    return {};
}

std::string stereoViewNames(std::string_view separator) {
    std::string names;
    for (const StereoViewName& entry : kStereoViewNames) {
        if (!names.empty()) {
            names += separator;
        }
        names += entry.name;
    }
    return names;
}

std::int32_t viewedColumns(std::int32_t clientRight) {
    if (stereoView == StereoView::kParallel || clientRight <= 0) {
        return clientRight;
    }
    return std::max(clientRight, kPairWidth);
}

const Bitmap& viewedFrame(const Bitmap& composed, const ClientRect& client) {
    // A frame narrower than the pair (none before the back buffer is made)
    // has no bands to combine.
    if (stereoView != StereoView::kRedCyan || composed.width < kPairWidth) {
        return composed;
    }
    if (viewed.width != composed.width || viewed.height != composed.height) {
        viewed = makeBitmap(composed.width, composed.height, kWhite);
    }
    viewRedCyan(composed, std::clamp(client.right, 0, composed.width),
                std::clamp(client.bottom, 0, composed.height));
    return viewed;
}

ShownColumnBlocks shownColumns(std::int32_t coveredRight) {
    ShownColumnBlocks shown;
    auto add = [&](std::int32_t left, std::int32_t right, std::int32_t from) {
        if (right > left) {
            shown.blocks[shown.count++] = {left, right, from};
        }
    };
    if (stereoView != StereoView::kCrossed) {
        add(0, coveredRight, 0);
        return shown;
    }
    // Crossed: the copy to the window swaps the bands itself, so that this
    // view costs what parallel costs.
    add(0, std::min(coveredRight, kBandWidth), kBandWidth);
    add(kBandWidth, std::min(coveredRight, kPairWidth), 0);
    add(kPairWidth, coveredRight, kPairWidth);
    return shown;
}

void releaseViewedFrame() {
    viewed = Bitmap{};
}

Pixel redCyanPixel(Pixel left, Pixel right) {
    return left == right ? keptRedCyanPixel(left) : keptRedCyanPixel(left, right);
}

}  // namespace zephlet
