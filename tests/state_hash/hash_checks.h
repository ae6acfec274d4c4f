#pragma once
// The runs whose end state every build must agree on, each with the state hash kept for it. A
// difference means the builds no longer compute the same world, or a change moved a result: a
// change that moves a hash says why in its commit, and the kept value follows. Each run goes in
// a process of its own, so that no run sees what another left behind.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace q71::test {

/// One run: its name, the hash kept for it, and the run itself, which gives the hash at its end
/// or nothing when it cannot run (the message printed).
struct HashRun {
    std::string name;
    std::uint64_t kept = 0;
    std::function<std::optional<std::uint64_t>()> run;
};

/// The worlds of the world benchmarks, each size for a short run (the benchmarks check the hour).
std::vector<HashRun> benchmarkWorldRuns();

/// Every mission of the data set in `dataSet`, as it starts, after ten game minutes, and "Sa6"
/// under scripted orders for as long.
std::vector<HashRun> dataSetMissionRuns(const std::filesystem::path& dataSet);

/// Opens the data set for the length of a run; false when it cannot (the message printed).
bool openDataSetForRun(const std::filesystem::path& dataSet);

/// The scripted "Sa6".
std::optional<std::uint64_t> scriptedMissionHash();

} // namespace q71::test
