#pragma once
// The crew's speech of the data set: every phrase of data/speech.txt spoken by espeak-ng in
// French, in its speaker's voice, and made to sound like the boat's intercom.

#include "mkdata/generator.h"
#include "mkdata/sounds/dsp.h"
#include "mkdata/sounds/speech_list.h"

#include <filesystem>
#include <string>

namespace q71::mkdata {

/// Speaks every phrase into the data set's effects folder; throws when espeak-ng cannot be run.
void generateSpeech(const Context& context);

/// The words (UTF-8) as espeak-ng speaks them in the voice, at the data set's rate, unfiltered;
/// `scratch` is a wave file it may write. Throws when espeak-ng cannot be run.
Signal speakWords(const SpeechVoice& voice, const std::string& words, const std::filesystem::path& scratch);

} // namespace q71::mkdata
