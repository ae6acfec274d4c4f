#include "mkdata/movies/movie_maker.h"

#include "movie_encoder/intra_frames.h"
#include "movie_encoder/transform_frames.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace q71::mkdata {

void Soundtrack::place(const Signal& sound, double at, float gain, float pan) {
    const float leftGain = gain * std::sqrt(0.5f * (1 - pan)), rightGain = gain * std::sqrt(0.5f * (1 + pan));
    mixInto(left, sound, at, leftGain);
    mixInto(right, sound, at, rightGain);
}

void Soundtrack::normalise() {
    float peak = 0;
    for (const Signal* s : {&left, &right})
        for (float v : *s)
            peak = std::max(peak, std::abs(v));
    if (peak > 0) {
        scale(left, 0.7079f / peak);
        scale(right, 0.7079f / peak);
    }
}

namespace {

// Sample pairs of chunk n: whole blocks of 28 pairs, so that no chunk is padded, 1470 a chunk
// on average (15 a second).
std::size_t chunkStart(int n) { return static_cast<std::size_t>(n) * 1470 / 28 * 28; }

std::vector<std::int16_t> soundOfChunk(const Soundtrack& track, int n) {
    std::vector<std::int16_t> stereo;
    for (std::size_t i = chunkStart(n); i < chunkStart(n + 1); ++i)
        for (const Signal* s : {&track.left, &track.right}) {
            float v = i < s->size() ? (*s)[i] : 0.0f;
            stereo.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767)));
        }
    return stereo;
}

// Codes the frames of one movie in its form.
class FrameCoder {
public:
    explicit FrameCoder(const MoviePlan& plan)
        : plan_(plan), transform_(encoder::TransformFrameOptions{.quantiser = plan.quantiser}) {}

    void add(encoder::MovieWriter& writer, const Canvas& canvas, int n) {
        std::vector<encoder::Motion> hints;
        if (plan_.motion)
            hints.push_back(plan_.motion(n));
        switch (plan_.form) {
        case FrameForm::Palettised: {
            encoder::IndexedImage image = canvas.toIndexed(plan_.palette, plan_.colours);
            if (!previous_)
                writer.addFrame(FrameKind::Key, encoder::encodeKeyFrame(image));
            else
                writer.addFrame(FrameKind::Blocks, encoder::encodeBlockFrame(*previous_, image, hints));
            previous_ = std::move(image);
            break;
        }
        case FrameForm::Transform:
            writer.addFrame(FrameKind::Transform, transform_.encode(canvas.toImage(), hints));
            break;
        case FrameForm::Intra:
        case FrameForm::StudioIntra:
            // Intra frames through the colour tables cannot be checked for wrapped colours as
            // the other kind is: they keep a wider margin instead.
            writer.addFrame(FrameKind::Intra,
                            encoder::encodeIntraFrame(canvas.toImage(), {plan_.quantiser,
                                                                         plan_.form == FrameForm::StudioIntra, 20}));
            break;
        }
    }

private:
    const MoviePlan& plan_;
    encoder::TransformFrameEncoder transform_;
    std::optional<encoder::IndexedImage> previous_;
};

} // namespace

std::vector<std::uint8_t> makeMovie(const MoviePlan& plan) {
    if (plan.frames <= 0 || !plan.draw)
        throw std::invalid_argument("the movie " + plan.name + " has no frames");
    encoder::MovieWriter writer(plan.sound);
    FrameCoder coder(plan);
    Canvas canvas(kMovieWidth, kMovieHeight);
    for (int n = 0; n < plan.frames; ++n) {
        writer.addSound(soundOfChunk(plan.soundtrack, n));
        canvas.fill({});
        plan.draw(canvas, n);
        coder.add(writer, canvas, n);
    }
    // The sound goes on past the last picture for as long as the track lasts.
    for (int n = plan.frames; chunkStart(n) < plan.soundtrack.left.size(); ++n)
        writer.addSound(soundOfChunk(plan.soundtrack, n));
    return writer.finish();
}

} // namespace q71::mkdata
