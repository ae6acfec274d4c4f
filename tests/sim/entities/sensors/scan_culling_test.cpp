#include "../entity_fixture.h"

#include "sim/entities/sensors/radar_sensor.h"
#include "sim/entities/sensors/scan_index.h"
#include "sim/entities/sensors/simple_active_sonar.h"
#include "sim/entities/sensors/simple_sonar_sensor.h"
#include "sim/entities/sensors/visual_sensor.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/random.h"
#include "sim/simulation/world_lists.h"

#include <functional>
#include <random>
#include <string>
#include <utility>

namespace q71::test {
namespace {

// The ids of the world list, as a walk of its nodes gives them.
std::vector<std::int32_t> listedIds() {
    std::vector<std::int32_t> ids;
    for (auto* node = worldList().head(); node; node = node->next)
        ids.push_back(node->item->id);
    return ids;
}

bool inWindow(const Sensor& sensor, double height) {
    return height >= sensor.minHeight && height <= sensor.maxHeight;
}

// Why a sensor's scan may leave an entity alone, worked out from what each sensor is said to do,
// at the entity's true range: out of the window, beyond the curve's far end, or out of hearing.
bool surelyOutOfReach(Sensor& sensor, const Entity& target) {
    const WorldPoint at = worldPoint(target);
    const double range = geoRange3d(at.x - sensor.x, at.y - sensor.y, at.z - sensor.z);
    const double ownerZ = worldPoint(sensor.owner()).z;
    if (auto* radar = dynamic_cast<RadarSensor*>(&sensor)) {
        const bool unseen = at.z < -12.0 * kFeetToMetres || at.z > radar->maxHeight || range >= radar->rangeFar;
        bool unheard = true; // by the target's ESM receivers, which hear it (figure + 1) times nearer
        for (auto* node = target.sensors.head(); node; node = node->next)
            if (node->item->type == kSensorEsm && range / (node->item->figure + 1.0) < radar->rangeFar)
                unheard = false;
        return unseen && unheard;
    }
    if (dynamic_cast<SimpleSonarSensor*>(&sensor)) {
        const bool echo = sensor.type == kSensorActive;
        const bool unheard =
            !inWindow(sensor, at.z) || sensor.passiveLevel(target.noiseFactor, (echo ? 0.5 : 1.0) * range, ownerZ,
                                                           at.z, target.noiseLevel()) == 0;
        // A ping is heard by the target's receivers on the pinging sonar's own curve, half the way.
        const bool pingUnheard = !echo || !inWindow(sensor, at.z) ||
                                 sensor.passiveLevel(target.noiseFactor, 0.5 * range, ownerZ, at.z, 0) == 0;
        return unheard && pingUnheard;
    }
    return !inWindow(sensor, at.z) || range >= sensor.rangeFar;
}

// A sensor of a class that records whom its scans hand on to canSense and tests nothing further.
template <class Base>
class ScanSpy final : public Base {
public:
    using Base::Base;
    bool canSense(Entity& entity) override {
        handed.push_back(entity.id);
        return false;
    }
    void scanList(Entity& /*entity*/) override {}
    void scan() { this->scanWorld(); }
    std::vector<std::int32_t> handed;
};

// The ids a scan by the sensor should hand on, in list order: every entity but its owner and the
// wrecks (no own boat here) that the sensor's own test, asked of that entity alone, lets through.
template <class Spy>
std::vector<std::int32_t> reachedOneByOne(const Spy& spy) {
    std::vector<std::int32_t> ids;
    for (auto* node = worldList().head(); node; node = node->next) {
        const Entity& target = *node->item;
        const bool wreck = target.motion && target.motion->sinking;
        if (&target != &spy.owner() && !wreck && spy.scanMayReach(target))
            ids.push_back(target.id);
    }
    return ids;
}

class ScanCulling : public EntityWorld {
protected:
    ~ScanCulling() override {
        missionState().soundProfileKind = 0;
        soundProfile() = SoundProfile{};
    }

    // Every platform of the harness, at a place, a height fitting its kind and a speed.
    Entity& anyPlatform(std::mt19937& draws, WorldPoint at) {
        static const char* const kTypes[] = {"Frigate", "Hunter", "Patrol", "Freighter"};
        const char* type = kTypes[draws() % 4];
        const std::string_view name = type;
        at.z = name == "Hunter" ? -std::uniform_real_distribution<double>(5.0, 300.0)(draws)
               : name == "Patrol" ? std::uniform_real_distribution<double>(100.0, 3000.0)(draws)
                                  : 0.0;
        const std::int32_t kind = name == "Hunter" ? kKindSubsurface : name == "Patrol" ? kKindAir : kKindSurface;
        const double speed = std::uniform_real_distribution<double>(0.0, 30.0)(draws);
        auto& entity = harness.add(new HarnessEntity(1 + static_cast<std::int32_t>(draws() % 2), type, 2, kind, at,
                                                     std::uniform_real_distribution<double>(0.0, 360.0)(draws),
                                                     speed));
        // Loud and quiet: cavitating, blowing, venting, in an emergency blow, and a few sinking;
        // some with the noise factor a blast or a decoy gives them (even below nothing).
        entity.motion->cavitating = draws() % 4 == 0;
        entity.motion->blowerOn = draws() % 6 == 0;
        entity.motion->modeWord = draws() % 6 == 0;
        entity.motion->emergencyBlow = draws() % 6 == 0;
        entity.motion->sinking = draws() % 10 == 0;
        if (draws() % 3 == 0)
            entity.noiseFactor = std::uniform_real_distribution<float>(-1.0f, 6.0f)(draws);
        entity.motion->snapshotState();
        return entity;
    }
};

TEST_F(ScanCulling, AnEntityAScanPassesByIsOneItsTestsWouldLeaveUntouched) {
    // Layouts of the harness's platforms with all their sensors: packed so that hulls touch, spread
    // over the whole sea, in rings at the reach of the curves (the lookouts' 7500 m, the radars',
    // the sonars' hearing), and across the edge of the terrain grid (x and y below 0); in each
    // sound profile. Every test of every sensor against every entity its scan would pass by must
    // return false, draw nothing and change nothing of the world.
    struct Layout {
        const char* name;
        double inner, outer; // metres from the centre
        double centre;
    };
    const Layout layouts[] = {{"touching", 0.0, 150.0, 50000.0},
                              {"sparse", 0.0, 60000.0, 50000.0},
                              {"at the lookouts' reach", 7400.0, 7600.0, 50000.0},
                              {"at the radars' and sonars' reach", 20000.0, 60000.0, 50000.0},
                              {"across the grid's edge", 0.0, 9000.0, 0.0}};
    struct Profile {
        std::uint32_t kind;
        double layer;
    };
    const Profile profiles[] = {{1, 0.0}, {2, -80.0}, {3, -40.0}};
    std::mt19937 draws(47);
    for (const Profile& profile : profiles)
        for (const Layout& layout : layouts) {
            SCOPED_TRACE(std::string(layout.name) + ", profile " + std::to_string(profile.kind));
            missionState().soundProfileKind = profile.kind;
            soundProfile().layerDepth = profile.layer;
            std::uniform_real_distribution<double> radius(layout.inner, layout.outer), angle(0.0, 6.283185307179586);
            std::vector<Entity*> placed;
            for (int i = 0; i < 40; ++i) {
                const double r = radius(draws), a = angle(draws);
                placed.push_back(
                    &anyPlatform(draws, {layout.centre + r * std::sin(a), layout.centre + r * std::cos(a), 0.0}));
            }
            int passedBy = 0, reached = 0;
            for (Entity* owner : placed)
                for (auto* node = owner->sensors.head(); node; node = node->next) {
                    Sensor& sensor = *node->item;
                    sensor.copyOwnerPose(); // where its scans stand
                    for (Entity* target : placed) {
                        if (target == owner)
                            continue;
                        if (sensor.scanMayReach(*target)) {
                            ++reached;
                            continue;
                        }
                        ++passedBy;
                        EXPECT_TRUE(surelyOutOfReach(sensor, *target)) << sensor.type;
                        const std::uint64_t before = harness.stateHash();
                        const std::uint32_t drawn = randomCurrentState();
                        EXPECT_FALSE(sensor.canSense(*target)) << sensor.type;
                        sensor.scanList(*target);
                        EXPECT_EQ(randomCurrentState(), drawn) << sensor.type;
                        EXPECT_EQ(harness.stateHash(), before) << sensor.type;
                    }
                }
            EXPECT_GT(passedBy, 0);
            EXPECT_GT(reached, 0);
            // A whole scan hands on exactly what the test of each entity alone lets through, in the
            // list's order: neither the order of its tests nor what it keeps from one entity to the
            // next changes whom it reaches.
            std::size_t heard = 0;
            for (Entity* owner : placed) {
                const float figure = std::uniform_real_distribution<float>(0.5f, 3.5f)(draws);
                ScanSpy<SimpleSonarSensor> ears(*owner, figure);
                ScanSpy<VisualSensor> eyes(*owner, 1.0f);
                ears.copyOwnerPose();
                eyes.copyOwnerPose();
                ears.scan();
                eyes.scan();
                EXPECT_EQ(ears.handed, reachedOneByOne(ears));
                EXPECT_EQ(eyes.handed, reachedOneByOne(eyes));
                heard += ears.handed.size();
            }
            EXPECT_GT(heard, 0u);
            for (Entity* entity : placed) {
                worldList().remove(entity);
                delete entity;
            }
        }
}

TEST_F(ScanCulling, TheCurvesFarEndIsPassedByAndAHairInsideIsTested) {
    // A lookout reaches 7500 m at most: an entity that far on one axis is passed by.
    VisualSensor& eyes = *new VisualSensor(platform(1, {20000, 20000, 0}), 1.0f);
    eyes.owner().addSensor(&eyes);
    eyes.copyOwnerPose();
    EXPECT_FALSE(eyes.scanMayReach(platform(2, {27500, 20000, 0})));
    EXPECT_FALSE(eyes.scanMayReach(platform(2, {20000, 12500, 0})));
    EXPECT_TRUE(eyes.scanMayReach(platform(2, {27499.999, 20000, 0})));
    EXPECT_TRUE(eyes.scanMayReach(platform(2, {12500.001, 12500.001, 0})));
    EXPECT_FALSE(eyes.scanMayReach(platform(2, {20000, 20000, -60}, 0.0, 0.0, "Hunter"))); // below its window
}

// A lookout that, on its first sight, brings two platforms into the world (one near, one far) and
// takes a third, not yet tested, out of it.
class MeddlingEyes final : public VisualSensor {
public:
    MeddlingEyes(Entity& owner, std::function<void()> spawn, Entity& leaving)
        : VisualSensor(owner, 1.0f), spawn_(std::move(spawn)), leaving_(&leaving) {
        minHeight = -10;
        maxHeight = 10;
    }
    void onEvent(Entity& entity, double, double, int) override {
        seen.push_back(entity.id);
        if (!spawn_)
            return;
        std::exchange(spawn_, nullptr)();
        worldList().saveCursor();
        worldList().remove(leaving_);
        worldList().restoreCursor();
    }
    std::vector<std::int32_t> seen;

private:
    std::function<void()> spawn_;
    Entity* leaving_;
};

TEST_F(ScanCulling, AScanGoesOnAlongTheListAsItChangesUnderIt) {
    // The world's walk meets what a scan adds at the list's end, and not what it takes away.
    HarnessEntity& ship = platform(1, {0, 0, 0}, 0.0, 0.0, "Frigate");
    HarnessEntity& first = platform(2, {0, 500, 0});
    HarnessEntity& leaving = platform(2, {0, 1000, 0});
    HarnessEntity& far = platform(2, {0, 20000, 0});
    auto* eyes = new MeddlingEyes(
        ship,
        [this] {
            harness.add(new HarnessEntity(2, "Frigate", 2, kKindSurface, {700, 0, 0}, 0.0, 0.0, 501));
            harness.add(new HarnessEntity(2, "Frigate", 2, kKindSurface, {30000, 0, 0}, 0.0, 0.0, 502));
        },
        leaving);
    ship.addSensor(eyes);
    setClock(1.0);
    eyes->step(0.4);
    EXPECT_EQ(eyes->seen, (std::vector<std::int32_t>{first.id, 501}));
    delete &leaving;
    // The next scan walks the list as it now stands: the newcomer near, nothing far.
    eyes->seen.clear();
    setClock(2.0);
    eyes->step(0.4);
    EXPECT_EQ(eyes->seen, (std::vector<std::int32_t>{first.id, 501}));
    EXPECT_EQ(listedIds(), (std::vector<std::int32_t>{ship.id, first.id, far.id, 501, 502}));
}

TEST_F(ScanCulling, TheArrayFollowsTheListThroughAdditionsAndRemovals) {
    // Random appends and removals between scans: the array always holds the list's nodes in order.
    std::mt19937 draws(11);
    std::vector<Entity*> alive;
    for (int round = 0; round < 200; ++round) {
        if (alive.empty() || draws() % 3 != 0) {
            alive.push_back(&platform(1, {double(draws() % 90000), double(draws() % 90000), 0}));
        } else {
            const auto at = alive.begin() + static_cast<std::ptrdiff_t>(draws() % alive.size());
            worldList().remove(*at);
            delete *at;
            alive.erase(at);
        }
        if (draws() % 4 != 0)
            continue;
        std::vector<std::int32_t> walked;
        scanWorldInOrder([](const Entity&) { return true; }, [&](Entity& e) { walked.push_back(e.id); });
        ASSERT_EQ(walked, listedIds()) << round;
        std::vector<std::int32_t> everyOther;
        scanWorldInOrder([](const Entity& e) { return e.id % 2 == 0; },
                         [&](Entity& e) { everyOther.push_back(e.id); });
        std::erase_if(walked, [](std::int32_t id) { return id % 2 != 0; });
        EXPECT_EQ(everyOther, walked) << round;
    }
}

} // namespace
} // namespace q71::test
