#include "media/audio/widget_sound_adapter.h"

#include "media/audio/sound_manager.h"

namespace q71 {
namespace {

class SoundManagerWidgetSound final : public WidgetSound {
public:
    SoundSample* loadSample(const char* wave) override { return soundLoad(wave); }
    void playSample(SoundSample* sample) override { soundPlay(sample, 0, 1, 0); }
    SoundVoice* prepareVoice(const char* wave) override { return soundPlay(soundLoad(wave), 0, 0, 1); }
    void restartVoice(SoundVoice* voice) override {
        soundStopVoice(voice);
        soundStartVoice(voice);
    }
    void releaseVoice(SoundVoice* voice) override { soundFreeVoice(voice); }
};

} // namespace

WidgetSound& soundManagerWidgetSound() {
    static SoundManagerWidgetSound sound;
    return sound;
}

} // namespace q71
