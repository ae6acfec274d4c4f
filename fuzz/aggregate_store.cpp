// Any bytes as a container, its members read through the multimedia file functions: reads in
// pieces, seeks anywhere (also before the start and past the end) and reads again, and what a
// read gives after a seek matches what the member gave from its start.
#include "framework/resources/aggregate_container.h"
#include "framework/resources/aggregate_store.h"
#include "platform/mmio/mmio.h"
#include "scratch_files.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using namespace q71;

namespace {

// The whole member from its start, in pieces of `piece` bytes (at most 1 MB in all).
std::vector<uint8_t> readAll(MmioHandle file, int32_t piece) {
    std::vector<uint8_t> all;
    std::vector<uint8_t> buffer(static_cast<size_t>(piece));
    for (int32_t got; all.size() < (1u << 20) && (got = mmioRead(file, buffer.data(), piece)) > 0;)
        all.insert(all.end(), buffer.begin(), buffer.begin() + got);
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool installed = (aggInstall(), aggSetOpenMode(0), true);
    (void)installed;
    const std::string path = fuzz::scratchPath("s.agg");
    fuzz::writeScratch(path, data, size);
    std::vector<std::string> names;
    if (auto container = AggContainer::open(path, false))
        for (const auto& member : container->members())
            names.push_back(member->name);
    const int32_t piece = size > 0 ? 1 + data[size - 1] % 97 : 7;
    for (const std::string& name : names) {
        MmioHandle file = mmioOpen(path + "+" + name, nullptr, MMIO_READ);
        if (file == MmioHandle::none)
            continue;
        const std::vector<uint8_t> whole = readAll(file, piece);
        const auto length = static_cast<int32_t>(whole.size());
        for (int32_t at : {length / 2, length, length + 5, -3, 0, length > 0 ? length - 1 : 0}) {
            const int32_t landed = mmioSeek(file, at, SEEK_SET);
            if (landed < 0)
                continue;
            uint8_t byte = 0;
            const int32_t got = mmioRead(file, &byte, 1);
            if (got == 1 && (landed >= length || byte != whole[static_cast<size_t>(landed)]))
                __builtin_trap(); // a seek landed somewhere else than it said
        }
        mmioSeek(file, 0, SEEK_END);
        mmioSeek(file, -piece, SEEK_CUR);
        mmioClose(file);
    }
    return 0;
}
