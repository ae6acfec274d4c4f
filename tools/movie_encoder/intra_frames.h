#pragma once
// Encoder of the intra block-transform frames: every macroblock transform-coded with
// differential DC codes and run/level codes, in studio range or for the colour tables.

#include "movie_encoder/images.h"

#include <cstdint>
#include <vector>

namespace q71::encoder {

struct IntraFrameOptions {
    int quantiser = 80;       ///< 0 (coarsest) to 100 (finest)
    bool studioRange = true;  ///< saturating studio-range colours instead of the colour tables
    int margin = 10;          ///< colour levels kept free at each end (colour tables only)
};

/// The payload of one intra frame (size in whole macroblocks that fits the frame buffers).
std::vector<std::uint8_t> encodeIntraFrame(const RgbImage& image, const IntraFrameOptions& options = {});

} // namespace q71::encoder
