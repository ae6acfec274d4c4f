#pragma once
// Assembles a movie file: the audio header when the movie has sound, then the chunks of sound
// and pictures in the order they are added, then the end of the sound.

#include "media/movie/movie_codec.h"
#include "movie_encoder/audio_encoders.h"

#include <cstdint>
#include <span>
#include <vector>

namespace q71::encoder {

/// The sound form of a movie: none, the block form ("SCHl", "SCDl", "SCEl") or the older step
/// form ("SEAD", "SNDC", "SEND").
enum class SoundForm { None, Blocks, Steps };

/// Movie sound is 16-bit stereo at this rate; the player paces pictures by it.
inline constexpr int kMovieSampleRate = 22050;

class MovieWriter {
public:
    explicit MovieWriter(SoundForm form);

    /// Appends one chunk of interleaved stereo sound (ignored by a movie without sound).
    void addSound(std::span<const std::int16_t> stereo);
    /// Appends one video chunk of the given kind.
    void addFrame(FrameKind kind, std::span<const std::uint8_t> payload);
    /// The whole file.
    std::vector<std::uint8_t> finish();

private:
    void chunk(const char* id, std::span<const std::uint8_t> payload);

    SoundForm form_;
    BlockAdpcmEncoder blocks_;
    StepAdpcmEncoder steps_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace q71::encoder
