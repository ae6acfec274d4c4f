#include "frontend/player_file_name.h"

#include "sim/scoring/player_files.h"
#include "sim/scoring/player_roster.h"

namespace q71 {

std::string safeFileStem(std::string_view key) {
    std::string stem(key);
    for (char& c : stem) {
        const bool kept =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        if (!kept)
            c = '_';
    }
    return stem;
}

std::string currentPlayerFilePath(std::string_view extension) {
    const PlayerRecord* record = playerRecord();
    if (!record)
        return {};
    const std::string name = safeFileStem(playerKeyText(record->key)) + std::string(extension);
    return playerFilePath(name.c_str());
}

} // namespace q71
