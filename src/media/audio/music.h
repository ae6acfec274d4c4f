#pragma once
// Background music: one MIDI track at a time, played once or endlessly through the platform's
// MIDI player into the sound device's mix. The front end loads tracks by name, stops them around
// movies, and asks to be told when a track has ended: the player posts MM_MCINOTIFY to the music
// window, whose handler calls musicNotifyEnd, which calls the end listeners.
//
// Main thread only. Every function does nothing (or returns 0) before musicInit. Music plays
// once the sound manager's device exists (soundInit), and musicShutdown must come before
// soundShutdown.

#include "platform/window/window_types.h"

#include <memory>

namespace q71 {

class MidiSynth;

/// Opens music for the window, once: the MIDI player on the General MIDI synthesiser, or silent
/// (tracks still run their time and end) when no SoundFont is found.
void musicInit(WindowHandle window);
/// Opens music on the given synthesiser (null for silence): what tests use.
void musicInitOnSynth(WindowHandle window, std::unique_ptr<MidiSynth> synth);
/// Unloads the track and closes the player; safe to call twice.
void musicShutdown();

/// Loads a track from the music folder (or a path); loop 0 plays it once and notifies its end,
/// loop 1 plays it endlessly. The track already loaded is kept as it is. 1 on success, else 0.
int musicLoad(const char* name, int loop);
/// Marks the track wanted and, with music enabled, plays it: resumes a stopped track or starts a
/// finished one.
void musicPlay();
/// Stops the track and clears its wanted mark.
void musicStop();
/// musicUnload, musicLoad, musicPlay; returns what musicLoad returned.
int musicLoadAndPlay(const char* name, int loop);
/// Ends a stopped track; starts a playing one again from the top.
void musicRestart();
/// Drops every end listener, ends the track and forgets it.
void musicUnload();

/// The music-on flag (on at first).
bool musicIsEnabled();
/// Music on: a track that is wanted plays.
void musicEnable();
/// Music off: a playing track stops but stays wanted, so that musicEnable resumes it.
void musicDisable();

/// The master volume, 0-127 (larger values give 127).
void musicSetVolume(unsigned volume);
/// The master volume; 0 before musicInit.
int musicGetVolume();
/// Sends the stored master volume to the player again.
void musicApplyVolume();

using MusicEndListener = void (*)(void* argument);
/// Registers a call at the next end of the music (not twice for the same function and argument).
void musicAddEndListener(MusicEndListener function, void* argument);
/// Withdraws a registered call.
void musicRemoveEndListener(MusicEndListener function, void* argument);
/// The music window's handler of MM_MCINOTIFY: for wParam 1 (ended normally) every listener
/// not yet called is called once with its argument and then dropped.
void musicNotifyEnd(WindowHandle window, WParam argument);

} // namespace q71
