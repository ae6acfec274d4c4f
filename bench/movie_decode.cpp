// Decoding movie frames of each kind at 320 by 240, the size of the full-screen movies, in
// frames per second (items per second). A movie needs 15.
#include "media/movie/movie_codec.h"
#include "movie_encoder/intra_frames.h"
#include "movie_encoder/palette_frames.h"
#include "movie_encoder/transform_frames.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace q71;
using Frames = std::vector<std::vector<std::uint8_t>>;

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kFrames = 30;

// A scene that pans and has a moving, shaded disc: what the data set's movies show.
encoder::RgbImage scene(int t) {
    encoder::RgbImage image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            double sea = std::sin((x + 2 * t) / 11.0) * std::cos(y / 9.0);
            double dx = x - 100 - 4 * t, dy = y - 120;
            double disc = std::max(0.0, 1 - std::sqrt(dx * dx + dy * dy) / 40);
            std::uint8_t* p = image.at(x, y);
            p[0] = static_cast<std::uint8_t>(30 + 60 * disc + 20 * sea);
            p[1] = static_cast<std::uint8_t>(60 + 90 * y / kHeight + 30 * sea);
            p[2] = static_cast<std::uint8_t>(110 + 60 * sea + 50 * disc);
        }
    return image;
}

encoder::IndexedImage indexedScene(int t) {
    encoder::IndexedImage image(kWidth, kHeight);
    for (int i = 0; i < 256; ++i)
        image.palette[i * 3 + 2] = static_cast<std::uint8_t>(i);
    encoder::RgbImage rgb = scene(t);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.at(x, y) = rgb.at(x, y)[2];
    return image;
}

MovieCodec codec() {
    MovieCodec c;
    codec_setup(c, displayFormatOf(MovieSurface{}));
    return c;
}

void decodeAll(benchmark::State& state, FrameKind kind, const Frames& frames, const Frames& prelude = {}) {
    MovieCodec c = codec();
    for (const auto& f : prelude)
        codec_decode_frame(c, f, FrameKind::Key);
    for (const auto& f : frames)
        if (!codec_decode_frame(c, f, kind)) {
            state.SkipWithError("a frame does not decode");
            return;
        }
    for (auto _ : state) {
        for (const auto& f : frames) {
            benchmark::DoNotOptimize(codec_decode_frame(c, f, kind));
            codec_swap_frames(c);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(frames.size()));
}

void KeyFrames(benchmark::State& state) {
    static const Frames frames = [] {
        Frames f;
        for (int t = 0; t < kFrames; ++t)
            f.push_back(encoder::encodeKeyFrame(indexedScene(t)));
        return f;
    }();
    decodeAll(state, FrameKind::Key, frames);
}

void BlockFrames(benchmark::State& state) {
    static const Frames frames = [] {
        Frames f;
        encoder::Motion pan{2, 0};
        // Each frame builds on the one before it; decoding them in a loop repeats the series.
        for (int t = 1; t < kFrames; ++t)
            f.push_back(encoder::encodeBlockFrame(indexedScene(t - 1), indexedScene(t), std::span(&pan, 1)));
        return f;
    }();
    decodeAll(state, FrameKind::Blocks, frames, {encoder::encodeKeyFrame(indexedScene(0))});
}

void TransformFrames(benchmark::State& state) {
    static const Frames frames = [] {
        Frames f;
        encoder::TransformFrameEncoder encoder;
        encoder::Motion pan{2, 0};
        for (int t = 0; t < kFrames; ++t)
            f.push_back(encoder.encode(scene(t), std::span(&pan, 1)));
        return f;
    }();
    decodeAll(state, FrameKind::Transform, frames);
}

void IntraFrames(benchmark::State& state) {
    static const Frames frames = [] {
        Frames f;
        for (int t = 0; t < kFrames; ++t)
            f.push_back(encoder::encodeIntraFrame(scene(t), {80, (t % 2) == 0, 10}));
        return f;
    }();
    decodeAll(state, FrameKind::Intra, frames);
}

BENCHMARK(KeyFrames)->Unit(benchmark::kMillisecond);
BENCHMARK(BlockFrames)->Unit(benchmark::kMillisecond);
BENCHMARK(TransformFrames)->Unit(benchmark::kMillisecond);
BENCHMARK(IntraFrames)->Unit(benchmark::kMillisecond);

} // namespace
