#pragma once
// Opening and closing the 3-D library, its settings and queries, and its own random numbers.
// The library runs on the main thread only.

#include <cstdint>
#include <span>
#include <string_view>

namespace q71::r3d {

/// The device the library opens on.
constexpr std::string_view kDevice = "MSWindows";
/// The query of the value immediate-mode colours are scaled by for full light (1.0).
constexpr int kQueryLightingValue = 8;

struct OptionPair {
    int option = 0;
    int value = 0;
};

/// Opens the library on the device; false for any other device. Option pairs are kept.
bool openLibrary(std::string_view device, std::span<const OptionPair> options);
/// Forgets every registered texture, image and material handle, the fog and the modelling state.
void closeLibrary();
bool libraryOpen();

/// Keeps a setting (no setting changes how the library draws).
void setLibrarySetting(int setting, std::int32_t value);
/// The answer to a query: the lighting value (1.0) for kQueryLightingValue, a kept setting of
/// the same number otherwise (0 when none was set).
double queryLibrary(int query);

/// The next number of the library's generator, 0 ... 2^31 - 1.
std::int32_t libraryRandom();
/// Restarts the generator (opening the library seeds it with 1).
void seedLibraryRandom(std::uint32_t seed);

} // namespace q71::r3d
