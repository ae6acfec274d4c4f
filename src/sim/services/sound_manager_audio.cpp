#include "sim/services/sound_manager_audio.h"

#include "media/audio/crew_speech.h"
#include "media/audio/sound_manager.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace q71 {
namespace {

SoundSample* sample(SoundSampleId id) {
    return reinterpret_cast<SoundSample*>(id);
}
SoundVoice* voice(SoundVoiceId id) {
    return reinterpret_cast<SoundVoice*>(id);
}
SoundVoiceId id(SoundVoice* voice) {
    return reinterpret_cast<SoundVoiceId>(voice);
}
int narrow(long value) {
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

class SoundManagerAudio final : public AudioService {
public:
    SoundSampleId loadSample(std::string_view name) override {
        return reinterpret_cast<SoundSampleId>(soundLoad(std::string(name).c_str()));
    }
    SoundVoiceId playSample(SoundSampleId s, bool loop, bool startNow, bool keep) override {
        return id(soundPlay(sample(s), loop, startNow, keep));
    }
    SoundVoiceId playByName(std::string_view name, bool loop, bool startNow, bool keep) override {
        return id(soundPlayByName(std::string(name).c_str(), loop, startNow, keep));
    }
    void setVoiceVolume(SoundVoiceId v, int volume) override { soundSetVoiceVolume(voice(v), volume); }
    void startVoice(SoundVoiceId v) override { soundStartVoice(voice(v)); }
    void stopVoice(SoundVoiceId v) override { soundStopVoice(voice(v)); }
    void freeVoice(SoundVoiceId v) override { soundEndLoop(voice(v)); }
    void setVoicePitch(SoundVoiceId v, double ratio) override { soundSetPitch(voice(v), ratio); }
    bool voicePlaying(SoundVoiceId v) const override { return soundVoiceIsPlaying(voice(v)); }
    void crewQueueSpeech(CrewChannel channel, std::span<const std::string> files, int priority) override {
        std::vector<const char*> names;
        for (const std::string& file : files)
            names.push_back(file.c_str());
        q71::crewQueueSpeech(static_cast<int>(channel), static_cast<int>(names.size()), names.data(),
                             priority);
    }
    void crewReportSonarNumber(bool secondSet, std::string_view leadIn, long number, int minDigits,
                               std::string_view tail, long secondNumber, int priority) override {
        const std::string lead(leadIn), end(tail);
        q71::crewReportSonarNumber(secondSet, lead.empty() ? nullptr : lead.c_str(), narrow(number),
                                   minDigits, end.empty() ? nullptr : end.c_str(), narrow(secondNumber),
                                   priority);
    }
};

} // namespace

AudioService& simSoundManagerAudio() {
    static SoundManagerAudio audio;
    return audio;
}

} // namespace q71
