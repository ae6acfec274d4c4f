#include "mkdata/sounds/sound_effects.h"

#include "mkdata/files.h"

#include <stdexcept>
#include <string>

namespace q71::mkdata {
namespace {

// The last steps every effect takes: a loop is cut to its length with its end blended into its
// start; a one-shot gets soft edges; every peak sits at -3 dBFS.
Signal finish(const SoundEffect& effect) {
    Noise noise(seedOf(effect.name));
    Signal s = effect.make(noise);
    if (effect.loopSeconds > 0) {
        const std::size_t wanted = samplesIn(effect.loopSeconds + kLoopCrossfade);
        if (s.size() < wanted)
            throw std::runtime_error(std::string("the loop of ") + effect.name + " is too short");
        s.resize(wanted);
        makeLoop(s, kLoopCrossfade);
    } else {
        fadeEdges(s, 0.001, 0.02);
    }
    normalise(s);
    return s;
}

} // namespace

void generateSounds(const Context& context) {
    for (auto family :
         {controlEffects(), sonarEffects(), boatEffects(), explosionEffects(), platformEffects()})
        for (const SoundEffect& effect : family)
            writeOutput(context.out / "sfx" / effect.name, encodeWave(finish(effect)));
}

} // namespace q71::mkdata
