#include "sim/scoring/player_record.h"

#include "sim/scoring/byte_layout.h"
#include "sim/simulation/random.h"

#include <cstdio>

namespace q71 {
namespace {

constexpr size_t kSnapshotSize = 41 * 4;
constexpr Inventory kDefaultInventory = {10, 0, 0, 10, 0, 15, 15};
constexpr std::int32_t kDefaultCellWeapon = kWeaponTomahawk;
constexpr std::array<std::int32_t, kTorpedoTubeCount> kDefaultTubes = {kWeaponHarpoon, kWeaponHarpoon,
                                                                       kWeaponAdcap, kWeaponAdcap};

template <class Io, class Snapshot> void snapshotLayout(const Io& io, size_t at, Snapshot& s) {
    io.words(at + 0, s.inventory);
    io.words(at + 28, s.cells);
    io.words(at + 76, s.tubes);
    io.words(at + 92, s.statusWords);
    io.words(at + 120, s.carriedWords);
    io.words(at + 144, s.stationLevels);
}

template <class Io, class Record> void playerRecordLayout(const Io& io, Record& r) {
    io.i32(0, r.size);
    io.text(4, r.key);
    io.words(84, r.progress);          // words 21-30
    io.words(124, r.tutorialScore);    // words 31-230
    io.words(924, r.singleScore);      // words 231-430
    io.words(1724, r.campaignScore);   // words 431-630
    io.words(2524, r.stationLevels);   // words 631-635
    io.i32(2544, r.careerPoints);      // word 636
    io.words(2548, r.endMovieVariant); // words 637-642
    io.words(2572, r.statusWords);     // words 643-649
    io.words(2600, r.carriedWords);    // words 650-655
    io.words(2624, r.campaignGrade);   // words 656-855
    io.words(3424, r.inventory);       // words 856-862
    io.words(3452, r.cells);           // words 863-874
    io.words(3500, r.tubes);           // words 875-878
    for (size_t q = 0; q < r.snapshots.size(); ++q)
        snapshotLayout(io, 3516 + q * kSnapshotSize, r.snapshots[q]); // words 879-9078
    io.bytes(36316, r.tail);
}

} // namespace

std::optional<std::array<char, kPlayerKeySize>> playerKey(std::string_view name, int number) {
    if (number < 0 || number > 999)
        return std::nullopt;
    const std::string_view cut = name.substr(0, std::min(name.size(), kPlayerNameMax));
    // A name ends at its first NUL, as it would in the program's strings.
    const std::string_view text = cut.substr(0, cut.find('\0'));
    std::array<char, kPlayerKeySize> key{};
    text.copy(key.data(), text.size());
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03d", number);
    std::copy(digits, digits + 3, key.begin() + static_cast<std::ptrdiff_t>(text.size()));
    return key;
}

std::string_view playerKeyText(const std::array<char, kPlayerKeySize>& key) {
    size_t length = 0;
    while (length < key.size() && key[length] != '\0')
        ++length;
    return {key.data(), length};
}

Inventory playerFullStock() {
    return kDefaultInventory;
}

PlayerRecord playerRecordNew(const std::array<char, kPlayerKeySize>& key) {
    PlayerRecord record;
    record.key = key;
    record.tutorialScore.fill(-1);
    record.singleScore.fill(-1);
    record.campaignScore.fill(-1);
    record.campaignGrade.fill(-1);
    randomSeedFromTime();
    for (std::int32_t& variant : record.endMovieVariant)
        variant = static_cast<std::int32_t>(randomScaled(kEndMovieVariants - 0.0001));
    record.inventory = playerFullStock();
    record.cells.fill(kDefaultCellWeapon);
    record.tubes = kDefaultTubes;
    return record;
}

PlayerRecord playerRecordDecode(std::span<const std::uint8_t, kPlayerRecordSize> bytes) {
    PlayerRecord record;
    playerRecordLayout(LayoutReader(bytes), record);
    return record;
}

void playerRecordEncode(const PlayerRecord& record, std::span<std::uint8_t, kPlayerRecordSize> bytes) {
    playerRecordLayout(LayoutWriter(bytes), record);
}

std::optional<size_t> missionSlot(std::int32_t set, std::int32_t mission) {
    if (set < 0 || set >= kMissionSets || mission < 0 || mission >= kMissionsPerSet)
        return std::nullopt;
    return static_cast<size_t>(set * kMissionsPerSet + mission);
}

} // namespace q71
