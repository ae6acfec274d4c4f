#include "media/movie/movie_codec.h"
#include "media/movie/palette_frame.h"
#include "media/movie/transform_frame.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace q71 {

bool codec_decode_frame(MovieCodec& codec, std::span<const std::uint8_t> chunk, FrameKind kind) {
    if (!codec.setUp)
        return false;
    switch (kind) {
    case FrameKind::Key:
        return decodeKeyFrame(codec, chunk);
    case FrameKind::Blocks:
        return decodeBlockFrame(codec, chunk);
    case FrameKind::Transform:
        return decodeTransformFrame(codec, chunk);
    case FrameKind::Intra:
        return decodeIntraFrame(codec, chunk);
    }
    return false;
}

void codec_swap_frames(MovieCodec& codec) { std::swap(codec.current, codec.previous); }

namespace {

template <typename Pixel>
void storePixel(const MovieSurface& surface, int x, int y, Pixel value) {
    std::memcpy(surface.pixels + static_cast<std::size_t>(y) * surface.pitch + x * sizeof(Pixel), &value,
                sizeof(Pixel));
}

// One frame row onto one display row, clipped to the surface's width.
template <typename Pixel>
void presentRow(const std::uint32_t* values, int count, const MovieSurface& surface, int x, int y, bool doubled) {
    const int step = doubled ? 2 : 1;
    int first = x < 0 ? -x / step : 0;
    int last = std::min(count, (surface.width - x + step - 1) / step);
    for (int c = first; c < last; ++c) {
        std::uint32_t v = values[c];
        int dx = x + c * step;
        if (!doubled) {
            storePixel(surface, dx, y, static_cast<Pixel>(v));
            continue;
        }
        // Two pixels: on 16-bit displays the low half is the left one, the high half the right.
        Pixel left = static_cast<Pixel>(v);
        Pixel right = sizeof(Pixel) == 2 ? static_cast<Pixel>(v >> 16) : static_cast<Pixel>(v);
        if (dx >= 0)
            storePixel(surface, dx, y, left);
        if (dx + 1 < surface.width)
            storePixel(surface, dx + 1, y, right);
    }
}

} // namespace

void codec_present_frame(const MovieCodec& codec, const MovieSurface& surface, std::uint32_t flags, int x, int y) {
    if (!codec.setUp || !surface.pixels || surface.bitsPerPixel != codec.format.surfaceBits())
        return;
    const int left = (flags & kPresentAtX) ? x : 0;
    const int top = (flags & kPresentAtY) ? y : 0;
    const int rowStep = (flags & kPresentSkipRows) ? 2 : 1;
    const bool doubled = (flags & kPresentDoubleWidth) != 0;
    for (int r = 0; r < codec.height; ++r) {
        int dy = top + r * rowStep;
        if (dy < 0)
            continue;
        if (dy >= surface.height)
            break;
        const std::uint32_t* values = codec.current.data() + static_cast<std::size_t>(r) * codec.width;
        if (codec.format.isSixteenBit())
            presentRow<std::uint16_t>(values, codec.width, surface, left, dy, doubled);
        else
            presentRow<std::uint32_t>(values, codec.width, surface, left, dy, doubled);
    }
}

} // namespace q71
