#pragma once
// Encoders of the palettised frame kinds: key frames (the whole 8-bit picture packed with the
// LZ77 scheme, with its palette) and following frames of 4 by 4 blocks. Both are lossless.

#include "movie_encoder/images.h"

#include <cstdint>
#include <span>
#include <vector>

namespace q71::encoder {

/// Where the content of a block was in the previous frame, as an offset from the block in
/// pixels: a scene panning 3 pixels to the right is found at dx = -3.
struct Motion {
    int dx = 0;
    int dy = 0;
    bool operator==(const Motion&) const = default;
};

/// The payload of a key frame; width and height must be multiples of 4.
std::vector<std::uint8_t> encodeKeyFrame(const IndexedImage& image);

/// The payload of a following frame that turns `previous` (the last frame shown) into `image`.
/// Blocks are taken from the previous frame where they are found unchanged at no offset, at a
/// hinted one or near it; the rest are sent as blocks of at most four colours or in full.
std::vector<std::uint8_t> encodeBlockFrame(const IndexedImage& previous, const IndexedImage& image,
                                           std::span<const Motion> hints);

} // namespace q71::encoder
