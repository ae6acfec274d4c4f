#pragma once
// A widget sound that plays nothing and keeps a log of what the widgets asked of it, installed
// for as long as it lives.

#include "framework/widgets/widget_sound.h"

#include <string>
#include <vector>

namespace q71::test {

class RecordingSound final : public WidgetSound {
public:
    RecordingSound() { widgetSetSound(this); }
    ~RecordingSound() override { widgetSetSound(nullptr); }
    RecordingSound(const RecordingSound&) = delete;
    RecordingSound& operator=(const RecordingSound&) = delete;

    SoundSample* loadSample(const char* wave) override {
        log.push_back(std::string("load ") + wave);
        return handle<SoundSample>();
    }
    void playSample(SoundSample*) override { log.emplace_back("play"); }
    SoundVoice* prepareVoice(const char* wave) override {
        log.push_back(std::string("prepare ") + wave);
        return handle<SoundVoice>();
    }
    void restartVoice(SoundVoice*) override { log.emplace_back("restart"); }
    void releaseVoice(SoundVoice*) override { log.emplace_back("release"); }

    std::vector<std::string> log;

private:
    // The widgets only hand the handles back, so any distinct address serves.
    template <typename T> T* handle() { return reinterpret_cast<T*>(&marker_); }
    int marker_ = 0;
};

} // namespace q71::test
