#pragma once
// Weapons stations for the tests of the mission save: launchers that keep their load and target
// in a saved mission (two words, a load outside 0-4 refused), two station words and the
// waypoints of the navigation chart, installed while the object lives.
#include "sim/entities/field_codec.h"
#include "sim/scoring/byte_stream.h"
#include "sim/services/sim_services.h"

namespace q71::test {

class KeptLauncher final : public WeaponLauncher {
public:
    explicit KeptLauncher(int number) : number_(number) {}
    int number() const override { return number_; }
    std::int32_t weaponType() const override { return type_; }
    void setWeaponType(std::int32_t type) override { type_ = type; }
    void setTarget(std::int32_t target) override { target_ = target; }
    Entity* launchedEntity() override { return nullptr; }
    bool save(ByteSink& sink) const override {
        FieldWriter w;
        w.i32(type_);
        w.i32(target_);
        return w.flush(sink);
    }
    bool load(ByteSource& source) override {
        FieldReader r(source, 8);
        std::int32_t type = 0, target = 0;
        r.i32(type);
        r.i32(target);
        if (!r.ok() || type < kWeaponAdcap || type > kWeaponEmpty)
            return false;
        type_ = type;
        target_ = target;
        return true;
    }
    std::int32_t target() const { return target_; }

private:
    int number_;
    std::int32_t type_ = kWeaponEmpty;
    std::int32_t target_ = -1;
};

class KeepingStations final : public WeaponStations {
public:
    KeepingStations() { simInstallServices({.weapons = this}); }
    ~KeepingStations() override { simInstallServices({}); }
    KeepingStations(const KeepingStations&) = delete;
    KeepingStations& operator=(const KeepingStations&) = delete;

    std::unique_ptr<WeaponLauncher> createTorpedoTube(int number) override {
        return std::make_unique<KeptLauncher>(number);
    }
    std::unique_ptr<WeaponLauncher> createVlsCell(int number) override {
        return std::make_unique<KeptLauncher>(number);
    }
    bool unlimitedWeapons() const override { return unlimited_; }
    void setUnlimitedWeapons(bool on) override { unlimited_ = on; }
    bool fireControlExists() const override { return false; }
    void setTubeSideState(int, int) override {}
    bool fireGuidanceSwitch() const override { return false; }
    std::array<std::uint32_t, 2> stationStates() const override { return states; }
    void restoreStationStates(std::array<std::uint32_t, 2> restored) override { states = restored; }
    std::vector<WorldPoint> plottedWaypoints() const override { return waypoints; }

    std::array<std::uint32_t, 2> states{};
    std::vector<WorldPoint> waypoints;

private:
    bool unlimited_ = false;
};

} // namespace q71::test
