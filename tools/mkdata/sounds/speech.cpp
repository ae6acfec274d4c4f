#include "mkdata/sounds/speech.h"

#include "media/audio/wave_reader.h"
#include "mkdata/files.h"
#include "mkdata/sounds/dsp.h"
#include "mkdata/sounds/speech_list.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

extern char** environ;

namespace q71::mkdata {
namespace {

// Runs espeak-ng to write the words into a wave file; throws when it cannot.
void runEspeak(const SpeechVoice& voice, const std::string& words, const std::filesystem::path& wave) {
    const std::string pitch = std::to_string(voice.pitch), speed = std::to_string(voice.wordsPerMinute);
    const std::string path = wave.string();
    const char* argv[] = {"espeak-ng",   "-v",          voice.espeakVoice.c_str(),
                          "-p",          pitch.c_str(), "-s",
                          speed.c_str(), "-w",          path.c_str(),
                          words.c_str(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "espeak-ng", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        throw std::runtime_error("cannot run espeak-ng (scripts/setup installs it)");
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("espeak-ng failed on \"" + words + "\"");
}

// The spoken wave as a signal at our rate.
Signal readSpoken(const std::filesystem::path& wave) {
    WaveFormat format;
    std::vector<std::uint8_t> data;
    if (waveReadAll(wave.string(), format, data) != WaveError::none || format.channels != 1 ||
        format.bitsPerSample != 16)
        throw std::runtime_error("espeak-ng wrote no 16-bit mono wave into " + wave.string());
    Signal in(data.size() / 2);
    for (std::size_t i = 0; i < in.size(); ++i) {
        std::int16_t v;
        std::memcpy(&v, data.data() + 2 * i, 2);
        in[i] = v / 32768.0f;
    }
    if (format.samplesPerSec == kSoundRate)
        return in;
    Signal out(in.size() * kSoundRate / format.samplesPerSec); // linear resampling
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double at = static_cast<double>(i) * format.samplesPerSec / kSoundRate;
        const std::size_t j = static_cast<std::size_t>(at);
        const float t = static_cast<float>(at - static_cast<double>(j));
        out[i] = in[j] * (1 - t) + in[std::min(j + 1, in.size() - 1)] * t;
    }
    return out;
}

// The intercom: the band of a telephone, a little distortion and hiss; the distortion's
// overtones are filtered out again, so that the sound stays in its band.
void throughSpeaker(Signal& speech, SpeechSound sound, Noise& noise) {
    trimSilence(speech, 0.01f, 0.03);
    const double low = sound == SpeechSound::address ? 250 : 300;
    const double high = sound == SpeechSound::address ? 4000 : 3400;
    auto band = [&](int passes) {
        for (int pass = 0; pass < passes; ++pass) {
            Biquad::highPass(low).apply(speech);
            Biquad::lowPass(high).apply(speech);
        }
    };
    band(2);
    normalise(speech);
    saturate(speech, sound == SpeechSound::cries ? 5.0f : sound == SpeechSound::address ? 1.5f : 2.5f);
    for (float& v : speech)
        v += 0.006f * noise.next();
    band(2);
    if (sound == SpeechSound::address)
        reverberate(speech, 0.9, 0.35f); // a loudspeaker on the quay
    fadeEdges(speech, 0.005, 0.02);
    normalise(speech);
}

} // namespace

Signal speakWords(const SpeechVoice& voice, const std::string& words, const std::filesystem::path& scratch) {
    runEspeak(voice, words, scratch);
    return readSpoken(scratch);
}

void generateSpeech(const Context& context) {
    const std::filesystem::path source = context.source / "speech.txt";
    const SpeechList list = parseSpeechList(readSource(source), source.string());
    const std::filesystem::path work = context.out / ".speech";
    std::filesystem::create_directories(work);
    const std::filesystem::path spoken = work / "spoken.wav";
    for (const SpeechLine& line : list.lines) {
        const SpeechVoice& voice = list.voices.find(line.speaker)->second;
        Signal speech = speakWords(voice, line.words, spoken);
        Noise noise(seedOf(line.wave));
        throughSpeaker(speech, voice.sound, noise);
        if (speech.empty())
            throw std::runtime_error(source.string() + ": espeak-ng said nothing for " + line.wave);
        writeOutput(context.out / "sfx" / line.wave, encodeWave(speech));
    }
    std::filesystem::remove_all(work);
}

} // namespace q71::mkdata
