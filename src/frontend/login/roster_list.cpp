#include "frontend/login/roster_list.h"

#include <cstdio>

namespace q71 {

void RosterList::setEntries(std::vector<RosterEntry> entries) {
    entries_ = std::move(entries);
    setRowsOf(entries_, rowText);
}

const RosterEntry* RosterList::selectedEntry() const {
    return selected() >= 0 ? &entries_[static_cast<std::size_t>(selected())] : nullptr;
}

std::string RosterList::rowText(const RosterEntry& entry) {
    if (entry.number <= 0)
        return entry.name;
    char number[16];
    std::snprintf(number, sizeof number, "%03d", entry.number);
    return entry.name + "  (" + number + ")";
}

} // namespace q71
