#pragma once
// Turns a drawn scene and its soundtrack into a movie file: frames at 15 a second, each with
// the sound of its own time in the chunk before it, in the frame kinds and sound form the movie
// asks for.

#include "mkdata/movies/canvas.h"
#include "mkdata/sounds/dsp.h"
#include "movie_encoder/movie_writer.h"
#include "movie_encoder/palette_frames.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace q71::mkdata {

inline constexpr int kMovieWidth = 320;
inline constexpr int kMovieHeight = 240;
inline constexpr int kMovieRate = 15;

/// Two channels of sound at 22,050 Hz.
struct Soundtrack {
    Signal left, right;

    /// Adds a mono sound at `at` seconds, panned from -1 (left) to 1 (right).
    void place(const Signal& sound, double at, float gain, float pan = 0);
    /// Seconds of sound held.
    double seconds() const { return static_cast<double>(std::max(left.size(), right.size())) / kSoundRate; }
    /// Scales both channels so that the louder peak sits at -3 dBFS.
    void normalise();
};

/// How the pictures are coded.
enum class FrameForm {
    Palettised,  ///< a key frame, then frames of 4 by 4 blocks (flat colours, lossless)
    Transform,   ///< byte-coded block-transform frames that copy what did not change
    Intra,       ///< intra block-transform frames through the colour tables
    StudioIntra, ///< intra block-transform frames in studio range
};

struct MoviePlan {
    std::string name;
    int frames = 0;
    FrameForm form = FrameForm::Transform;
    encoder::SoundForm sound = encoder::SoundForm::Blocks;
    int quantiser = 80;
    /// Draws frame n onto a black canvas.
    std::function<void(Canvas&, int)> draw;
    /// How the picture moved since the frame before (where its content was), when known.
    std::function<encoder::Motion(int)> motion;
    /// The palette of a palettised movie.
    std::array<std::uint8_t, 768> palette{};
    int colours = 0;
    Soundtrack soundtrack;
};

/// The movie file.
std::vector<std::uint8_t> makeMovie(const MoviePlan& plan);

} // namespace q71::mkdata
