// The movies of the generated data set: every movie the program names is there, has sound,
// lasts a few seconds and reads cleanly; the intro and end movies decode frame by frame.
#include "media/movie/movie_audio_decode.h"
#include "media/movie/movie_file.h"
#include "movie_test_support.h"
#include "platform/files/locations.h"
#include "platform/files/path.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace q71 {
namespace {

std::string moviePath(const std::string& name) { return locationDataRoot() + "/Movies/" + name; }

// The campaign of the data set as its file's header gives it (little-endian): the leg count at
// byte 80, the missions of each leg from byte 84, the mission set at byte 124.
struct CampaignShape {
    char set = 'a';
    int legs = 0;
    int missions = 0;
};

CampaignShape campaignShape() {
    CampaignShape shape;
    std::FILE* f = fileOpen(locationDataRoot() + "/Scenario/a.cdf", "rb");
    if (!f)
        return shape;
    std::uint8_t header[128] = {};
    bool read = std::fread(header, 1, sizeof header, f) == sizeof header;
    std::fclose(f);
    if (!read)
        return shape;
    auto at = [&](int offset) { return header[offset] | header[offset + 1] << 8 | header[offset + 2] << 16; };
    shape.legs = at(80);
    for (int leg = 0; leg < shape.legs && leg < 10; ++leg)
        shape.missions += at(84 + 4 * leg);
    shape.set = static_cast<char>('a' + at(124));
    return shape;
}

// Every name the program builds: the intro, the death and victory movies, each campaign
// mission's briefing and report, each leg's news and the campaign's endings by rating.
std::vector<std::string> namedMovies() {
    std::vector<std::string> names = {"Velms.wve", "Openfade.wve", "death.wve", "victory.wve"};
    const CampaignShape campaign = campaignShape();
    EXPECT_GT(campaign.missions, 0) << "the data set has its campaign";
    for (int mission = 1; mission <= campaign.missions; ++mission)
        for (char kind : {'a', 'b'})
            names.push_back(campaign.set + std::to_string(mission) + kind + ".ndy");
    for (int leg = 0; leg < campaign.legs; ++leg)
        names.push_back(std::string("velms") + campaign.set + std::to_string(leg) + ".wve");
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
