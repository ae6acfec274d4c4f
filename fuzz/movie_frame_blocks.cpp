// Following frames of movies (vectors, blocks and the block map) against a 64 by 48 key frame.
#include "media/movie/movie_codec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static q71::MovieCodec codec = [] {
        q71::MovieCodec c;
        q71::codec_setup(c, q71::displayFormatOf(q71::MovieSurface{}));
        // 64 by 48, no palette, then the pixels as literal runs of 112 bytes (0xFB) and the end.
        std::vector<std::uint8_t> key = {64, 0, 48, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x0C, 0x00};
        for (int run = 0; run < 64 * 48 / 112; ++run) {
            key.push_back(0xFB);
            for (int i = 0; i < 112; ++i)
                key.push_back(static_cast<std::uint8_t>(run + i));
        }
        key.push_back(0xE0 + (64 * 48 % 112) / 4 - 1);
        key.insert(key.end(), 64 * 48 % 112, 9);
        key.push_back(0xFC);
        q71::codec_decode_frame(c, key, q71::FrameKind::Key);
        return c;
    }();
    q71::codec_decode_frame(codec, {data, size}, q71::FrameKind::Blocks);
    return 0;
}
