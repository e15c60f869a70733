#include "render/bitmap.h"

#include <algorithm>
#include <cstring>

namespace zephlet {

namespace {

// Source columns and rows that land inside the target.
struct Overlap {
    std::int32_t sourceLeft, sourceTop, width, height;
};

Overlap clip(const Bitmap& target, std::int32_t x, std::int32_t y, const Bitmap& source) {
    const std::int32_t left = std::max(0, -x);
    const std::int32_t top = std::max(0, -y);
    const std::int32_t right = std::min(source.width, target.width - x);
    const std::int32_t bottom = std::min(source.height, target.height - y);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

std::uint32_t readLe(std::span<const unsigned char> bytes, std::size_t offset, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value |= static_cast<std::uint32_t>(bytes[offset + static_cast<std::size_t>(i)]) << (8 * i);
    }
    return value;
}

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int32_t kMaxSide = 8192;

}  // namespace

Bitmap makeBitmap(std::int32_t width, std::int32_t height, Pixel fill) {
    return {width, height,
            std::vector<Pixel>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                               fill)};
}

void fillRect(Bitmap& target, std::int32_t left, std::int32_t top, std::int32_t right,
              std::int32_t bottom, Pixel colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, target.width);
    bottom = std::min(bottom, target.height);
    for (std::int32_t row = top; row < bottom && left < right; ++row) {
        std::fill_n(&target.at(left, row), right - left, colour);
    }
}

void copyOpaque(Bitmap& target, std::int32_t x, std::int32_t y, const Bitmap& source) {
    const Overlap o = clip(target, x, y, source);
    for (std::int32_t row = 0; row < o.height; ++row) {
        std::memcpy(&target.at(x + o.sourceLeft, y + o.sourceTop + row),
                    source.row(o.sourceTop + row) + o.sourceLeft,
                    static_cast<std::size_t>(o.width) * sizeof(Pixel));
    }
}

void copyKeyedOnWhite(Bitmap& target, std::int32_t x, std::int32_t y, const Bitmap& source) {
    const Overlap o = clip(target, x, y, source);
    for (std::int32_t row = o.sourceTop; row < o.sourceTop + o.height; ++row) {
        for (std::int32_t column = o.sourceLeft; column < o.sourceLeft + o.width; ++column) {
            const Pixel pixel = source.at(column, row);
            if (pixel != kWhite) {
                target.at(x + column, y + row) = pixel;
            }
        }
    }
}

std::optional<Bitmap> decodeDib(std::span<const unsigned char> bytes) {
    std::size_t header = 0;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        header = kFileHeaderSize;
    }
    if (bytes.size() < header + kInfoHeaderSize) {
        return std::nullopt;
    }
    const std::uint32_t infoSize = readLe(bytes, header, 4);
    const auto width = static_cast<std::int32_t>(readLe(bytes, header + 4, 4));
    const auto rawHeight = static_cast<std::int32_t>(readLe(bytes, header + 8, 4));
    if (infoSize < kInfoHeaderSize || readLe(bytes, header + 12, 2) != 1 ||
        readLe(bytes, header + 14, 2) != 24 || readLe(bytes, header + 16, 4) != 0) {
        return std::nullopt;
    }
    // A negative height marks top-down rows; INT32_MIN has no positive counterpart.
    if (width <= 0 || width > kMaxSide || rawHeight == 0 || rawHeight < -kMaxSide ||
        rawHeight > kMaxSide) {
        return std::nullopt;
    }
    // A file says where its pixels start; in a packed DIB they follow the
    // info header (no colour table at 24 bits).
    const std::size_t pixelOffset =
        header == 0 ? infoSize : static_cast<std::size_t>(readLe(bytes, 10, 4));
    const std::int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    if (pixelOffset < header + infoSize || pixelOffset > bytes.size() ||
        (bytes.size() - pixelOffset) / stride < static_cast<std::size_t>(height)) {
        return std::nullopt;
    }
    Bitmap bitmap = makeBitmap(width, height, 0);
    for (std::int32_t row = 0; row < height; ++row) {
        const std::int32_t y = rawHeight > 0 ? height - 1 - row : row;
        std::size_t offset = pixelOffset + static_cast<std::size_t>(row) * stride;
        for (std::int32_t x = 0; x < width; ++x, offset += 3) {
            bitmap.at(x, y) = makePixel(bytes[offset + 2], bytes[offset + 1], bytes[offset]);
        }
    }
    return bitmap;
}

}  // namespace zephlet
