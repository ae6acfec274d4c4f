#pragma once
// The life of a countermeasure: it is in the water for a set time and then goes. While it lives,
// torpedo seekers may take it for their target (the guidance rates it); it takes no notice of what
// its own receiver hears.

#include "sim/entities/controllers/entity_controller.h"

namespace q71 {

class CountermeasureController final : public EntityController {
public:
    /// A countermeasure that lives `lifetime` seconds of game time from now.
    CountermeasureController(Entity& owner, double lifetime);

    /// A countermeasure makes nothing of its contacts.
    void postEncounterEvent(ContactRecord& /*contact*/, int /*relayFlag*/) override {}
    /// Once its life is over, the countermeasure is flagged for removal.
    void update(double elapsed) override;

    double expiryTime = 0.0; ///< game time the countermeasure ends

protected:
    void saveSubclassState(std::array<std::uint8_t, kControllerStateBlockSize>& block) const override;
    bool loadSubclassState(const std::array<std::uint8_t, kControllerStateBlockSize>& block) override;
};

/// Installs the maker of the countermeasure controller for the countermeasure classes (at start-up).
void countermeasureControllerInstall();

} // namespace q71
