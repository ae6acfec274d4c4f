// The archive codec on the data set's own group-archive members: explode and implode throughput,
// each also as a multiple of the time a plain memory copy of its output takes in the same run
// (counter x_copy). Explode is also set against zlib's inflate on the same members deflated with
// the same 4096-byte window in the same run (counter x_inflate, the goal being at most 1; the
// packed sizes of both, in per cent of the plain bytes, say that the compression is alike).
// Reads the data set at $Q71_DATA, else build/data beside the benchmark's folder.
#include "framework/resources/dcl_pipe.h"
#include "framework/resources/group_archive.h"

#include "bench_data_set.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace q71;
using Clock = std::chrono::steady_clock;

using bench::dataSet;

struct Corpus {
    std::vector<std::vector<uint8_t>> plain;  // every member of every archive, unpacked
    std::vector<std::vector<uint8_t>> packed; // the same, packed as the archives pack them
    std::vector<std::vector<uint8_t>> deflated; // the same, deflated by zlib with a 4096-byte window
    size_t plainBytes = 0;
    size_t packedBytes = 0;
    size_t deflatedBytes = 0;
};

// zlib's raw deflate with the archives' window of 4096 bytes (12 bits), at its default level.
std::vector<uint8_t> deflateBlock(const std::vector<uint8_t>& plain) {
    z_stream z{};
    deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -12, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> out(deflateBound(&z, plain.size()));
    z.next_in = const_cast<Bytef*>(plain.data());
    z.avail_in = static_cast<uInt>(plain.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// Inflates every block into its place; false when one does not come back whole.
bool inflateAll(const std::vector<std::vector<uint8_t>>& deflated, std::vector<std::vector<uint8_t>>& out) {
    bool whole = true;
    for (size_t i = 0; i < deflated.size(); ++i) {
        z_stream z{};
        inflateInit2(&z, -12);
        z.next_in = const_cast<Bytef*>(deflated[i].data());
        z.avail_in = static_cast<uInt>(deflated[i].size());
        z.next_out = out[i].data();
        z.avail_out = static_cast<uInt>(out[i].size());
        whole = inflate(&z, Z_FINISH) == Z_STREAM_END && whole;
        inflateEnd(&z);
    }
    return whole;
}

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
                        c.deflated.push_back(deflateBlock(c.plain.back()));
                        c.plainBytes += ref.size;
                        c.packedBytes += c.packed.back().size();
                        c.deflatedBytes += c.deflated.back().size();
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
    const double explodePass =
        std::chrono::duration<double>(Clock::now() - start).count() / double(state.iterations());
    report(state, start, c.plainBytes, copySeconds(c.plain));
    // The same output from zlib, timed over as many passes as explode ran.
    const auto inflateStart = Clock::now();
    for (benchmark::IterationCount i = 0; i < state.iterations(); ++i) {
        if (!inflateAll(c.deflated, out)) {
            state.SkipWithError("zlib did not inflate its own blocks");
            return;
        }
        benchmark::ClobberMemory();
    }
    const double inflatePass =
        std::chrono::duration<double>(Clock::now() - inflateStart).count() / double(state.iterations());
    state.counters["x_inflate"] = explodePass / inflatePass;
    state.counters["dcl_packed_pct"] = 100.0 * double(c.packedBytes) / double(c.plainBytes);
    state.counters["zlib_packed_pct"] = 100.0 * double(c.deflatedBytes) / double(c.plainBytes);
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
