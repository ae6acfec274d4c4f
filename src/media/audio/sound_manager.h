#pragma once
// The sound manager: every sound effect and every crew report plays through it. A caller names
// a wave once (soundLoad gives a sample) and starts voices on it (soundPlay): one-shots that go
// by themselves, and voices the caller keeps, loops and stops. Long sounds stream from their
// file through a ring (soundPlayStream), as do the crew's speech channels.
//
// Every function is safe from any thread and does nothing, or returns 0, before soundInit or
// after soundShutdown. Samples live until shutdown; a voice lives until it is released: a
// voice that is not kept as soon as it stops, a kept one when its holder frees it.

#include "platform/window/window_types.h"

#include <cstdint>
#include <memory>

namespace q71 {

class SoundBuffer;
class SoundDevice;
struct SoundSample;
struct SoundVoice;

/// Creates the manager for the window on the machine's sound device; true on success. A second
/// call returns true while the manager exists; after a failed attempt no new attempt is made.
bool soundInit(WindowHandle window);
/// Creates the manager on the given device (tests give a device they advance by hand).
bool soundInitOnDevice(WindowHandle window, std::unique_ptr<SoundDevice> device);
/// Releases every voice and sample and the device, once the stream threads have ended; safe to call twice.
void soundShutdown();

/// The sound-on flag.
bool soundIsEnabled();
/// Sound on: looping kept voices that sound off interrupted play again.
void soundEnable();
/// Sound off: every voice stops; looping kept voices are marked to play again.
void soundDisable();

/// The sample of a wave of the effects folder (or a path), found or added; read on its first play.
SoundSample* soundLoad(const char* name);
/// One voice on a sample; returns the voice only when `keep` is set.
SoundVoice* soundPlay(SoundSample* sample, int loop, int startNow, int keep);
/// soundLoad then soundPlay.
SoundVoice* soundPlayByName(const char* name, int loop, int startNow, int keep);
/// A voice that streams a wave from its file through a ring of `secondMs` milliseconds, refilled
/// every `firstMs` milliseconds (0 for the defaults); with `loop` the file starts again after its
/// end. Returns the voice only when `keep` is set.
SoundVoice* soundPlayStream(const char* name, int loop, int startNow, int keep, int firstMs, int secondMs);
/// soundPlayStream with a pointer to the name.
SoundVoice* soundPlayStreamRef(const char* const* name, int loop, int startNow, int keep, int firstMs,
                               int secondMs);
/// A voice that plays a wave and, with `loop`, plays it again after a random gap of `minGapMs` to
/// `maxGapMs` milliseconds, for ever; without `loop` it plays once. Returns the voice only when `keep` is
/// set.
SoundVoice* soundPlayIntermittent(const char* name, int loop, int startNow, int keep, int minGapMs,
                                  int maxGapMs);
/// The same on a loaded sample.
SoundVoice* soundPlayIntermittentRef(SoundSample* sample, int loop, int startNow, int keep, int minGapMs,
                                     int maxGapMs);

/// Plays a voice again from where it stands (looping when its loop flag is set).
void soundStartVoice(SoundVoice* voice);
/// Stops a voice; a voice that is not kept is then released.
void soundStopVoice(SoundVoice* voice);
/// Stops a voice and releases it at once.
void soundKillVoice(SoundVoice* voice);
/// Marks a voice for release (it stops).
void soundFreeVoice(SoundVoice* voice);
/// Gives a kept voice back: it ends its current pass and is released when it stops.
void soundEndLoop(SoundVoice* voice);
/// True while the voice's buffer plays.
bool soundVoiceIsPlaying(SoundVoice* voice);

/// Volume of one voice, 0-127 (clamped).
void soundSetVoiceVolume(SoundVoice* voice, int volume);
/// The master volume, 0-127.
int soundGetVolume();
/// Sets the master volume (clamped to 0-127), applied to every voice.
void soundSetVolume(int volume);
/// Playback rate as a ratio of the voice's base rate.
void soundSetPitch(SoundVoice* voice, double ratio);
/// The voice's current rate over its wave's own rate; 0 for no voice.
double soundGetPitch(SoundVoice* voice);

/// Stops every voice.
void soundStopAll();
/// Reads a sample's data now; false when it cannot be read.
bool soundPreload(SoundSample* sample);
/// Frees one sample's data (voices keep theirs); it is read again when next played.
void soundUnloadSample(SoundSample* sample);
/// Frees every sample's data.
void soundUnloadAll();

/// The manager's device and primary buffer, lent to the movie player.
SoundDevice* soundGetDirectSound();
SoundBuffer* soundGetPrimaryBuffer();
/// Called after a movie: the manager keeps its device and voices through movies, so nothing changes.
void soundRestore();

/// The device volume in hundredths of a decibel for a master and a voice volume (0-127 each).
std::int32_t soundAttenuation(int master, int voice);

} // namespace q71
