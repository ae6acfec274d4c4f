#include "sim/entities/player_upgrades.h"

#include "sim/scoring/player_record.h"
#include "sim/scoring/player_roster.h"

namespace q71 {

namespace {
constexpr int kFirstCarriedWord = 650; // the record's carried words are its values 650 to 655
} // namespace

bool playerHasUpgrade(PlayerUpgrade upgrade) {
    const PlayerRecord* record = playerRecord();
    const auto index = static_cast<std::size_t>(static_cast<int>(upgrade) - kFirstCarriedWord);
    return record && index < record->carriedWords.size() && record->carriedWords[index] != 0;
}

} // namespace q71
