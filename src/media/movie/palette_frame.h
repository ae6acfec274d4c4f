#pragma once
// The palettised frame kinds: key frames packed with the byte-oriented LZ77 scheme, and
// following frames composed of 4 by 4 blocks moved from the previous frame or sent anew.

#include "media/movie/movie_codec.h"

namespace q71 {

inline constexpr int kKeyFrameHeaderSize = 12;
inline constexpr int kBlockFrameHeaderSize = 12;

bool decodeKeyFrame(MovieCodec& codec, std::span<const std::uint8_t> chunk);
bool decodeBlockFrame(MovieCodec& codec, std::span<const std::uint8_t> chunk);

} // namespace q71
