#include "frontend/glass_list.h"

#include "framework/app/shell_fonts.h"
#include "frontend/glass_colours.h"
#include "platform/gdi/device_context.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr int kRowHeight = 22;
constexpr int kMargin = 6;
constexpr std::uint32_t kDoubleClickMs = 500;
constexpr int kRowFont = 8;

} // namespace

GlassList::GlassList(WindowHandle parent, int controlId, const Rect& area)
    : BaseWidget(parent, area.left, area.top, area.width(), area.height(), false) {
    controlId_ = controlId;
}

void GlassList::setRows(std::vector<std::string> rows, std::vector<bool> dimmed) {
    rows_ = std::move(rows);
    dimmed_ = std::move(dimmed);
    dimmed_.resize(rows_.size(), false);
    selected_ = -1;
    first_ = 0;
    invalidate(nullptr, false);
}

void GlassList::replaceRows(std::vector<std::string> rows) {
    const int kept = selected_;
    setRows(std::move(rows));
    select(kept);
}

int GlassList::visibleRows() const {
    return std::max((height_ - 2 * kMargin) / kRowHeight, 1);
}

void GlassList::select(int row) {
    selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
    if (selected_ >= 0) {
        if (selected_ < first_)
            first_ = selected_;
        else if (selected_ >= first_ + visibleRows())
            first_ = selected_ - visibleRows() + 1;
    }
    invalidate(nullptr, false);
}

bool GlassList::step(int direction) {
    if (rows_.empty())
        return false;
    const int row = selected_ < 0 ? 0 : selected_ + direction;
    select(std::clamp(row, 0, static_cast<int>(rows_.size()) - 1));
    return true;
}

int GlassList::rowAt(int x, int y) const {
    if (!hitTest(x, y) || y < y_ + kMargin)
        return -1;
    const int row = first_ + (y - y_ - kMargin) / kRowHeight;
    return row - first_ < visibleRows() && row < static_cast<int>(rows_.size()) ? row : -1;
}

void GlassList::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    dc.selectFont(appInterfaceFont(kRowFont));
    dc.setBkMode(kTransparent);
    const int last = std::min(first_ + visibleRows(), static_cast<int>(rows_.size()));
    for (int row = first_; row < last; ++row) {
        const auto i = static_cast<std::size_t>(row);
        Rect line{x_ + kMargin, y_ + kMargin + (row - first_) * kRowHeight, x_ + width_ - kMargin,
                  y_ + kMargin + (row - first_ + 1) * kRowHeight};
        if (row == selected_)
            dc.fillRect(line, createSolidBrush(glass_colours::kLitRow));
        dc.setTextColor(row == selected_ ? glass_colours::kAmber
                        : dimmed_[i]     ? glass_colours::kDimPhosphor
                                         : glass_colours::kPhosphor);
        Rect text{line.left + 6, line.top, line.right - 4, line.bottom};
        dc.drawText(rows_[i], text, kDtLeft | kDtVCenter | kDtSingleLine | kDtNoPrefix);
    }
}

void GlassList::onLeftDown(int x, int y) {
    leftPressed_ = false;
    const int row = rowAt(x, y);
    if (row < 0)
        return;
    const std::uint32_t now = timerTickCount();
    const bool second = row == lastClickedRow_ && now - lastClickTime_ <= kDoubleClickMs;
    lastClickedRow_ = second ? -1 : row;
    lastClickTime_ = now;
    select(row);
    // The choice may end the screen the list belongs to: nothing of the list is touched after it.
    if (second)
        messageSend(parentWindow_, WM_COMMAND, static_cast<WParam>(controlId_ + 1), row);
    else
        notifyParent(row);
}

} // namespace q71
