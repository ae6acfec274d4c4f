#pragma once
// A list of rows on a screen's glass, in phosphor, the selected row lit in amber, rows that cannot
// be chosen dimmed. Every row is written in the list's one font; a row too long for the list's
// width is broken between its words onto further lines, its row growing with them. A click selects
// a row and tells the parent WM_COMMAND (id, row); a second click on the same row soon after
// chooses it: WM_COMMAND (id + 1, row). A list of more rows than it shows has a scroll bar down its
// right side and scrolls by the wheel. A list that takes keys moves its selection by the keys its
// screen leaves, telling the parent as a click does. The login's roster and the mission lists are
// such lists.

#include "framework/widgets/base_widget.h"
#include "platform/gdi/font.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace q71 {

class Scroller;

class GlassList : public BaseWidget {
public:
    /// A windowless list over a rectangle of the parent.
    GlassList(WindowHandle parent, int controlId, const Rect& area);
    /// Takes its scroll bar with it.
    ~GlassList() override;

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
    /// Shows the rows from `row` on, the last page kept full.
    void scrollTo(int row);
    /// How many rows show from the first one shown (as many one-line rows as fit past the last).
    int visibleRows() const;
    /// The lines a row is written on: one, or more when it is too long for the list's width.
    const std::vector<std::string>& rowLines(int row) const;
    /// The font of the rows (null while the interface fonts do not exist).
    FontRef rowsFont() const;
    /// The row at a point of the parent, or -1.
    int rowAt(int x, int y) const;
    /// The keys of a list: Up and Down a row, Page Up and Page Down a page, Home and End to the
    /// first and the last row. Moves the selection (the first row when none was selected) into
    /// view and tells the parent WM_COMMAND (id, row); false for any other key or an empty list.
    bool navigate(int virtualKey);
    /// The list takes the keys its screen leaves (a list whose rows a click changes does not).
    void takeKeys() { takesKeys_ = true; }
    /// The bar shown while the rows overflow, or null.
    Scroller* scrollBar() const;

    void paint(PaintRecord& paint) override;
    void onLeftDown(int x, int y) override;
    /// The list's keys, when it takes keys.
    int onKeyDown(std::uint32_t key, LParam lParam) override;
    /// The bar moved: its position is the first row shown.
    void onVScroll(WParam wParam, LParam lParam) override;
    /// Three rows a notch; the selection stays.
    bool onMouseWheel(int delta) override;
    void hide() override;
    void show() override;

private:
    int lastFirstRow() const;
    /// How many rows from `first` show whole (the first one always does).
    int rowsFitting(int first) const;
    /// The first row shown when `row` is the last one wholly shown.
    int firstShowingUpTo(int row) const;
    /// The height of the rows' part of the glass.
    int innerHeight() const;
    int rowHeight(int row) const;
    /// The right edge of the rows: left of the bar when the rows overflow.
    int rowsRight() const;
    /// Breaks the rows into their lines for the width left beside the bar, when they need it.
    void layoutRows();
    /// Breaks every row into lines no wider than `width`; the rows' total height.
    int wrapRows(int width);
    /// Shows the bar when the rows overflow and the list shows (made on first need), hides it
    /// otherwise, and sets its range and position.
    void updateBar();

    std::vector<std::string> rows_;
    std::vector<std::vector<std::string>> rowLines_;
    std::vector<bool> dimmed_;
    bool overflows_ = false;
    int selected_ = -1;
    int first_ = 0;
    int lastClickedRow_ = -1;
    std::uint32_t lastClickTime_ = 0;
    bool takesKeys_ = false;
    Scroller* bar_ = nullptr; // a window of the parent's, which may destroy it first
    std::weak_ptr<const void> barAlive_;
};

} // namespace q71
