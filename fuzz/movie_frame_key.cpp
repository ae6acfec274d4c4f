// Key frames of movies: the header, the palette and the LZ77-packed pixels.
#include "media/movie/movie_codec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static q71::MovieCodec codec = [] {
        q71::MovieCodec c;
        q71::codec_setup(c, q71::displayFormatOf(q71::MovieSurface{}));
        return c;
    }();
    q71::codec_decode_frame(codec, {data, size}, q71::FrameKind::Key);
    return 0;
}
