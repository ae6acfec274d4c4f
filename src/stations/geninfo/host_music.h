#pragma once
// The music of a mission: the nine themes one after the other, drawn at random, never the same
// twice in a row. The draws come from a generator of their own: tracks end on the wall clock, so
// drawing from the world's generator would change the mission's course.

#include <cstdint>
#include <random>

namespace q71 {

inline constexpr int kHostTrackCount = 9;

/// The track names, by index.
const char* hostTrackName(int index);

/// The draw of the next track.
class TrackDraw {
public:
    explicit TrackDraw(std::uint32_t seed) : generator_(seed) {}
    /// The next index: any of the nine at first, then any but the previous one.
    int next();
    int previous() const { return previous_; }

private:
    std::minstd_rand generator_;
    int previous_ = -1;
};

/// Plays the drawn tracks for as long as it lives: each start registers for the track's end (the
/// music layer calls an end listener once and drops it), the destructor withdraws.
class HostMusic {
public:
    HostMusic();
    ~HostMusic();
    HostMusic(const HostMusic&) = delete;
    HostMusic& operator=(const HostMusic&) = delete;

    /// Starts the next track.
    void start();
    int track() const { return draw_.previous(); }

private:
    static void onTrackEnded(void* self);

    TrackDraw draw_;
};

} // namespace q71
