#include "sim/scoring/player_roster.h"

#include "framework/app/reporter.h"
#include "framework/textmngr/text_manager.h"
#include "platform/files/path.h"
#include "sim/scoring/byte_layout.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/player_files.h"

#include <cctype>
#include <memory>
#include <utility>

namespace q71 {
namespace {

constexpr int kTextRosterDamaged = 862;
constexpr int kTextRosterUnreadable = 1800;
constexpr int kTextRosterNotSaved = 1801;
constexpr int kTextRosterTorn = 1804;
constexpr const char* kSource = "scoring";
constexpr int kLineWrongSize = 202;
constexpr const char* kFirstCampaign = "a.cdf";

struct CurrentPlayer {
    std::unique_ptr<PlayerRecord> record;
    size_t offset = 0; ///< where the record lies (or will lie) in the roster
};

CurrentPlayer& current() {
    static CurrentPlayer player;
    return player;
}

// A roster cut short in a record (a crash or a full disk outside our own saves) keeps its whole
// records; the player hears of it once a run, and the next save writes whole records again.
void warnTornOnce() {
    static bool warned = false;
    if (!std::exchange(warned, true))
        reportWarning(textGetString(kTextRosterTorn), __LINE__, kSource, 1);
}

RosterStatus readRoster(std::vector<std::uint8_t>& bytes) {
    const std::string path = playerDbPath();
    if (path.empty())
        return RosterStatus::Unreadable;
    bytes.clear();
    if (!fileReadContents(path, bytes))
        return fileExists(path) ? RosterStatus::Unreadable : RosterStatus::Ok;
    if (const size_t torn = bytes.size() % kPlayerRecordSize; torn != 0) {
        bytes.resize(bytes.size() - torn);
        warnTornOnce();
    }
    return RosterStatus::Ok;
}

std::span<const std::uint8_t, kPlayerRecordSize> recordAt(std::span<const std::uint8_t> bytes,
                                                          size_t offset) {
    return bytes.subspan(offset).first<kPlayerRecordSize>();
}

// The key and the size word of a record, read without decoding the whole of it.
std::array<char, kPlayerKeySize> keyAt(std::span<const std::uint8_t> bytes, size_t offset) {
    std::array<char, kPlayerKeySize> key{};
    LayoutReader(recordAt(bytes, offset)).text(4, key);
    return key;
}

std::int32_t sizeWordAt(std::span<const std::uint8_t> bytes, size_t offset) {
    std::int32_t size = 0;
    LayoutReader(recordAt(bytes, offset)).i32(0, size);
    return size;
}

RosterEntry entryOf(std::string_view key) {
    const bool numbered = key.size() >= 3 && std::isdigit(static_cast<unsigned char>(key[key.size() - 1])) &&
                          std::isdigit(static_cast<unsigned char>(key[key.size() - 2])) &&
                          std::isdigit(static_cast<unsigned char>(key[key.size() - 3]));
    if (!numbered)
        return {std::string(key), -1};
    const std::string_view digits = key.substr(key.size() - 3);
    return {std::string(key.substr(0, key.size() - 3)),
            (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0')};
}

void warnNotSaved(int line) {
    reportWarning(textGetString(kTextRosterNotSaved), line, kSource, 1);
}

} // namespace

std::string playerDbPath() {
    return playerFilePath("player.db");
}

std::optional<std::vector<RosterEntry>> playerDbList() {
    std::vector<std::uint8_t> bytes;
    if (readRoster(bytes) != RosterStatus::Ok)
        return std::nullopt;
    return playerRosterEntries(bytes);
}

std::optional<std::vector<RosterEntry>> playerRosterEntries(std::span<const std::uint8_t> roster) {
    if (roster.size() % kPlayerRecordSize != 0)
        return std::nullopt;
    std::vector<RosterEntry> entries;
    for (size_t offset = 0; offset < roster.size(); offset += kPlayerRecordSize)
        entries.push_back(entryOf(playerKeyText(keyAt(roster, offset))));
    return entries;
}

RosterStatus playerDbChoose(std::string_view name, int number) {
    const std::optional<std::array<char, kPlayerKeySize>> key = playerKey(name, number);
    if (!key)
        return RosterStatus::BadNumber;
    std::vector<std::uint8_t> bytes;
    if (const RosterStatus status = readRoster(bytes); status != RosterStatus::Ok)
        return status;

    CurrentPlayer chosen;
    for (size_t offset = 0; offset < bytes.size() && !chosen.record; offset += kPlayerRecordSize) {
        if (playerKeyText(keyAt(bytes, offset)) != playerKeyText(*key))
            continue;
        if (sizeWordAt(bytes, offset) != static_cast<std::int32_t>(kPlayerRecordSize))
            return RosterStatus::Damaged;
        chosen.record = std::make_unique<PlayerRecord>(playerRecordDecode(recordAt(bytes, offset)));
        chosen.offset = offset;
    }
    const bool created = !chosen.record;
    if (created) {
        chosen.record = std::make_unique<PlayerRecord>(playerRecordNew(*key));
        chosen.offset = bytes.size();
    }
    current() = std::move(chosen);
    if (created)
        playerDbSave();
    campaignLoad(kFirstCampaign);
    return RosterStatus::Ok;
}

PlayerRecord* playerDbLoad(std::string_view name, int number) {
    switch (playerDbChoose(name, number)) {
    case RosterStatus::Ok:
        return playerRecord();
    case RosterStatus::Damaged:
        reportFatal(textGetString(kTextRosterDamaged), kLineWrongSize, kSource, 1);
    case RosterStatus::Unreadable:
        reportFatal(textGetString(kTextRosterUnreadable), __LINE__, kSource, 1);
    case RosterStatus::BadNumber:
        break;
    }
    return nullptr;
}

bool playerDbSave() {
    const CurrentPlayer& player = current();
    if (!player.record)
        return false;
    std::vector<std::uint8_t> bytes;
    if (readRoster(bytes) != RosterStatus::Ok) {
        warnNotSaved(__LINE__);
        return false;
    }
    // The record goes where it was found, or at the end for a new player; a roster that no
    // longer holds it there has been changed behind the program's back and is left alone.
    const bool append = bytes.size() == player.offset;
    const bool inPlace = bytes.size() >= player.offset + kPlayerRecordSize &&
                         playerKeyText(keyAt(bytes, player.offset)) == playerKeyText(player.record->key);
    if (!append && !inPlace) {
        warnNotSaved(__LINE__);
        return false;
    }
    if (append)
        bytes.resize(bytes.size() + kPlayerRecordSize);
    playerRecordEncode(*player.record,
                       std::span<std::uint8_t>(bytes).subspan(player.offset).first<kPlayerRecordSize>());
    if (!fileReplaceContents(playerDbPath(), bytes)) {
        warnNotSaved(__LINE__);
        return false;
    }
    return true;
}

PlayerRecord* playerRecord() {
    return current().record.get();
}

void playerDbRelease() {
    current() = CurrentPlayer{};
}

} // namespace q71
