#pragma once
// What a detonation leaves in the world for a minute or so: loud to the sonars, reported by the
// sonar crew, raising the ambient noise while it is under water, perhaps setting off one more
// explosion in the hull it came from, and, when it marks the loss of the own boat, ending the
// mission once it has died away. The damage itself is done by whoever detonated.

#include "sim/entities/entity.h"

namespace q71 {

class ExplosionEntity final : public Entity {
public:
    /// An explosion at a source (at an end of its hull for the later ones of a chain: kind 3 the
    /// stern, 4 and 5 the bow), on a side: heard, and the source's nearest hostiles alerted.
    ExplosionEntity(std::int32_t side, Entity& source, std::int32_t explosionKind);
    /// The form of a loaded mission: the entity's base values, its source's id and its kind.
    ExplosionEntity(std::int32_t side, std::uint32_t recordId, std::int32_t level, std::int32_t kind,
                    std::int32_t id, std::int32_t sourceId, std::int32_t explosionKind);

    /// Dies away after its duration; reports; may set off one more; raises the ambient noise.
    void updatePerSecond(double elapsed) override;

    double duration = 0.0;  ///< seconds
    double startTime = 0.0; ///< game time of creation
    /// 1 for a damaged entity's explosion, one more for each in a chain; 5 once it had its chance
    /// to set off another.
    std::int32_t explosionKind = 1;

private:
    void placeAt(const Entity* source);
    void init();
    void playSound(const Entity* source);
    void reportToCrew();
    void raiseAmbientNoise();
};

/// Installs the maker through which damaged entities leave explosions.
void explosionInstallMaker();

} // namespace q71
