#pragma once
// The generators of the data set. Each writes its part of the install tree under
// Context::out from its sources under Context::source; a failure throws with a message
// that names the source file and line.

#include <filesystem>
#include <functional>
#include <span>

namespace q71::mkdata {

struct LetteredLabel;
/// Told of every label the generators letter into a picture (art/lettering.h).
using LabelRecorder = std::function<void(const LetteredLabel&)>;

struct Context {
    std::filesystem::path source; ///< data/ of the source tree
    std::filesystem::path out;    ///< the install tree being written
    const LabelRecorder* labels = nullptr; ///< told of every label lettered, when not null
};

struct Generator {
    const char* name;
    void (*run)(const Context&);
    bool letters = false; ///< it letters pictures (art/lettering.h), after the texts and fonts
};

/// Every generator, in the order they run.
std::span<const Generator> generators();

} // namespace q71::mkdata
