// The archive codec on the data set's own group-archive members: explode and implode throughput,
// each also as a multiple of the time a plain memory copy of its output takes in the same run
// (counter x_copy). Reads the data set at $Q71_DATA, else build/data beside the benchmark's folder.
#include "framework/resources/dcl_pipe.h"
#include "framework/resources/group_archive.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace q71;
using Clock = std::chrono::steady_clock;

std::filesystem::path dataSet() {
    if (const char* data = std::getenv("Q71_DATA"))
        return data;
    return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "data";
}

struct Corpus {
    std::vector<std::vector<uint8_t>> plain;  // every member of every archive, unpacked
    std::vector<std::vector<uint8_t>> packed; // the same, packed as the archives pack them
    size_t plainBytes = 0;
    size_t packedBytes = 0;
};

std::vector<uint8_t> pack(const std::vector<uint8_t>& plain) {
    std::vector<uint8_t> out(2 * plain.size() + 8);
    std::atomic<uint32_t> size{0};
    std::vector<uint8_t> work(kImplodeWorkSize);
    DclPipe<DclMemorySource, DclMemorySink> pipe{{plain.data(), static_cast<uint32_t>(plain.size())},
                                                 {out.data(), static_cast<uint32_t>(out.size()), &size}};
    dclImplode(pipe, work.data(), kDclBinary, 4096);
    out.resize(size);
    return out;
}

const Corpus& corpus() {
    static const Corpus c = [] {
        Corpus c;
        for (const char* folder : {"graphics", "objects"}) {
            std::filesystem::path path = dataSet() / folder;
            if (!std::filesystem::is_directory(path))
                continue;
            grpReset();
            grpSetFolder(path.c_str());
            for (const auto& file : std::filesystem::directory_iterator(path)) {
                if (file.path().extension() != ".ndx" || !grpOpenGroup(file.path().stem().c_str()))
                    continue;
                for (const std::string& name : grpListEntries()) {
                    ResourceRef ref;
                    ref.name = name.c_str();
                    if (grpRead(ref, true, true) && ref.size > 0) {
                        c.plain.emplace_back(ref.data, ref.data + ref.size);
                        c.packed.push_back(pack(c.plain.back()));
                        c.plainBytes += ref.size;
                        c.packedBytes += c.packed.back().size();
                    }
                    grpRefFree(ref);
                }
            }
        }
        grpReset();
        return c;
    }();
    return c;
}

// Seconds one memory copy of all these blocks takes, averaged over enough passes to be steady.
double copySeconds(const std::vector<std::vector<uint8_t>>& blocks) {
    std::vector<uint8_t> scratch;
    for (const auto& block : blocks)
        scratch.resize(std::max(scratch.size(), block.size()));
    int passes = 0;
    auto start = Clock::now();
    std::chrono::duration<double> elapsed{};
    while (elapsed.count() < 0.05) {
        for (const auto& block : blocks) {
            std::memcpy(scratch.data(), block.data(), block.size());
            benchmark::DoNotOptimize(scratch.data());
            benchmark::ClobberMemory();
        }
        ++passes;
        elapsed = Clock::now() - start;
    }
    return elapsed.count() / passes;
}

void report(benchmark::State& state, Clock::time_point start, size_t bytes, double copy) {
    double pass = std::chrono::duration<double>(Clock::now() - start).count() / double(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["x_copy"] = pass / copy;
}

void Explode(benchmark::State& state) {
    const Corpus& c = corpus();
    if (c.plain.empty()) {
        state.SkipWithError("the data set holds no group archives: build it or set Q71_DATA");
        return;
    }
    std::vector<uint8_t> work(kExplodeWorkSize);
    std::vector<std::vector<uint8_t>> out(c.plain.size());
    for (size_t i = 0; i < out.size(); ++i)
        out[i].resize(c.plain[i].size());
    auto start = Clock::now();
    for (auto _ : state) {
        for (size_t i = 0; i < c.packed.size(); ++i) {
            std::atomic<uint32_t> delivered{0};
            DclPipe<DclMemorySource, DclMemorySink> pipe{
                {c.packed[i].data(), static_cast<uint32_t>(c.packed[i].size())},
                {out[i].data(), static_cast<uint32_t>(out[i].size()), &delivered}};
            dclExplode(pipe, work.data());
        }
        benchmark::ClobberMemory();
    }
    report(state, start, c.plainBytes, copySeconds(c.plain));
}
BENCHMARK(Explode)->Unit(benchmark::kMillisecond);

void Implode(benchmark::State& state) {
    const Corpus& c = corpus();
    if (c.plain.empty()) {
        state.SkipWithError("the data set holds no group archives: build it or set Q71_DATA");
        return;
    }
    std::vector<uint8_t> work(kImplodeWorkSize);
    std::vector<uint8_t> out;
    for (const auto& plain : c.plain)
        out.resize(std::max(out.size(), 2 * plain.size() + 8));
    auto start = Clock::now();
    for (auto _ : state) {
        for (const auto& plain : c.plain) {
            std::atomic<uint32_t> size{0};
            DclPipe<DclMemorySource, DclMemorySink> pipe{
                {plain.data(), static_cast<uint32_t>(plain.size())},
                {out.data(), static_cast<uint32_t>(out.size()), &size}};
            dclImplode(pipe, work.data(), kDclBinary, 4096);
        }
        benchmark::ClobberMemory();
    }
    report(state, start, c.plainBytes, copySeconds(c.packed));
}
BENCHMARK(Implode)->Unit(benchmark::kMillisecond);

} // namespace
