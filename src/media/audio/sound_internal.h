#pragma once
// The sound manager's state and the operations its files share with each other and with the
// crew's speech channels. Everything here is used with soundLock() held.

#include "media/audio/sound_manager.h"
#include "media/audio/wave_reader.h"
#include "platform/sound/sound_device.h"

#include <condition_variable>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace q71 {

using SoundData = std::shared_ptr<const std::vector<std::uint8_t>>;

struct SoundSample {
    std::string name;
    std::string path;
    bool loaded = false; ///< reading was tried (a failed read is not retried)
    WaveFormat format;
    SoundData data; ///< whole blocks; null when the wave could not be read
};

/// Where one segment of a stream voice gets its sound.
class StreamSource {
public:
    virtual ~StreamSource() = default;
    virtual const WaveFormat& format() const = 0;
    /// The next bytes; fewer than asked only at the end.
    virtual std::size_t read(std::span<std::uint8_t> into) = 0;
    /// Starts again from the top (for looping); false when it cannot.
    virtual bool rewind() = 0;
    /// Reads up to `bytes` ahead into memory, so that `read` need not wait for the disk; called
    /// by the stream thread without the sound lock. A looping source reads on from its top past
    /// its end, so that `rewind` and the reads after it need no disk either. Sources in memory
    /// have nothing to do.
    virtual void readAhead(std::size_t /*bytes*/, bool /*loop*/) {}
};

/// A source over a wave file, opened now; null when it cannot be read.
std::shared_ptr<StreamSource> streamOpenFile(const std::string& path);
/// A source over a wave file that opens it when it is first read or read ahead; a file that
/// cannot be read then gives a source whose format matches nothing and that reads nothing.
std::shared_ptr<StreamSource> streamLazyFile(const std::string& path);

struct StreamSegment {
    std::string path; ///< the wave file (empty for a source given at once)
    std::int16_t priority = 0;
    std::int16_t following = 0;             ///< files after this one in its report
    std::shared_ptr<StreamSource> source;   ///< made when reading reaches (or nears) the segment
    std::optional<std::uint64_t> startedAt; ///< ring position where its sound began
};

/// The wake-up of a stream thread and the ring's bookkeeping, shared by the thread and its
/// voice. Both only touch it under the lock; whichever ends first detaches the other, so the
/// record is freed exactly once, by the last owner.
struct StreamCompletion {
    std::condition_variable_any event; ///< auto-reset: `signalled` is cleared by the waiter
    bool signalled = false;
    SoundVoice* voice = nullptr;           ///< null once detached
    bool finished = false;                 ///< the thread has ended
    std::uint64_t written = 0;             ///< bytes written into the ring since it started
    std::uint64_t played = 0;              ///< bytes played since it started
    std::uint32_t lastPlay = 0;            ///< the play position at the last refill
    std::optional<std::uint64_t> end;      ///< where the sound ends, once every segment is read
    std::optional<std::uint64_t> rewindTo; ///< cut the ring back to here at the next refill
};

struct SoundStream {
    std::size_t capacity = 0;
    std::vector<StreamSegment> segments;
    std::size_t reading = 0; ///< the segment being read
    int firstMs = 500;
    int secondMs = 2000;
    WaveFormat format; ///< the ring's
};

struct SoundVoice {
    std::uint32_t totalBytes = 0;
    std::vector<SoundSample*> samples;
    bool loop = false;
    bool playing = false;
    bool restartPending = false;
    bool keep = false;
    bool release = false;
    std::uint32_t baseFrequency = 0;
    int volume = 127;
    std::unique_ptr<SoundStream> stream; ///< set for stream voices
    std::shared_ptr<StreamCompletion> completion;
    std::unique_ptr<SoundBuffer> buffer;
};

struct StreamThread {
    std::thread thread;
    std::shared_ptr<StreamCompletion> completion;
};

struct SoundManager {
    WindowHandle window{}; ///< the owner; our device needs no cooperation level from it
    std::unique_ptr<SoundDevice> device;
    std::unique_ptr<SoundBuffer> primary;
    int masterVolume = 127;
    std::vector<std::unique_ptr<SoundSample>> samples; ///< sorted by path
    std::list<std::unique_ptr<SoundVoice>> voices;     ///< newest first
    std::list<StreamThread> threads;
    std::minstd_rand gapRandom;               ///< for intermittent voices; never the simulation's generator
    std::optional<std::string> effectsFolder; ///< read on first use
};

/// The lock of the manager (a recursive lock: operations call each other).
std::unique_lock<std::recursive_mutex> soundLock();
/// The manager, or null.
SoundManager* soundManager();
/// Changes whenever a manager is created or shut down, so holders of voices can tell theirs are gone.
std::uint64_t soundManagerGeneration();
/// The sound-on flag (under the lock).
bool soundOn();

/// The path of a wave name: in the effects folder unless it is a path already.
std::string soundSamplePath(const char* name);
/// Reads a sample's data when that has not been tried; true when it has data.
bool soundLoadSampleData(SoundSample& sample);
/// Sets a voice's buffer volume from its own and the master volume.
void soundApplyVolume(SoundVoice& voice);
/// Puts a new voice at the head of the list, starts it when asked, runs the housekeeping and
/// returns it when kept.
SoundVoice* soundAddVoice(std::unique_ptr<SoundVoice> voice, bool startNow);
/// Stops a voice; one that is not kept is released.
void soundStopVoiceLocked(SoundVoice& voice);
/// Wakes a stream voice's thread and lets it end: the voice and its completion record part.
void soundDetachCompletion(SoundVoice& voice);
/// Enter and leave a walk of the voice list; leaving the last walk frees released voices.
void soundBeginWalk();
void soundEndWalk();
/// Frees released voices, unless a walk is under way (its end will).
void soundReap();

/// A stream voice on wave files played one after the other; returned only when kept.
SoundVoice* soundPlayStreamFiles(const std::vector<std::string>& names, int loop, int startNow, int keep,
                                 int firstMs, int secondMs);
/// A stream voice with room for `capacity` segments and no buffer yet.
std::unique_ptr<SoundVoice> soundMakeStreamVoice(std::size_t capacity, bool loop, bool keep, int firstMs,
                                                 int secondMs);
/// Gives a stream voice a ring in the format, filled with silence; false when it cannot be made.
bool soundStreamCreateRing(SoundVoice& voice, const WaveFormat& format);
/// Plays a stream voice's ring and starts its refill thread when it has none.
void soundStreamStart(SoundVoice& voice);
/// Brings a stream voice's count of played bytes up to its ring's play position.
void soundStreamUpdatePlayed(SoundVoice& voice);
/// What a stream thread does when it wakes: refills the ring, and stops the voice once all its
/// sound has been played; false then.
bool soundStreamService(SoundVoice& voice);
/// Refills a stream voice's ring; true when all its sound has been played.
bool soundStreamRefill(SoundVoice& voice);
/// The first and second time values with their defaults and limits applied.
void soundStreamTimes(int& firstMs, int& secondMs);

} // namespace q71
