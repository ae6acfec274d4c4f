// Voices: building one on samples, starting, stopping and releasing, the housekeeping after
// each new voice, and volume and pitch.
#include "media/audio/sound_internal.h"

#include <algorithm>
#include <cstring>

namespace q71 {
namespace {

constexpr std::uint32_t kStaticBufferFlags =
    kSoundBufferStatic | kSoundBufferCtrlFrequency | kSoundBufferCtrlPan | kSoundBufferCtrlVolume;
constexpr int kMaxWaitingRestarts = 6;

int g_walks = 0;

SoundVoice* findSharedBuffer(const SoundVoice& voice) {
    for (auto& other : soundManager()->voices)
        if (other->buffer && !other->stream && other->samples == voice.samples &&
            other->totalBytes == voice.totalBytes)
            return other.get();
    return nullptr;
}

// A static buffer holding the samples one after the other, in the first one's format.
std::unique_ptr<SoundBuffer> makeStaticBuffer(const SoundVoice& voice) {
    std::unique_ptr<SoundBuffer> buffer;
    const SoundSample& first = *voice.samples.front();
    if (soundManager()->device->createBuffer({kStaticBufferFlags, voice.totalBytes, &first.format}, buffer) !=
        SoundResult::ok)
        return nullptr;
    SoundLockedRegion region;
    if (buffer->lock(0, 0, region, kSoundLockEntireBuffer) != SoundResult::ok)
        return nullptr;
    std::uint32_t at = 0;
    for (const SoundSample* sample : voice.samples) {
        if (!sample->data)
            continue;
        std::memcpy(region.part1 + at, sample->data->data(), sample->data->size());
        at += static_cast<std::uint32_t>(sample->data->size());
    }
    buffer->unlock(region);
    return buffer;
}

// Every playing voice whose buffer has stopped is stopped (and released when not kept); of the
// one-shots waiting to restart, all after the sixth are stopped.
void housekeeping() {
    soundBeginWalk();
    int waiting = 0;
    for (auto& voice : soundManager()->voices) {
        if (voice->release)
            continue;
        if (voice->playing && !soundVoiceIsPlaying(voice.get()))
            soundStopVoiceLocked(*voice);
        if (voice->restartPending && !voice->loop && !voice->stream && ++waiting > kMaxWaitingRestarts)
            soundStopVoiceLocked(*voice);
    }
    for (auto it = soundManager()->threads.begin(); it != soundManager()->threads.end();) {
        if (it->completion->finished) {
            it->thread.join();
            it = soundManager()->threads.erase(it);
        } else {
            ++it;
        }
    }
    soundEndWalk();
}

void reap() {
    auto& voices = soundManager()->voices;
    for (auto it = voices.begin(); it != voices.end();) {
        SoundVoice& voice = **it;
        if (!voice.release) {
            ++it;
            continue;
        }
        soundDetachCompletion(voice);
        voice.buffer.reset();
        it = voices.erase(it);
    }
}

SoundVoice* buildVoice(std::vector<SoundSample*> samples, int loop, int startNow, int keep) {
    if (!soundManager() || samples.empty() || (!soundOn() && !keep))
        return nullptr;
    auto voice = std::make_unique<SoundVoice>();
    voice->loop = loop != 0;
    voice->keep = keep != 0;
    voice->samples = std::move(samples);
    for (SoundSample* sample : voice->samples) {
        soundLoadSampleData(*sample);
        if (sample->data)
            voice->totalBytes += static_cast<std::uint32_t>(sample->data->size());
    }
    if (SoundVoice* other = findSharedBuffer(*voice))
        soundManager()->device->duplicateBuffer(*other->buffer, voice->buffer);
    else if (voice->samples.front()->data)
        voice->buffer = makeStaticBuffer(*voice);
    if (!voice->buffer) { // a sample that could not be read has nothing to play
        housekeeping();
        return nullptr;
    }
    voice->buffer->getFrequency(voice->baseFrequency);
    soundApplyVolume(*voice);
    return soundAddVoice(std::move(voice), startNow != 0);
}

} // namespace

void soundBeginWalk() {
    ++g_walks;
}

void soundEndWalk() {
    if (--g_walks == 0)
        reap();
}

void soundReap() {
    if (g_walks == 0)
        reap();
}

void soundDetachCompletion(SoundVoice& voice) {
    if (!voice.completion)
        return;
    voice.completion->voice = nullptr;
    voice.completion->signalled = true;
    voice.completion->event.notify_all();
    voice.completion.reset();
}

void soundApplyVolume(SoundVoice& voice) {
    if (voice.buffer)
        voice.buffer->setVolume(soundAttenuation(soundManager()->masterVolume, voice.volume));
}

SoundVoice* soundAddVoice(std::unique_ptr<SoundVoice> voice, bool startNow) {
    SoundVoice* added = voice.get();
    const bool keep =
        added->keep; // a one-shot may be gone again once started (a stream with nothing to play)
    soundManager()->voices.push_front(std::move(voice));
    if (startNow)
        soundStartVoice(added);
    housekeeping();
    return keep ? added : nullptr;
}

void soundStopVoiceLocked(SoundVoice& voice) {
    if (voice.buffer)
        voice.buffer->stop();
    voice.playing = false;
    voice.restartPending = false;
    if (voice.stream) {
        voice.stream->segments.clear();
        voice.stream->reading = 0;
        voice.buffer.reset();
        soundDetachCompletion(voice);
    }
    if (!voice.keep) {
        voice.release = true;
        soundReap();
    }
}

SoundVoice* soundPlay(SoundSample* sample, int loop, int startNow, int keep) {
    auto lock = soundLock();
    if (!sample)
        return nullptr;
    return buildVoice({sample}, loop, startNow, keep);
}

SoundVoice* soundPlayByName(const char* name, int loop, int startNow, int keep) {
    auto lock = soundLock();
    return soundPlay(soundLoad(name), loop, startNow, keep);
}

void soundStartVoice(SoundVoice* voice) {
    auto lock = soundLock();
    if (!soundManager() || !voice || voice->release)
        return;
    if (!soundOn()) {
        voice->restartPending = true; // plays when sound comes back (at most six one-shots wait)
        return;
    }
    if (voice->stream) {
        soundStreamStart(*voice);
        return;
    }
    if (voice->buffer)
        voice->playing = voice->buffer->play(voice->loop ? kSoundPlayLooping : 0) == SoundResult::ok;
}

void soundStopVoice(SoundVoice* voice) {
    auto lock = soundLock();
    if (soundManager() && voice)
        soundStopVoiceLocked(*voice);
}

void soundKillVoice(SoundVoice* voice) {
    auto lock = soundLock();
    if (!soundManager() || !voice)
        return;
    voice->keep = false;
    soundStopVoiceLocked(*voice);
}

void soundFreeVoice(SoundVoice* voice) {
    auto lock = soundLock();
    if (!soundManager() || !voice)
        return;
    voice->release = true;
    soundReap();
}

void soundEndLoop(SoundVoice* voice) {
    auto lock = soundLock();
    if (!soundManager() || !voice)
        return;
    voice->keep = false;
    const bool wasLooping = voice->loop;
    voice->loop = false; // a stream no longer starts its file again
    if (!soundVoiceIsPlaying(voice)) {
        soundStopVoiceLocked(*voice); // it has stopped already, so it goes now
        return;
    }
    if (wasLooping && !voice->stream)
        voice->buffer->play(0); // finish this pass; the housekeeping then releases it
}

bool soundVoiceIsPlaying(SoundVoice* voice) {
    auto lock = soundLock();
    if (!soundManager() || !voice || !voice->buffer)
        return false;
    std::uint32_t status = 0;
    voice->buffer->getStatus(status);
    return (status & kSoundStatusPlaying) != 0;
}

void soundSetVoiceVolume(SoundVoice* voice, int volume) {
    auto lock = soundLock();
    if (!soundManager() || !voice)
        return;
    voice->volume = std::clamp(volume, 0, 127);
    soundApplyVolume(*voice);
}

void soundSetPitch(SoundVoice* voice, double ratio) {
    auto lock = soundLock();
    if (!soundManager() || !voice || !voice->buffer)
        return;
    const double hertz =
        std::clamp(ratio * voice->baseFrequency, double(kSoundMinFrequency), double(kSoundMaxFrequency));
    voice->buffer->setFrequency(static_cast<std::uint32_t>(hertz));
}

double soundGetPitch(SoundVoice* voice) {
    auto lock = soundLock();
    if (!soundManager() || !voice || !voice->buffer)
        return 0.0;
    std::uint32_t hertz = 0;
    voice->buffer->getFrequency(hertz);
    return static_cast<double>(hertz) / voice->buffer->format().samplesPerSec;
}

void soundStopAll() {
    auto lock = soundLock();
    if (!soundManager())
        return;
    soundBeginWalk();
    for (auto& voice : soundManager()->voices)
        soundStopVoiceLocked(*voice);
    soundEndWalk();
}

} // namespace q71
