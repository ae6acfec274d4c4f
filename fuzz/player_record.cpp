// Rosters from the player's folder: any bytes give the list of players or a refusal, and every
// whole record decodes and encodes back to exactly its bytes (no byte is lost or invented).
#include "sim/scoring/player_roster.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Records are large: the fuzzer's inputs are repeated to make one when they are short.
    std::vector<std::uint8_t> roster(size < q71::kPlayerRecordSize && size > 0 ? q71::kPlayerRecordSize
                                                                               : size);
    for (size_t at = 0; at < roster.size(); at += size)
        std::memcpy(roster.data() + at, data, std::min(size, roster.size() - at));

    const auto entries = q71::playerRosterEntries(roster);
    if (entries.has_value() != (roster.size() % q71::kPlayerRecordSize == 0))
        __builtin_trap();
    if (!entries)
        return 0;
    for (size_t at = 0; at < roster.size(); at += q71::kPlayerRecordSize) {
        const auto bytes = std::span<const std::uint8_t>(roster).subspan(at).first<q71::kPlayerRecordSize>();
        const q71::PlayerRecord record = q71::playerRecordDecode(bytes);
        std::array<std::uint8_t, q71::kPlayerRecordSize> again{};
        q71::playerRecordEncode(record, again);
        if (!std::equal(again.begin(), again.end(), bytes.begin()))
            __builtin_trap();
        const q71::RosterEntry& entry = (*entries)[at / q71::kPlayerRecordSize];
        if (entry.name.size() > q71::kPlayerKeySize || entry.number > 999)
            __builtin_trap();
    }
    return 0;
}
