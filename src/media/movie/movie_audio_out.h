#pragma once
// The movie's sound output: a looping buffer of the sound device that the audio service keeps
// filled from the queue of decoded blocks, every 10 ms on a thread of its own. Without a device
// a silent clock stands in for the buffer's play position, so pictures keep their pace.

#include "platform/sound/sound_device.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace q71 {

/// The buffer holds six frames' worth of sound at 15 frames a second. The pacing shows frame f
/// once the sound of frame f + 5 is written; with the buffer kept full, that is when frame f's
/// own sound starts to play.
inline constexpr std::uint32_t kMovieAudioBufferBytes = 6 * 22050 / 15 * 4;
/// What the silent clock moves by every 10 ms: 10 ms of 22,050 Hz 16-bit stereo.
inline constexpr std::uint32_t kSilentClockStep = 882;

class MovieAudioOut {
public:
    /// Sound through the device, or on the silent clock when there is none.
    explicit MovieAudioOut(SoundDevice* device);
    ~MovieAudioOut();
    MovieAudioOut(const MovieAudioOut&) = delete;
    MovieAudioOut& operator=(const MovieAudioOut&) = delete;

    /// Makes and starts the buffer; false when it cannot be made.
    bool open();
    /// Starts the 10 ms service thread.
    void startService();
    /// Stops the service thread and the buffer.
    void close();

    /// Queues one block of interleaved 16-bit stereo samples; safe from any thread.
    void queue(std::vector<std::int16_t> block);
    /// Blocks waiting to be written.
    std::size_t queued() const;
    /// Blocks written into the buffer so far.
    int blocksPlayed() const { return played_.load(); }
    /// Set when the buffer was lost for good; the movie then ends.
    bool soundLost() const { return lost_.load(); }
    /// True once every block queued has been written and played.
    bool playedOut() const;

    /// One service pass: follows the play position and writes what fits (what the thread does
    /// every 10 ms; tests call it themselves).
    void tick();

private:
    void writeAt(std::uint64_t position, const std::uint8_t* bytes, std::uint32_t count);
    void fillSilence(std::uint64_t from, std::uint32_t count);

    SoundDevice* device_;
    std::unique_ptr<SoundBuffer> buffer_;
    mutable std::mutex queueLock_;
    std::deque<std::vector<std::int16_t>> blocks_;
    std::atomic<int> played_{0};
    std::atomic<bool> lost_{false};
    std::atomic<bool> inTick_{false};
    std::atomic<bool> stopping_{false};
    std::thread service_;
    std::uint32_t lastPosition_ = 0;
    std::uint32_t silentPosition_ = 0;
    std::atomic<std::uint64_t> bytesPlayed_{0};  ///< how far the play position has come, in all
    std::atomic<std::uint64_t> bytesWritten_{0}; ///< how far sound has been written, in all
};

} // namespace q71
