// The movies of the generated data set: every movie the program names is there, has sound,
// lasts a few seconds and reads cleanly; the intro and end movies decode frame by frame.
#include "media/movie/movie_audio_decode.h"
#include "media/movie/movie_file.h"
#include "movie_test_support.h"
#include "platform/files/locations.h"
#include "platform/files/path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace q71 {
namespace {

std::string moviePath(const std::string& name) { return locationDataRoot() + "/Movies/" + name; }

// Every name the program builds: the intro, the death and victory movies, each campaign
// mission's briefing and report, each leg's news and the campaign's endings by rating.
std::vector<std::string> namedMovies() {
    std::vector<std::string> names = {"Velms.wve", "Openfade.wve", "death.wve", "victory.wve"};
    for (int mission = 1; mission <= 20; ++mission)
        for (char kind : {'a', 'b'})
            names.push_back("a" + std::to_string(mission) + kind + ".ndy");
    for (int leg = 0; leg < 10; ++leg)
        names.push_back("velmsa" + std::to_string(leg) + ".wve");
    for (int rating = 0; rating < 6; ++rating)
        for (char variant = 'a'; variant <= 'g'; ++variant)
            names.push_back("nuke" + std::to_string(rating) + variant + ".wve");
    return names;
}

struct MovieSummary {
    int frames = 0;
    int soundChunks = 0;
    int framesDecoded = 0;
    bool readCleanly = false;
};

MovieSummary summarise(const std::string& path, bool decodeFrames) {
    MovieSummary summary;
    MovieFile file;
    if (!file.open(path) || !file.hasSound())
        return summary;
    MovieCodec codec = test::codecFor565();
    MovieChunk chunk;
    ImaChannel left, right;
    int result;
    while ((result = file.readChunk(chunk)) >= 0) {
        if (result == kChunkVideo) {
            ++summary.frames;
            if (decodeFrames || summary.frames == 1) {
                summary.framesDecoded += codec_decode_frame(codec, chunk.payload, chunk.type.kind) ? 1 : 0;
                codec_swap_frames(codec);
            }
        } else if (result == kChunkAudio) {
            std::vector<std::int16_t> samples;
            if (chunk.type.role == ChunkRole::AudioBlocks ? adpcmDecodeBlocks(chunk.payload, samples)
                                                          : (adpcmDecodeSteps(chunk.payload, left, right, samples), true))
                summary.soundChunks += samples.empty() ? 0 : 1;
        }
    }
    summary.readCleanly = result == kChunkEndOfFile;
    return summary;
}

TEST(DataSetMovies, EveryNamedMovieIsThereWithSoundAndReadsCleanly) {
    for (const std::string& name : namedMovies()) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fileExists(moviePath(name)));
        MovieSummary s = summarise(moviePath(name), false);
        EXPECT_TRUE(s.readCleanly);
        EXPECT_EQ(s.framesDecoded, 1) << "the first frame decodes";
        EXPECT_GE(s.frames, 2 * 15) << "at least two seconds";
        EXPECT_LE(s.frames, 15 * 15) << "at most fifteen seconds";
        EXPECT_GE(s.soundChunks, s.frames) << "sound for every frame";
    }
}

TEST(DataSetMovies, IntroAndEndMoviesDecodeFrameByFrame) {
    for (const char* name : {"Velms.wve", "Openfade.wve", "death.wve", "victory.wve", "a1a.ndy", "velmsa0.wve"}) {
        SCOPED_TRACE(name);
        MovieSummary s = summarise(moviePath(name), true);
        EXPECT_TRUE(s.readCleanly);
        EXPECT_EQ(s.framesDecoded, s.frames);
    }
}

} // namespace
} // namespace q71
