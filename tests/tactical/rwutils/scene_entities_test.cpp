// The scene-entity list on a scripted world: records kept in step with the world through the
// observer, explosions spawned instead of records, a view attached and detached, damage dents
// and the wreck swap, and a stopped ship losing its wake.
#include "tactical/rwutils/rw_fixture.h"

#include "render3d/scene.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "support/temp_dir.h"
#include "tactical/rwutils/rw_explosions.h"
#include "tactical/rwutils/rw_puffs.h"
#include "tactical/rwutils/rw_wake.h"
#include "tactical/rwutils/rw_widget.h"
#include "tactical/rwutils/scene_entities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace q71::test {
namespace {

enum Record : std::uint32_t { kFrigate = 1, kFreighter = 2, kBlast = 3, kSub = 4, kTanker = 5 };

ObjectRecord record(std::uint32_t id, const char* key, std::uint32_t kind, std::int32_t classCode,
                    const char* second = "", const char* third = "") {
    ObjectRecord r;
    r.id = id;
    r.keyName.assign(key);
    r.modelName.assign(key);
    r.secondModelName.assign(second);
    r.thirdModelName.assign(third);
    r.kind = kind;
    r.classCode = classCode;
    r.size = 4.0f;
    return r;
}

class SceneEntities : public RwFixture {
protected:
    SceneEntities() {
        std::string bytes;
        for (const ObjectRecord& r :
             {record(kFrigate, "frigate", kObjectKindSurfaceShip, 0),
              record(kFreighter, "freighter", kObjectKindSurfaceShip, 5, "freighterw"),
              record(kBlast, "Explosion", 4, 0), record(kSub, "sub", kObjectKindSubmarine, 2),
              record(kTanker, "tanker", kObjectKindSurfaceShip, 1, "tankbow", "tankstern")}) {
            const auto encoded = objectRecordEncode(r);
            bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
        }
        objdbLoadFile(dir.write("objects.db", bytes));
        addModel("frigate", {"grey.bmp"}, 3.0f);
        addModel("freighter", {"grey.bmp"}, 4.0f);
        addModel("freighterw", {"rust.bmp"}, 2.0f);
        addModel("sub", {"grey.bmp"}, 5.0f);
        addModel("tanker", {"grey.bmp"}, 4.0f);
        addModel("tankbow", {"rust.bmp"}, 2.0f);
        addModel("tankstern", {"rust.bmp"}, 2.0f);
        for (const char* name : {"bubbles1.bmp", "bubbles2.bmp", "smoke.bmp", "wake.bmp"})
            addTexture("textures", name, 0xE0E0E0);
        rwInitParticles();
        for (int i = 2; i <= 7; ++i)
            addTexture("textures", "sboom" + std::to_string(i) + ".bmp", 0xFF8000, 15);
        for (int i = 1; i <= 6; ++i)
            addTexture("textures", "uboom" + std::to_string(i) + ".bmp", 0x8080FF, 15);
        simSetGameTime(10.0);
    }
    ~SceneEntities() override {
        effectsEnd();
        rwFreeExplosions();
        rwFreeEffectList();
        rwFreeWake();
        worldList().deleteAll();
        objdbFree();
    }
    Entity* spawn(std::uint32_t recordId, double x, double y, double speed = 0.0, std::int32_t parentId = 0) {
        auto* e = new Entity(1, recordId, 2, 0, -1);
        e->motion = std::make_unique<MotionModel>(*e);
        e->motion->x = x;
        e->motion->y = y;
        e->motion->speed = speed;
        e->motion->driveSpeed = speed;
        e->parentId = parentId;
        worldAddEntity(e);
        return e;
    }
    void destroy(Entity* e) {
        worldList().remove(e);
        delete e;
    }
    SceneEntity* recordOf(const Entity* e) {
        for (const auto& r : sceneEntities())
            if (r->entity == e)
                return r.get();
        return nullptr;
    }
    std::unique_ptr<RWWidget> view() {
        auto v = std::make_unique<RWWidget>("view", parent, 0, 0, 160, 90);
        v->createScene();
        return v;
    }
    TempDir dir;
};

TEST_F(SceneEntities, TheListFollowsTheWorld) {
    Entity* first = spawn(kFrigate, 0, 100);
    effectsBegin();
    ASSERT_EQ(sceneEntities().size(), 1u);
    EXPECT_EQ(sceneEntities()[0]->name, "frigate");
    EXPECT_NE(r3d::findByTag(*sceneEntities()[0]->clump, RWWidget::kTagHull), nullptr);
    EXPECT_FLOAT_EQ(sceneEntities()[0]->radius, 3.0f);

    worldNotifyEntityObservers(first, kWorldEntityAdded);
    EXPECT_EQ(sceneEntities().size(), 1u) << "a second notice changes nothing";
    effectsBegin();
    EXPECT_EQ(sceneEntities().size(), 1u);

    Entity* second = spawn(kFreighter, 50, 100);
    EXPECT_EQ(sceneEntities().size(), 2u);
    Entity* blast = spawn(kBlast, 0, 100, 0, first->id);
    EXPECT_EQ(sceneEntities().size(), 2u) << "an explosion gets no record";
    destroy(blast);
    EXPECT_EQ(sceneEntities().size(), 2u);

    destroy(first); // its record goes before the entity: nothing reads it afterwards
    ASSERT_EQ(sceneEntities().size(), 1u);
    EXPECT_EQ(sceneEntities()[0]->entity, second);
    effectsAnimate();
    effectsEnd();
    EXPECT_TRUE(sceneEntities().empty());
    spawn(kFrigate, 0, 0);
    EXPECT_TRUE(sceneEntities().empty()) << "no observer after the end";
    EXPECT_EQ(rwModelInstances(), 0);
}

TEST_F(SceneEntities, AttachingShowsEveryRecordAndDetachingLeavesNothing) {
    auto v = view();
    spawn(kFrigate, 0, 100);
    effectsBegin();
    effectsSetView(v.get(), false);
    effectsAttachView();
    Entity* late = spawn(kFreighter, 20, 100);
    for (const auto& r : sceneEntities()) {
        const RwObject* o = v->findObject(r->handle);
        ASSERT_NE(o, nullptr) << r->name;
        EXPECT_EQ(o->clump, r->clump);
        EXPECT_EQ(*o->y, 100.0);
    }
    EXPECT_EQ(recordOf(late)->parts.size(), 1u) << "no wreck part without detail";
    const auto objects = effectsGetViewObjects();
    const auto entities = effectsGetEntities();
    ASSERT_EQ(objects.size(), 2u);
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(objects[1].name, "freighter");
    EXPECT_EQ(objects[1].id, late->id);
    EXPECT_NE(v->findObject(objects[1].handle), nullptr);
    EXPECT_EQ(entities[1], late);

    rwInitExplosions();
    spawn(kBlast, 20, 100, 0, late->id);
    const RwExplosion& slot = rwExplosionSlot(0);
    ASSERT_EQ(slot.state, 1);
    EXPECT_NEAR(slot.size, 1.5 * std::sqrt(3 * 8.0 * 8.0), 1e-3) << "1.5 times the target's diagonal";
    EXPECT_EQ(slot.x, 20.0);

    std::vector<int> handles;
    for (const auto& r : sceneEntities())
        handles.push_back(r->handle);
    effectsDetachView();
    for (int h : handles)
        EXPECT_EQ(v->findObject(h), nullptr);
    EXPECT_EQ(rwExplosionSlot(0).state, 0) << "the view's explosions end with it";
    EXPECT_TRUE(v->scene()->clumps().empty());
    v->render();
}

TEST_F(SceneEntities, RecordsMadeWhileAViewIsSetAreShownOnceAndLeaveWithIt) {
    auto v = view();
    spawn(kFrigate, 0, 100);
    spawn(kFreighter, 20, 100);
    effectsSetView(v.get(), false);
    effectsBegin(); // the records go into the view as they are made
    effectsAttachView();
    effectsAttachView();
    ASSERT_EQ(sceneEntities().size(), 2u);
    for (const auto& r : sceneEntities())
        EXPECT_NE(v->findObject(r->handle), nullptr) << r->name;
    effectsDetachView();
    for (int handle = 0; handle < 8; ++handle)
        EXPECT_EQ(v->findObject(handle), nullptr) << "object " << handle << " left behind";
    effectsEnd();
    v->show();
    v->render(); // nothing of the freed records is placed
}

TEST_F(SceneEntities, DamageDentsStageByStageAndADeadFreighterBecomesItsWreck) {
    auto v = view();
    effectsSetView(v.get(), true);
    effectsBegin();
    effectsAttachView();
    Entity* ship = spawn(kFreighter, 0, 100, 5.0);
    SceneEntity* r = recordOf(ship);
    ASSERT_EQ(r->parts.size(), 2u);
    EXPECT_EQ(r->parts[1].type, 2);
    EXPECT_FALSE(r->parts[1].attached);

    struct Step {
        double health;
        int stage;
    };
    for (const Step& s : {Step{1.0, 0}, Step{0.5, 1}, Step{0.5, 2}, Step{0.5, 2}, Step{0.15, 3},
                          Step{0.15, 4}, Step{0.15, 4}}) {
        ship->hull = s.health;
        effectsAnimate();
        EXPECT_EQ(r->damageStage, s.stage) << "health " << s.health;
    }
    ship->hull = 0.0;
    effectsAnimate();
    EXPECT_EQ(r->damageStage, 5);
    EXPECT_EQ(r->parts[0].model, nullptr) << "the hull is released";
    EXPECT_TRUE(r->parts[1].attached);
    EXPECT_EQ(r->parts[1].model->parent(), r->clump);
    EXPECT_EQ(v->findObject(r->handle)->size, 0.0f) << "a wreck does not roll";
    effectsAnimate();
    EXPECT_EQ(r->damageStage, 5);
    v->render();
    effectsDetachView();
}

TEST_F(SceneEntities, ABrokenTankerShowsItsTwoSectionsOnlyOnceItsHullBreaksTheSternFollowingTheSecondBody) {
    auto v = view();
    v->show();
    effectsSetView(v.get(), true);
    effectsBegin();
    effectsAttachView();
    Entity* tanker = spawn(kTanker, 0, 200);
    SceneEntity* r = recordOf(tanker);
    ASSERT_EQ(r->parts.size(), 3u);
    EXPECT_EQ(r->parts[1].type, 3);
    EXPECT_EQ(r->parts[2].type, 3);
    EXPECT_FALSE(r->parts[1].attached || r->parts[2].attached) << "sections wait for the break";

    tanker->hull = 0.0;
    for (int frame = 0; frame < 5; ++frame)
        effectsAnimate();
    ASSERT_EQ(r->damageStage, 5);
    ASSERT_NE(r->parts[0].model, nullptr) << "no break reported: the dented hull stays";
    EXPECT_TRUE(r->parts[0].attached);
    EXPECT_FALSE(r->parts[1].attached || r->parts[2].attached);

    // The motion reports the break; its second body lies apart, turned, pitched and rolled.
    MotionModel& m = *tanker->motion;
    m.z = -3.0;
    m.heading = 30.0;
    m.pitch = 5.0;
    m.roll = 10.0;
    m.breaksInTwo = 1;
    m.secondPiece.x = 15.0;
    m.secondPiece.y = 230.0;
    m.secondPiece.z = -6.0;
    m.secondPiece.heading = 75.0;
    m.secondPiece.pitch = -8.0;
    m.secondPiece.roll = -20.0;
    effectsAnimate();
    EXPECT_EQ(r->parts[0].model, nullptr) << "the hull is released";
    ASSERT_TRUE(r->parts[1].attached && r->parts[2].attached);
    EXPECT_EQ(r->parts[1].model->parent(), r->clump);
    EXPECT_FALSE(v->findObject(r->handle)->bearingTest) << "the halves show whatever their bearing";

    // A ship placed by the view where the second body lies, as the second body lies.
    Entity* twin = spawn(kFrigate, 15.0, 230.0);
    twin->motion->z = -6.0;
    twin->motion->heading = 75.0;
    twin->motion->pitch = -8.0;
    twin->motion->roll = -20.0;
    v->render();
    const r3d::Matrix stern = r->parts[2].model->world(), expected = recordOf(twin)->clump->world();
    for (const auto& [got, want] : {std::pair{stern.c0, expected.c0}, std::pair{stern.c1, expected.c1},
                                    std::pair{stern.c2, expected.c2}, std::pair{stern.t, expected.t}}) {
        EXPECT_NEAR(got.x, want.x, 1e-4);
        EXPECT_NEAR(got.y, want.y, 1e-4);
        EXPECT_NEAR(got.z, want.z, 1e-4);
    }
    const r3d::Matrix bow = r->parts[1].model->world(), hull = r->clump->world();
    EXPECT_NEAR(bow.t.x, hull.t.x, 1e-5) << "the bow stays with the first body";
    effectsDetachView();
}

TEST_F(SceneEntities, AStoppedShipLosesItsWake) {
    auto v = view();
    effectsSetView(v.get(), true);
    effectsBegin();
    effectsAttachView();
    Entity* moving = spawn(kFrigate, 0, 100, 6.0);
    Entity* still = spawn(kFrigate, 0, 200, 0.0);
    EXPECT_TRUE(recordOf(moving)->wake);
    EXPECT_NE(r3d::findByTag(*recordOf(moving)->clump, kTagWake), nullptr);
    EXPECT_FALSE(recordOf(still)->wake) << "a surface ship at rest makes none";
    EXPECT_EQ(r3d::findByTag(*recordOf(still)->clump, kTagWake), nullptr);
    effectsAnimate();
    EXPECT_TRUE(recordOf(moving)->wake);
    moving->motion->driveSpeed = 0.0;
    effectsAnimate();
    EXPECT_FALSE(recordOf(moving)->wake);
    EXPECT_EQ(r3d::findByTag(*recordOf(moving)->clump, kTagWake), nullptr);
    effectsDetachView();
}

TEST_F(SceneEntities, ATrailLiesBehindTheSternAlongTheTrackAndAWreckSmokes) {
    effectsBegin();
    // Heading 90 (east) at 10 m/s, 30 m down: the stern lies west, radius 5 units.
    Entity* sub = spawn(kSub, 1000, 2000, 10.0);
    sub->motion->z = -30.0;
    sub->motion->heading = 90.0;
    rwClearEffectList();
    simSetGameTime(10.5);
    effectsAnimate();
    ASSERT_EQ(rwPuffs().size(), 3u) << "three particles an emission";
    for (std::size_t k = 0; k < 3; ++k) {
        const Puff& p = rwPuffs()[k];
        // s · P / n = 1 · 0.1 / 3 units apart, from the stern 5 units west.
        EXPECT_NEAR(p.x, 100.0f - 5.0f - 0.1f * static_cast<float>(k) / 3.0f, 1e-3) << k;
        EXPECT_NEAR(p.z, -200.0f, 1e-3);
        EXPECT_NEAR(p.y, -3.0f, 1e-3);
        EXPECT_EQ(p.kind, kPuffBubbles);
    }
    simSetGameTime(10.55);
    effectsAnimate();
    EXPECT_EQ(rwPuffs().size(), 3u) << "not before the period";
    sub->motion->sinking = 1;
    simSetGameTime(11.0);
    effectsAnimate();
    EXPECT_EQ(rwPuffs().size(), 3u) << "a sinking hull leaves no trail";

    sub->hull = 0.05;
    simSetGameTime(12.0);
    effectsAnimate();
    ASSERT_EQ(rwPuffs().size(), 4u);
    EXPECT_EQ(rwPuffs().back().kind, kPuffSmoke);
    EXPECT_GT(rwPuffs().back().vy, 0.0f) << "the smoke rises";
    simSetGameTime(12.1);
    effectsAnimate();
    EXPECT_EQ(rwPuffs().size(), 4u) << "a puff every quarter second";
}

} // namespace
} // namespace q71::test
