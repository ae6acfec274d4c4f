#pragma once
// Campaign files built byte by byte for the tests, apart from the program's own writer.

#include <cstdint>
#include <string>
#include <vector>

namespace q71::test {

struct CampaignBytes {
    std::int32_t legCount = 0;
    std::vector<std::int32_t> legMissions; ///< up to 10
    std::int32_t missionSet = 0;
    std::vector<std::string> blocks; ///< one per leg; its size goes into the header
    std::int32_t valueA = 0;
    std::int32_t valueB = 0;

    std::string bytes() const {
        std::string out(216, '\0');
        auto put = [&](size_t at, std::int32_t value) {
            for (int i = 0; i < 4; ++i)
                out[at + static_cast<size_t>(i)] =
                    static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
        };
        out.replace(0, 11, "Campagne A\0", 11);
        put(80, legCount);
        for (size_t leg = 0; leg < legMissions.size(); ++leg)
            put(84 + 4 * leg, legMissions[leg]);
        put(124, missionSet);
        for (size_t leg = 0; leg < blocks.size(); ++leg)
            put(128 + 4 * leg, static_cast<std::int32_t>(blocks[leg].size()));
        put(168, valueA);
        put(172, valueB);
        for (const std::string& block : blocks)
            out += block;
        return out;
    }
};

} // namespace q71::test
