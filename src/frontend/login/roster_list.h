#pragma once
// The list of the players of the roster on the login screen, one row per player on the glass.

#include "frontend/glass_list.h"
#include "sim/scoring/player_roster.h"

#include <vector>

namespace q71 {

class RosterList : public GlassList {
public:
    using GlassList::GlassList;

    void setEntries(std::vector<RosterEntry> entries);
    const std::vector<RosterEntry>& entries() const { return entries_; }
    /// The selected player, or null.
    const RosterEntry* selectedEntry() const;
    /// What a row shows: the name, with the player's number when it is not 0.
    static std::string rowText(const RosterEntry& entry);

private:
    std::vector<RosterEntry> entries_;
};

} // namespace q71
