#pragma once
// A list of rows on a screen's glass: one row per line in phosphor, the selected row lit in
// amber, rows that cannot be chosen dimmed. A click selects a row and tells the parent
// WM_COMMAND (id, row); a second click on the same row soon after chooses it: WM_COMMAND
// (id + 1, row). The login's roster and the mission lists are such lists.

#include "framework/widgets/base_widget.h"

#include <functional>
#include <string>
#include <vector>

namespace q71 {

class GlassList : public BaseWidget {
public:
    /// A windowless list over a rectangle of the parent.
    GlassList(WindowHandle parent, int controlId, const Rect& area);

    /// The rows, none selected; `dimmed` (when not empty) marks rows drawn dim.
    void setRows(std::vector<std::string> rows, std::vector<bool> dimmed = {});
    /// One row for each of `items`, its text `label(item)` (a function or a member), none selected.
    template <class Items, class Label> void setRowsOf(const Items& items, Label label) {
        std::vector<std::string> rows;
        for (const auto& item : items)
            rows.push_back(std::invoke(label, item));
        setRows(std::move(rows));
    }
    /// New rows, the selected row's index kept (none when the rows end before it).
    void replaceRows(std::vector<std::string> rows);
    const std::vector<std::string>& rows() const { return rows_; }
    /// Selects a row (-1: none), scrolling it into view.
    void select(int row);
    int selected() const { return selected_; }
    /// The first row shown.
    int firstVisible() const { return first_; }
    /// How many rows fit.
    int visibleRows() const;
    /// The row at a point of the parent, or -1.
    int rowAt(int x, int y) const;
    /// Moves the selection one row up (-1) or down (1), to the first row when none is selected;
    /// false for an empty list.
    bool step(int direction);

    void paint(PaintRecord& paint) override;
    void onLeftDown(int x, int y) override;

private:
    std::vector<std::string> rows_;
    std::vector<bool> dimmed_;
    int selected_ = -1;
    int first_ = 0;
    int lastClickedRow_ = -1;
    std::uint32_t lastClickTime_ = 0;
};

} // namespace q71
