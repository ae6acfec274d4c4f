#include "tactical/rwutils/sea_texture.h"

#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/rw_effects.h"

#include <algorithm>
#include <array>

namespace q71 {
namespace {

constexpr std::array<const char*, 6> kSeaTextures{"sea1.bmp", "sea1.bmp", "sea2.bmp",
                                                 "sea3.bmp", "sea4.bmp", "sea5.bmp"};
constexpr int kOptionTextures3d = 0;
constexpr int kFramesPerStep = 6;

struct SeaTexture {
    int appliedState = -1;
    int appliedOption = -1;
    r3d::Texture* texture = nullptr;
    int frames = 0;
};

SeaTexture& sea() {
    static SeaTexture s;
    return s;
}

int currentSeaState() {
    return static_cast<int>(std::min<std::uint32_t>(simClock().seaState, kSeaTextures.size() - 1));
}

} // namespace

std::string rwSeaTextureName(int seaState) {
    return kSeaTextures[static_cast<std::size_t>(std::clamp<int>(seaState, 0, kSeaTextures.size() - 1))];
}

void rwUpdateSeaTexture() {
    SeaTexture& s = sea();
    const int state = currentSeaState();
    const int option = simFrontEnd().optionsField(kOptionTextures3d);
    if (state != s.appliedState || option != s.appliedOption) {
        if (s.texture)
            rwReleaseTexture(rwSeaTextureName(s.appliedState));
        s.texture = nullptr;
        s.appliedState = state;
        s.appliedOption = option;
        if (option == 1)
            s.texture = rwLoadTexture(rwSeaTextureName(state));
    }
    if (s.texture && ++s.frames >= kFramesPerStep) {
        s.frames = 0;
        s.texture->nextFrame();
    }
}

r3d::Texture* rwSeaTexture() {
    return sea().texture;
}

void rwShutdown() {
    SeaTexture& s = sea();
    if (s.texture)
        rwReleaseTexture(rwSeaTextureName(s.appliedState));
    s = SeaTexture{};
    rwEffects().releaseWakeTexture();
}

} // namespace q71
