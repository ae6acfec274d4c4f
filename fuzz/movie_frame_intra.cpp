// Intra block-transform frames of movies: DC and run/level codes in both colour forms.
#include "media/movie/movie_codec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static q71::MovieCodec codec = [] {
        q71::MovieCodec c;
        q71::codec_setup(c, q71::displayFormatOf(q71::MovieSurface{}));
        return c;
    }();
    q71::codec_decode_frame(codec, {data, size}, q71::FrameKind::Intra);
    return 0;
}
