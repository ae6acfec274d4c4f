#include "multiplayer/peer_world.h"

#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/textmngr/text_manager.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/scoring/mission_event.h"
#include "sim/scoring/scoring.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "stations/geninfo/gen_info.h"
#include "tactical/radio/radio_room.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr int kPlayerLeftCommand = 1106;
constexpr int kChatKind = 2;
constexpr std::int32_t kTransmission = 10;
constexpr std::int32_t kPing = 4, kSweep = 7;
// A peer's ping or sweep is heard loudest next to it and fades out over this range.
constexpr double kHeardRangeYards = 40000.0;

Entity* remoteEntity(std::uint32_t id) {
    Entity* entity = worldFindEntity(static_cast<std::int32_t>(id));
    return entity && entity->remote && entity->motion ? entity : nullptr;
}

// The own boat's intercept sonar (a ping) or ESM receiver (a sweep) hears the peer's boat.
void transmissionHeard(Entity& source, std::int32_t kind) {
    Entity* own = worldOwnShip();
    if (!own || (kind != kPing && kind != kSweep))
        return;
    Sensor* receiver = own->findSensorByType(kind == kPing ? kSensorIntercept : kSensorEsm);
    if (!receiver)
        return;
    const double range = entityRange3dYards(*own, source);
    const int level = static_cast<int>(95.0 * std::max(0.0, 1.0 - range / kHeardRangeYards));
    if (level > 0)
        receiver->onPing(source.id, static_cast<int>(entityBearing(*own, source)), level);
}

class SimPeerWorld final : public PeerWorld {
public:
    void entityState(const MsgEntityState& s) override {
        Entity* entity = remoteEntity(s.entityId);
        if (!entity)
            return;
        MotionModel& motion = *entity->motion;
        motion.x = s.x;
        motion.y = s.y;
        motion.z = s.z;
        motion.speed = s.speed;
        motion.heading = s.heading;
        motion.pitch = s.pitch;
        motion.roll = s.roll;
        motion.sinking = static_cast<std::int32_t>(s.sinking);
        entity->lastRemoteUpdate = simClock().gameClock;
    }

    void damage(const MsgDamage& d) override {
        Entity* target = worldFindEntity(d.targetId);
        if (!target)
            return;
        Entity* attacker = d.attackerId != 0 ? worldFindEntity(d.attackerId) : nullptr;
        target->applyDamage(d.amount, attacker, d.explode == 1, false, true);
    }

    void clock(double gameSeconds) override {
        if (gameSeconds >= 0.0)
            simSetGameTime(gameSeconds);
    }

    void boatEvent(const MsgEvent& event) override {
        Entity* boat = remoteEntity(static_cast<std::uint32_t>(event.subject));
        if (!boat)
            return;
        MotionModel& motion = *boat->motion;
        const auto value = static_cast<std::int32_t>(event.value1);
        switch (event.code) {
        case 0:
            motion.orderedSpeed = eventPairedDouble(event);
            break;
        case 1:
            motion.orderedDepth = eventPairedDouble(event) * kFeetToMetres;
            break;
        case 2:
            motion.orderedCourse = eventPairedDouble(event);
            break;
        case 7:
            motion.blowerOn = value;
            break;
        case 8:
            motion.emergencyBlow = value;
            break;
        case kTransmission:
            transmissionHeard(*boat, value);
            break;
        case 11: {
            MissionEvent option;
            option.time = simClock().gameClock;
            option.kind = kEventOptionFlag;
            option.subject = boat->id;
            option.extra = value;
            scoringPostEvent(option, 1);
            break;
        }
        default:
            break;
        }
    }

    void pauseLock(std::int32_t player, int lock) override {
        // The button stays locked while any player's pause holds.
        if (simPeerPause(player, lock == 1))
            genInfoLockPause(simPeerPaused() ? 1 : 0);
    }

    void chatLine(const std::string& line, std::int32_t player) override {
        if (RadioRoom* room = radioRoom())
            room->appendMessage(line, kChatKind);
        else
            msgLogAddColoured(playerColour(player), line.c_str());
    }

    void playerLeft(std::int32_t player) override {
        if (FullScreen* host = screenGet(kSlotGenInfo))
            host->onCommand(static_cast<WParam>(kPlayerLeftCommand), static_cast<LParam>(player));
    }

    void hostGone() override {
        for (auto* node = worldList().head(); node; node = node->next) {
            Entity& entity = *node->item;
            if (!entity.remote || !entity.motion)
                continue;
            entity.motion->speed = entity.motion->orderedSpeed = 0.0;
        }
    }
};

} // namespace

PeerWorld& simPeerWorld() {
    static SimPeerWorld world;
    return world;
}

} // namespace q71
