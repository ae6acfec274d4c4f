#include "render3d/library.h"
#include "render3d/fog.h"
#include "render3d/material.h"
#include "render3d/modelling.h"
#include "render3d/texture.h"

#include <map>
#include <vector>

namespace q71::r3d {

namespace {

bool open = false;
std::vector<OptionPair> openOptions;
std::map<int, std::int32_t> settings;
std::uint32_t randomState = 1;

} // namespace

bool openLibrary(std::string_view device, std::span<const OptionPair> options) {
    if (device != kDevice)
        return false;
    openOptions.assign(options.begin(), options.end());
    seedLibraryRandom(1);
    open = true;
    return true;
}

void closeLibrary() {
    clearTextures();
    clearImages();
    clearMaterials();
    makeFogCurrent(nullptr);
    switchFog(false);
    abandonModelling();
    settings.clear();
    open = false;
}

bool libraryOpen() {
    return open;
}

void setLibrarySetting(int setting, std::int32_t value) {
    settings[setting] = value;
}

double queryLibrary(int query) {
    if (query == kQueryLightingValue)
        return 1.0;
    const auto it = settings.find(query);
    return it == settings.end() ? 0.0 : it->second;
}

std::int32_t libraryRandom() {
    // A 32-bit xorshift; its top 31 bits are the number.
    randomState ^= randomState << 13;
    randomState ^= randomState >> 17;
    randomState ^= randomState << 5;
    return static_cast<std::int32_t>(randomState >> 1);
}

void seedLibraryRandom(std::uint32_t seed) {
    randomState = seed == 0 ? 1 : seed;
}

} // namespace q71::r3d
