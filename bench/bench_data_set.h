#pragma once
// Where a benchmark finds the data set: as the program does, from Q71_DATA, else the folder
// "data" beside it; a benchmark lies in build/bench/, so the build's data/ one folder up counts
// as beside it. The folder found is put into Q71_DATA, so that the program's own code finds it.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace q71::bench {

inline std::filesystem::path dataSet() {
    if (const char* data = std::getenv("Q71_DATA"); data && *data)
        return data;
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", ec).parent_path();
    std::filesystem::path found = exe.parent_path() / "data";
    for (const std::filesystem::path& folder : {exe / "data", exe.parent_path() / "data"})
        if (std::filesystem::exists(folder / "textdllf.txt", ec)) {
            found = folder;
            break;
        }
    ::setenv("Q71_DATA", found.c_str(), 1);
    return found;
}

/// True when the data set is there; else the benchmark is skipped with where it was looked for.
inline bool haveDataSet(benchmark::State& state) {
    const std::filesystem::path folder = dataSet();
    std::error_code ec;
    if (std::filesystem::exists(folder / "textdllf.txt", ec))
        return true;
    // The message outlives the call: some versions of the library keep only the pointer.
    static std::string message;
    message = "no data set at " + folder.string() + ": build it (scripts/play) or set Q71_DATA";
    state.SkipWithError(message.c_str());
    return false;
}

} // namespace q71::bench
