#pragma once
// One playing movie: its file, the rings of frames and sound read ahead of the picture, the
// state of the step-form sound, and the codec. The playback thread reads chunks into the rings;
// the audio service takes the sound out of them.

#include "media/movie/movie_audio_decode.h"
#include "media/movie/movie_audio_out.h"
#include "media/movie/movie_codec.h"
#include "media/movie/movie_file.h"

#include <cstdint>
#include <deque>
#include <string_view>

namespace q71 {

/// How many frames and sound blocks each ring holds.
inline constexpr std::size_t kMovieRingSize = 32;
/// How many the opening reads ahead.
inline constexpr std::size_t kMovieReadAhead = 16;

struct QueuedFrame {
    FrameKind kind;
    std::vector<std::uint8_t> data;
};

class MovieDecoder {
public:
    /// `audio` receives the decoded sound when the movie plays with sound.
    MovieDecoder(MovieAudioOut& audio, bool withSound) : audio_(audio), withSound_(withSound) {}

    /// Opens the file and reads ahead; false when it cannot be opened.
    bool open(std::string_view path);
    /// True when the file has sound and it is played.
    bool playsSound() const { return withSound_ && file_.hasSound(); }

    /// One read step of playback: a chunk, and a second one after a video chunk when the movie
    /// plays its sound or after a sound chunk skipped.
    void readStep();
    /// The next frame, or null when none is queued.
    QueuedFrame* nextFrame() { return frames_.empty() ? nullptr : &frames_.front(); }
    /// Drops the frame shown.
    void popFrame() { frames_.pop_front(); }
    /// True once no more sound can come: the end of the sound or of the file was read.
    bool soundEnded() const { return soundEnded_; }
    /// True once nothing more will be read: the file's end, or a chunk that ended the reading.
    bool fileEnded() const { return fileEnded_; }
    /// True when the frame ring has no room: reading waits for frames to be shown.
    bool framesFull() const { return frames_.size() >= kMovieRingSize; }

    MovieCodec& codec() { return codec_; }

private:
    /// Reads one chunk; kRingsFull, without reading, when a ring has no room.
    int readChunk();
    static constexpr int kRingsFull = 100;

    MovieAudioOut& audio_;
    bool withSound_;
    MovieFile file_;
    MovieChunk chunk_;
    std::deque<QueuedFrame> frames_;
    ImaChannel left_, right_;
    bool fileEnded_ = false;
    bool soundEnded_ = false;
    MovieCodec codec_;
};

} // namespace q71
