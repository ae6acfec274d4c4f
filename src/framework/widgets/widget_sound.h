#pragma once
// How widgets make their click sounds. The sound manager lies above the framework, so the
// toolkit asks for sounds through this interface, which the program fills with the sound
// manager at start-up. Until then the null sound is installed and the widgets are silent.

namespace q71 {

// The sound manager's handles; the toolkit only holds and hands them back.
struct SoundSample;
struct SoundVoice;

class WidgetSound {
public:
    virtual ~WidgetSound() = default;
    /// The sample of a wave, loaded or found; null when there is none.
    virtual SoundSample* loadSample(const char* wave) = 0;
    /// Plays a sample once, at once, without keeping the voice.
    virtual void playSample(SoundSample* sample) = 0;
    /// A kept voice on a wave, not started and not looping; null when there is none.
    virtual SoundVoice* prepareVoice(const char* wave) = 0;
    /// Plays a prepared voice again.
    virtual void restartVoice(SoundVoice* voice) = 0;
    /// Gives a prepared voice back.
    virtual void releaseVoice(SoundVoice* voice) = 0;
};

/// The sound that plays nothing.
WidgetSound& nullWidgetSound();
/// Installs the widgets' sound; null puts the null sound back.
void widgetSetSound(WidgetSound* sound);
/// The installed sound.
WidgetSound& widgetSound();

} // namespace q71
