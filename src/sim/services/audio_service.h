#pragma once
// What the simulation asks of the sound manager and the crew's speech channels: sound effects
// by wave-file name and spoken reports. The program installs the real one at start-up; tests
// install a recording one, and without either the simulation is silent.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace q71 {

/// Handles of the sound manager; 0 is none.
using SoundSampleId = std::uintptr_t;
using SoundVoiceId = std::uintptr_t;

/// The crew's speech channels, one per speaker.
enum class CrewChannel : int {
    helm = 0,
    officerOfDeck = 1,
    divingOfficer = 2,
    chiefOfWatch = 3,
    sonar = 4,
    radio = 5,
    scoring = 6, ///< recovery and team reports
    casualty = 7,
};

class AudioService {
public:
    virtual ~AudioService() = default;
    /// The sample of a wave file of the effects folder; 0 when it cannot be had.
    virtual SoundSampleId loadSample(std::string_view name) = 0;
    /// Plays a sample once or looping, now or when started; returns the voice only when kept.
    virtual SoundVoiceId playSample(SoundSampleId sample, bool loop, bool startNow, bool keep) = 0;
    /// loadSample and playSample in one.
    virtual SoundVoiceId playByName(std::string_view name, bool loop, bool startNow, bool keep) = 0;
    /// Sets a kept voice's volume, 0 to 127.
    virtual void setVoiceVolume(SoundVoiceId voice, int volume) = 0;
    /// Starts a kept voice.
    virtual void startVoice(SoundVoiceId voice) = 0;
    /// Stops a kept voice; it stays kept.
    virtual void stopVoice(SoundVoiceId voice) = 0;
    /// Gives a kept voice back; it is released once it stops.
    virtual void freeVoice(SoundVoiceId voice) = 0;
    /// Plays a kept voice at `ratio` times its recorded rate (a service without rate control plays
    /// every voice at its own rate).
    virtual void setVoicePitch(SoundVoiceId /*voice*/, double /*ratio*/) {}
    /// True while a kept voice is playing (a silent service plays nothing).
    virtual bool voicePlaying(SoundVoiceId /*voice*/) const { return false; }
    /// Queues one report of wave files on a channel; a lower priority value is more important.
    virtual void crewQueueSpeech(CrewChannel channel, std::span<const std::string> files, int priority) = 0;
    /// The sonar report: lead-in, the digits of a number (at least minDigits), tail, and the digits of
    /// a second number unless it is negative; digits from the second sonar set when asked.
    virtual void crewReportSonarNumber(bool secondSet, std::string_view leadIn, long number, int minDigits,
                                       std::string_view tail, long secondNumber, int priority) = 0;
};

} // namespace q71
