#pragma once
// Countermeasures (types 5 and 6), put out by a submarine against a torpedo: they start where
// the launcher is, rise slowly, and live for five to ten minutes before their controller ends
// them. The noisemaker (type 5) is loud to every sonar; the decoy (type 6) is all but silent,
// carries an intercept receiver, and takes no notice of contact reports.

#include "sim/entities/entity.h"
#include "sim/entities/types/entity_base_values.h"

#include <string_view>

namespace q71 {

class CountermeasureEntity final : public Entity {
public:
    /// A noisemaker of a type from a launcher, making for an ordered depth (a z value).
    CountermeasureEntity(std::int32_t side, std::string_view typeName, std::int32_t level,
                         std::int32_t launcherId, double depth);
    /// A noisemaker of a saved mission (its launcher is its parent).
    explicit CountermeasureEntity(const EntityBaseValues& values);

private:
    void buildParts(std::int32_t launcherId, double depth);
};

class Countermeasure2Entity final : public Entity {
public:
    /// A decoy of a type from a launcher, making for an ordered depth (a z value).
    Countermeasure2Entity(std::int32_t side, std::string_view typeName, std::int32_t level,
                          std::int32_t launcherId, double depth);
    /// A decoy of a saved mission (its launcher is its parent).
    explicit Countermeasure2Entity(const EntityBaseValues& values);

    /// A decoy ignores contact reports.
    void processContactRecord(Entity& /*entity*/, const ContactFix& /*fix*/) override {}

private:
    void buildParts(std::int32_t launcherId, double depth);
};

} // namespace q71
