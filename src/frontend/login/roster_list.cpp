#include "frontend/login/roster_list.h"

#include "framework/app/shell_fonts.h"
#include "platform/gdi/device_context.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"

#include <algorithm>
#include <cstdio>

namespace q71 {
namespace {

constexpr int kRowHeight = 22;
constexpr int kMargin = 6;
constexpr std::uint32_t kDoubleClickMs = 500;
constexpr int kRowFont = 8;
constexpr ColorRef kPhosphor = rgb(0x4C, 0xE8, 0x74);
constexpr ColorRef kAmber = rgb(0xFF, 0xB2, 0x24);
constexpr ColorRef kLitRow = rgb(0x3A, 0x2A, 0x08);

} // namespace

RosterList::RosterList(WindowHandle parent, int controlId, const Rect& area)
    : BaseWidget(parent, area.left, area.top, area.width(), area.height(), false) {
    controlId_ = controlId;
}

void RosterList::setEntries(std::vector<RosterEntry> entries) {
    entries_ = std::move(entries);
    selected_ = -1;
    first_ = 0;
    invalidate(nullptr, false);
}

int RosterList::visibleRows() const {
    return std::max((height_ - 2 * kMargin) / kRowHeight, 1);
}

void RosterList::select(int row) {
    selected_ = row >= 0 && row < static_cast<int>(entries_.size()) ? row : -1;
    if (selected_ >= 0) {
        if (selected_ < first_)
            first_ = selected_;
        else if (selected_ >= first_ + visibleRows())
            first_ = selected_ - visibleRows() + 1;
    }
    invalidate(nullptr, false);
}

const RosterEntry* RosterList::selectedEntry() const {
    return selected_ >= 0 ? &entries_[static_cast<std::size_t>(selected_)] : nullptr;
}

int RosterList::rowAt(int x, int y) const {
    if (!hitTest(x, y) || y < y_ + kMargin)
        return -1;
    const int row = first_ + (y - y_ - kMargin) / kRowHeight;
    return row - first_ < visibleRows() && row < static_cast<int>(entries_.size()) ? row : -1;
}

std::string RosterList::rowText(const RosterEntry& entry) {
    if (entry.number <= 0)
        return entry.name;
    char number[16];
    std::snprintf(number, sizeof number, "%03d", entry.number);
    return entry.name + "  (" + number + ")";
}

void RosterList::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    dc.selectFont(appInterfaceFont(kRowFont));
    dc.setBkMode(kTransparent);
    const int last = std::min(first_ + visibleRows(), static_cast<int>(entries_.size()));
    for (int row = first_; row < last; ++row) {
        Rect line{x_ + kMargin, y_ + kMargin + (row - first_) * kRowHeight, x_ + width_ - kMargin,
                  y_ + kMargin + (row - first_ + 1) * kRowHeight};
        if (row == selected_)
            dc.fillRect(line, createSolidBrush(kLitRow));
        dc.setTextColor(row == selected_ ? kAmber : kPhosphor);
        Rect text{line.left + 6, line.top, line.right - 4, line.bottom};
        dc.drawText(rowText(entries_[static_cast<std::size_t>(row)]), text,
                    kDtLeft | kDtVCenter | kDtSingleLine | kDtNoPrefix);
    }
}

void RosterList::onLeftDown(int x, int y) {
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
