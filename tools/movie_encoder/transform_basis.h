#pragma once
// What both block-transform encoders share: pictures turned into macroblock samples, and the
// forward transform that the codec's inverse undoes.

#include "movie_encoder/images.h"

namespace q71::encoder {

/// How samples relate to colours: centred on 0 for the colour-table conversion, or 0-255 with
/// black at 16 and colour differences about 128 for the studio-range conversion.
enum class SampleRange { Centred, Studio };

/// One macroblock as samples: 16 by 16 luminance, 8 by 8 of each colour difference.
struct MacroblockSource {
    double luminance[256];
    double blueDifference[64];
    double redDifference[64];
};

/// The macroblock at column mx, row my of the picture (whose size is in whole macroblocks).
/// Colours are drawn in by `margin` levels on each side: the colour-table conversion does not
/// clamp, so coding noise must not push a channel past its range.
MacroblockSource macroblockSource(const RgbImage& image, int mx, int my, SampleRange range, int margin);

/// The 8 by 8 block of samples at `samples` (rows `stride` apart) as coefficients in stored
/// order, scaled so that the codec's inverse transform of them gives the samples in 16.16.
void forwardTransform(const double* samples, int stride, double coefficients[64]);

/// A picture's colours as the display would show them after the margin is applied (for
/// measuring how close a decoded frame comes).
void applyMargin(std::uint8_t rgb[3], int margin);

} // namespace q71::encoder
