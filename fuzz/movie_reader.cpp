// Movie files: the chunk reader, both sound forms and every frame kind, as a movie is read.
#include "media/movie/movie_audio_decode.h"
#include "media/movie/movie_codec.h"
#include "media/movie/movie_file.h"
#include "scratch_files.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static q71::MovieCodec codec = [] {
        q71::MovieCodec c;
        q71::codec_setup(c, q71::displayFormatOf(q71::MovieSurface{}));
        return c;
    }();
    if (size == 0)
        return 0;
    const std::string path = q71::fuzz::scratchPath("m.wve");
    q71::fuzz::writeScratch(path, data, size);
    q71::MovieFile file;
    if (!file.open(path))
        return 0;
    q71::MovieChunk chunk;
    q71::ImaChannel left, right;
    std::vector<std::int16_t> samples;
    for (int result; (result = file.readChunk(chunk)) >= 0;) {
        if (result == q71::kChunkVideo) {
            q71::codec_decode_frame(codec, chunk.payload, chunk.type.kind);
            q71::codec_swap_frames(codec);
        } else if (chunk.type.role == q71::ChunkRole::AudioBlocks) {
            q71::adpcmDecodeBlocks(chunk.payload, samples);
        } else if (chunk.type.role == q71::ChunkRole::AudioSteps) {
            q71::adpcmDecodeSteps(chunk.payload, left, right, samples);
        }
        samples.clear();
    }
    return 0;
}
