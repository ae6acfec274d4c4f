#pragma once
// The list of the players of the roster on the login screen: one row per player in phosphor on
// the glass, the selected row lit in amber. A click selects a row and tells the parent
// WM_COMMAND (id, row); a second click on the same row soon after chooses it: WM_COMMAND
// (id + 1, row).

#include "framework/widgets/base_widget.h"
#include "sim/scoring/player_roster.h"

#include <vector>

namespace q71 {

class RosterList : public BaseWidget {
public:
    /// A windowless list over a rectangle of the parent.
    RosterList(WindowHandle parent, int controlId, const Rect& area);

    void setEntries(std::vector<RosterEntry> entries);
    const std::vector<RosterEntry>& entries() const { return entries_; }
    /// Selects a row (-1: none), scrolling it into view.
    void select(int row);
    int selected() const { return selected_; }
    /// The selected player, or null.
    const RosterEntry* selectedEntry() const;
    /// The first row shown.
    int firstVisible() const { return first_; }
    /// How many rows fit.
    int visibleRows() const;
    /// The row at a point of the parent, or -1.
    int rowAt(int x, int y) const;
    /// What a row shows: the name, with the player's number when it is not 0.
    static std::string rowText(const RosterEntry& entry);

    void paint(PaintRecord& paint) override;
    void onLeftDown(int x, int y) override;

private:
    std::vector<RosterEntry> entries_;
    int selected_ = -1;
    int first_ = 0;
    int lastClickedRow_ = -1;
    std::uint32_t lastClickTime_ = 0;
};

} // namespace q71
