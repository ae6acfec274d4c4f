#pragma once
// The scaled 8-point inverse DCT of the block-transform frames, in 32-bit fixed point.

#include <cstdint>

namespace q71 {

/// Transforms one block of 64 dequantised coefficients, stored transposed (horizontal frequency
/// u at u * 8 + v), into 8 rows of 8 samples written at `out`, rows `stride` values apart.
/// A block holding only its first coefficient gives 64 samples equal to it.
void inverseTransform(const std::int32_t block[64], std::int32_t* out, int stride);

} // namespace q71
