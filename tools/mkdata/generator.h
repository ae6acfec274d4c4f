#pragma once
// The generators of the data set. Each writes its part of the install tree under
// Context::out from its sources under Context::source; a failure throws with a message
// that names the source file and line.

#include <filesystem>
#include <span>

namespace q71::mkdata {

struct Context {
    std::filesystem::path source; ///< data/ of the source tree
    std::filesystem::path out;    ///< the install tree being written
};

struct Generator {
    const char* name;
    void (*run)(const Context&);
};

/// Every generator, in the order they run.
std::span<const Generator> generators();

} // namespace q71::mkdata
