#include "framework/widgets/widget_sound.h"

namespace q71 {
namespace {

class NullWidgetSound final : public WidgetSound {
public:
    SoundSample* loadSample(const char*) override { return nullptr; }
    void playSample(SoundSample*) override {}
    SoundVoice* prepareVoice(const char*) override { return nullptr; }
    void restartVoice(SoundVoice*) override {}
    void releaseVoice(SoundVoice*) override {}
};

WidgetSound* installed = nullptr;

} // namespace

WidgetSound& nullWidgetSound() {
    static NullWidgetSound sound;
    return sound;
}

void widgetSetSound(WidgetSound* sound) {
    installed = sound;
}

WidgetSound& widgetSound() {
    return installed ? *installed : nullWidgetSound();
}

} // namespace q71
