#pragma once
// The crew's speech of the data set: every phrase of data/speech.txt spoken by espeak-ng in
// French, in its speaker's voice, and made to sound like the boat's intercom.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// Speaks every phrase into the data set's effects folder; throws when espeak-ng cannot be run.
void generateSpeech(const Context& context);

} // namespace q71::mkdata
