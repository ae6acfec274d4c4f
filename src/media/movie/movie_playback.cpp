#include "media/movie/movie_playback.h"

#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"

#include <chrono>
#include <thread>

namespace q71 {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kFrameTime = std::chrono::microseconds(1000000 / kMovieFramesPerSecond);
constexpr auto kWaitStep = std::chrono::milliseconds(2);
constexpr auto kLongestPlayOut = std::chrono::milliseconds(600); // a little more than the buffer holds

bool stopRequested(const MoviePlayback& p) {
    return (p.flags & kPlayPollsStop) && p.stopRequest && p.stopRequest->load() != 0;
}

// Paces pictures by the clock: from a start time, one frame time each.
class FrameClock {
public:
    void restart(int frame) {
        start_ = Clock::now();
        firstFrame_ = frame;
    }
    /// Waits for the frame's time; false when a stop was requested meanwhile.
    bool waitFor(int frame, const MoviePlayback& p) const {
        auto due = start_ + kFrameTime * (frame - firstFrame_);
        while (Clock::now() < due) {
            if (stopRequested(p))
                return false;
            std::this_thread::sleep_for(std::min<Clock::duration>(kWaitStep, due - Clock::now()));
        }
        return true;
    }

private:
    Clock::time_point start_;
    int firstFrame_ = 0;
};

// The sound has nothing more to give: its end was read, or the pictures fill their ring while
// no sound is waiting. Pictures then keep their own time instead of waiting for it.
bool soundRanOut(const MoviePlayback& p) {
    return p.audio.queued() == 0 && (p.decoder.soundEnded() || p.decoder.framesFull());
}

// The next frame, reading on when the ring is empty but the file is not; null at the end.
QueuedFrame* nextFrame(MoviePlayback& p) {
    for (;;) {
        if (QueuedFrame* frame = p.decoder.nextFrame())
            return frame;
        if (p.decoder.fileEnded() || stopRequested(p))
            return nullptr;
        p.decoder.readStep();
        if (!p.decoder.nextFrame())
            std::this_thread::sleep_for(kWaitStep); // sound fills the rings: let it play out
    }
}

// Plays to the last frame (true) or until a stop or a failure (false).
bool play(MoviePlayback& p) {
    const bool sound = p.decoder.playsSound();
    codec_setup(p.decoder.codec(), p.display->format());
    // The sound starts before the first picture is looked for: a movie may hold more sound ahead
    // of it than the ring takes, and only playing that sound makes room to read on to it.
    if (sound) {
        if (!p.audio.open())
            return false;
        p.audio.startService();
    }
    FrameClock frameClock;
    frameClock.restart(0);
    bool pacedBySound = sound;
    for (int shown = 0;; ++shown) {
        if (stopRequested(p))
            return false;
        QueuedFrame* frame = nextFrame(p);
        if (!frame)
            return !stopRequested(p);
        p.decoder.readStep();
        int lag = 0;
        if (pacedBySound) {
            while (shown > p.audio.blocksPlayed() - 5 && !p.audio.soundLost()) {
                if (stopRequested(p))
                    return false;
                if (soundRanOut(p)) {
                    // A movie whose sound ends before its pictures must not wait for ever.
                    pacedBySound = false;
                    frameClock.restart(shown);
                    break;
                }
                std::this_thread::sleep_for(kWaitStep);
            }
            if (p.audio.soundLost())
                return false;
            lag = std::max(0, p.audio.blocksPlayed() - 5 - shown);
        }
        if (!pacedBySound && !frameClock.waitFor(shown, p))
            return false; // pictures without sound keep the frame time instead of racing through
        MovieCodec& codec = p.decoder.codec();
        if (lag < 2) {
            if (codec_decode_frame(codec, frame->data, frame->kind))
                p.display->present(codec, p.flags & kPlayPresentation, p.x, p.y);
        } else if (frame->kind == FrameKind::Key || frame->kind == FrameKind::Blocks) {
            codec_decode_frame(codec, frame->data, frame->kind); // later frames build on these
        }
        codec_swap_frames(codec);
        p.decoder.popFrame();
    }
}

} // namespace

std::unique_ptr<MoviePlayback> movieOpenPlayback(std::string_view path, SoundDevice* device, std::uint32_t flags) {
    auto playback = std::make_unique<MoviePlayback>(device, (flags & kPlaySound) != 0);
    playback->flags = flags;
    if (!playback->decoder.open(path))
        return nullptr;
    return playback;
}

void movieRunPlayback(std::unique_ptr<MoviePlayback> playback) {
    if (play(*playback)) {
        // The sound written ahead of the last picture plays out rather than being cut off.
        auto until = Clock::now() + kLongestPlayOut;
        while (!playback->audio.playedOut() && Clock::now() < until && !stopRequested(*playback))
            std::this_thread::sleep_for(kWaitStep);
    }
    playback->audio.close();
    WindowHandle notify = playback->notify;
    playback.reset(); // the file, the queued frames and sound, the codec's buffers
    messagePost(notify, WM_COMMAND, kMovieEndCommand, 0); // refused when the window is gone
}

} // namespace q71
