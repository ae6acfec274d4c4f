#pragma once
// Encoder of the byte-coded block-transform frames. It keeps a decoder of its own that decodes
// every frame it makes, so that it knows the previous frame exactly as the player will hold
// it. A macroblock is copied from it when its picture has not changed, or (unmoved or moved by a
// hinted vector) when that is nearly exact or no worse than coding it anew; flat ones are sent
// as levels; the rest are transform-coded.

#include "media/movie/movie_codec.h"
#include "movie_encoder/images.h"
#include "movie_encoder/palette_frames.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace q71::encoder {

/// How closely a decoded macroblock shows its picture.
struct MacroblockFit {
    double mean = 0; ///< squared error per channel (0-255 scale)
    int worst = 0;   ///< the largest error of any channel of any pixel
};

struct TransformFrameOptions {
    int quantiser = 80;         ///< 0 (coarsest) to 100 (finest)
    double copyTolerance = 2;   ///< squared error per channel (0-255 scale) a copy may always leave
    int margin = 10;            ///< colour levels kept free at each end of every channel
};

class TransformFrameEncoder {
public:
    explicit TransformFrameEncoder(TransformFrameOptions options = {});

    /// The payload of the next frame of the movie (size in whole macroblocks, at most 655,360
    /// bytes of 32-bit values). `hints` are likely displacements of the picture since the last frame.
    std::vector<std::uint8_t> encode(const RgbImage& image, std::span<const Motion> hints = {});

private:
    /// True when the macroblock is the same as in the picture before.
    bool unchanged(const RgbImage& image, int mx, int my) const;
    MacroblockFit codedFit(std::span<const std::uint8_t> coded, const RgbImage& image, int mx, int my);
    std::vector<std::uint8_t> codedMacroblockFor(const RgbImage& image, int mx, int my,
                                                 const std::array<std::int32_t, 64>& table, MacroblockFit& fit);

    TransformFrameOptions options_;
    MovieCodec reference_; ///< decodes every frame made, as the player will
    MovieCodec scratch_;   ///< decodes single macroblocks to measure them
    RgbImage previousImage_;
    bool first_ = true;
};

} // namespace q71::encoder
