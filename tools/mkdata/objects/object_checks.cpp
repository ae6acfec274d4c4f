#include "mkdata/objects/object_table.h"

#include <algorithm>
#include <stdexcept>

namespace q71::mkdata {

namespace {

// The receivers a platform must reach with at least one signature line (strictly inside each
// band): a simple sonar of figure 1 or more (10 to 600 × figure), the hull array, the bow array.
struct Band {
    int low, high;
    const char* receiver;
};
constexpr Band kHeardBands[] = {
    {10, 600, "the simple sonars (10 to 600 Hz)"},
    {50, 1000, "the hull array (50 to 1000 Hz)"},
    {750, 10000, "the bow array (750 to 10000 Hz)"},
};

// Records the program names, by key or by id.
struct Required {
    std::string_view key; // "" when only the id is named
    std::uint32_t id;     // 0 when only the key is named
    EntityCategory category;
    bool mast;
};
constexpr Required kRequired[] = {
    {"Q71i", 1, kCategorySub, false},        {"Whale", 0, kCategorySub, false},
    {"Dsrv", 4, kCategorySub, false},        {"", 39, kCategoryFloat, false},
    {"Seal-Team", 44, kCategoryShip, false}, {"Tomahawk", 56, kCategoryMissile, false},
    {"Adcap", 0, kCategoryTorp, false},      {"Harpoon", 0, kCategoryMissile, false},
    {"slmm", 0, kCategoryMine, false},       {"Counter2", 0, kCategoryCm, false},
    {"Explosion", 0, kCategoryFloat, false}, {"Burke", 0, kCategoryShip, true},
    {"Merchant", 0, kCategoryShip, true},
};

bool isWeapon(EntityCategory c) {
    return c == kCategoryTorp || c == kCategoryMissile || c == kCategoryDepth;
}

bool isVehicle(EntityCategory c) {
    return c == kCategorySub || c == kCategoryShip || c == kCategoryTorp || c == kCategoryPlane ||
           c == kCategoryHelo || c == kCategoryMissile;
}

std::uint32_t kindOf(EntityCategory c) {
    switch (c) {
    case kCategorySub:
        return kObjectKindSubmarine;
    case kCategoryShip:
        return kObjectKindSurfaceShip;
    case kCategoryPlane:
    case kCategoryHelo:
        return kObjectKindAircraft;
    default:
        return 0; // other objects: 4 or 5
    }
}

bool hasLineIn(const ObjectRecord& r, const Band& band) {
    return std::any_of(r.signatureValues.begin(), r.signatureValues.end(),
                       [&](std::int32_t line) { return line > band.low && line < band.high; });
}

class Checker {
public:
    Checker(const std::vector<TableRecord>& records, const std::string& file)
        : records_(records), file_(file) {}

    void run() const {
        for (std::size_t i = 0; i < records_.size(); ++i) {
            checkRecord(records_[i]);
            for (std::size_t j = 0; j < i; ++j) {
                if (records_[j].record.id == records_[i].record.id)
                    fail(records_[i], "id " + std::to_string(records_[i].record.id) + " is taken");
                if (objectKeysMatch(records_[j].record.keyName.view(), records_[i].record.keyName.view()))
                    fail(records_[i], "the key is taken (keys are compared without case)");
            }
        }
        for (const Required& required : kRequired)
            checkRequired(required);
    }

private:
    [[noreturn]] void fail(const TableRecord& r, const std::string& message) const {
        throw std::runtime_error(file_ + ":" + std::to_string(r.line) + ": [" +
                                 std::string(r.record.keyName.view()) + "] " + message);
    }

    const TableRecord* find(std::string_view key) const {
        for (const TableRecord& r : records_)
            if (objectKeysMatch(r.record.keyName.view(), key))
                return &r;
        return nullptr;
    }

    void checkRecord(const TableRecord& t) const {
        const ObjectRecord& r = t.record;
        const EntityCategory category = r.category();
        if (r.id == 0 || r.kind == 0 || r.categoryWord.empty() || r.modelName.empty() ||
            r.displayName.empty())
            fail(t, "id, name, kind, category and model are required");
        if (r.armour == 0)
            fail(t, "armour is required (damage is divided by it; a weapon's armour is its warhead)");
        const std::uint32_t kind = kindOf(category);
        if (kind ? r.kind != kind : r.kind < 4)
            fail(t, "kind " + std::to_string(r.kind) + " does not fit category " +
                        std::string(r.categoryWord.view()));
        if (r.crushDepth != 0 && r.crushDepth >= r.testDepth)
            fail(t, "the crush depth lies below the test depth (both negative feet)");
        if (category == kCategorySub && r.testDepth >= 0)
            fail(t, "a submarine has a test depth, in negative feet");
        if (isVehicle(category) && r.maxSpeed <= 0)
            fail(t, "a vehicle has a maximum speed");
        if (isWeapon(category) && r.weaponValue <= 0)
            fail(t, "a weapon has its range in yards (range)");
        if (r.sonarFigure > 0.0f && r.sonarFigure < 1.0f)
            fail(t, "a sonar figure below 1 makes a sonar deaf to lines above 600 x figure Hz");
        for (const WeaponLoad& load : r.weapons) {
            if (load.keyName.empty())
                continue;
            const TableRecord* weapon = find(load.keyName.view());
            if (!weapon)
                fail(t, "weapon \"" + std::string(load.keyName.view()) + "\" has no record");
            const EntityCategory c = weapon->record.category();
            if (!isWeapon(c) && c != kCategoryMine && c != kCategoryCm)
                fail(t, "\"" + std::string(load.keyName.view()) + "\" is not a weapon");
        }
        const bool heard = category == kCategorySub || category == kCategoryShip ||
                           category == kCategoryTorp || category == kCategoryCm ||
                           r.keyName.view() == "Explosion";
        if (category == kCategorySub || category == kCategoryShip || category == kCategoryTorp) {
            const double cruiseRate = r.lineFactor * (r.maxSpeed / 2.0) / 60.0;
            if (r.lineFactor <= 0 || r.harmonicCount < 2)
                fail(t, "a submarine, ship or torpedo has its DEMON blades and harmonics");
            if (cruiseRate < 2.0 || cruiseRate > 50.0)
                fail(t, "the blade rate at half the maximum speed lies outside 2 to 50 Hz");
        }
        if (heard) {
            if (r.signatureFactor <= 0.0f)
                fail(t, "a platform the sonars hear has a noise factor");
            for (const Band& band : kHeardBands)
                if (!hasLineIn(r, band))
                    fail(t, std::string("no signature line is heard by ") + band.receiver);
        }
    }

    void checkRequired(const Required& required) const {
        const TableRecord* found = nullptr;
        for (const TableRecord& r : records_)
            if (required.key.empty() ? r.record.id == required.id
                                     : objectKeysMatch(r.record.keyName.view(), required.key))
                found = found ? found : &r;
        const std::string what = required.key.empty() ? "id " + std::to_string(required.id)
                                                      : "\"" + std::string(required.key) + "\"";
        if (!found)
            throw std::runtime_error(file_ + ": the record " + what + " is required");
        if (required.id != 0 && found->record.id != required.id)
            fail(*found, "must have id " + std::to_string(required.id));
        if (found->record.category() != required.category)
            fail(*found, "must be of category " + std::string(kCategoryWords[required.category]));
        if (required.mast && found->record.mastHeight <= 0.0f)
            fail(*found, "must have a mast height (the stadimeter lists it)");
    }

    const std::vector<TableRecord>& records_;
    const std::string& file_;
};

} // namespace

void checkObjectTable(const std::vector<TableRecord>& records, const std::string& file) {
    Checker(records, file).run();
}

} // namespace q71::mkdata
