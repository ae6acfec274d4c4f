#include "frontend/glass_list.h"

#include "framework/app/shell_fonts.h"
#include "framework/resources/group_archive.h"
#include "framework/widgets/line_scroller.h"
#include "framework/widgets/scroller.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "platform/gdi/device_context.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr int kRowHeight = 22;
constexpr int kMargin = 6;
constexpr std::uint32_t kDoubleClickMs = 500;
constexpr int kRowFont = 8;
constexpr int kBarWidth = 16; // the shared arrows' width
constexpr int kTextLeft = 6, kTextRight = 4; // the text inside its row
constexpr int kTextInset = kTextLeft + kTextRight;

} // namespace

GlassList::GlassList(WindowHandle parent, int controlId, const Rect& area)
    : BaseWidget(parent, area.left, area.top, area.width(), area.height(), false) {
    controlId_ = controlId;
}

GlassList::~GlassList() {
    if (Scroller* bar = scrollBar())
        delete bar;
}

Scroller* GlassList::scrollBar() const {
    return barAlive_.expired() ? nullptr : bar_;
}

void GlassList::setRows(std::vector<std::string> rows, std::vector<bool> dimmed) {
    rows_ = std::move(rows);
    dimmed_ = std::move(dimmed);
    dimmed_.resize(rows_.size(), false);
    selected_ = -1;
    first_ = 0;
    rowsFont_ = -1;
    updateBar();
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

int GlassList::lastFirstRow() const {
    return std::max(static_cast<int>(rows_.size()) - visibleRows(), 0);
}

int GlassList::rowsRight() const {
    const Scroller* bar = scrollBar();
    return x_ + width_ - kMargin - (bar && bar->isVisible() ? kBarWidth : 0);
}

void GlassList::updateBar() {
    const bool overflows = static_cast<int>(rows_.size()) > visibleRows();
    Scroller* bar = scrollBar();
    if (!overflows || !visible_) {
        if (bar)
            bar->hide();
        return;
    }
    if (!bar) {
        // The bar's pictures are the shared group's; the screen's own group stays selected. Without
        // them (a data set that lacks the group) its parts are drawn plain.
        const GroupSelectionKept screenGroup;
        const ScrollerLook look =
            grpOpenGroup(kSharedScrollerGroup) ? sharedScrollerLook() : ScrollerLook{};
        bar = new Scroller(parentWindow_, x_ + width_ - kMargin - kBarWidth, y_ + kMargin, kBarWidth,
                           height_ - 2 * kMargin, false, controlId_, true, look.background, look.decrement,
                           look.increment, look.thumb, kBarWidth, kBarWidth);
        bar->setTracking(true);
        bar->setProportional(true);
        bar->loadResources();
        bar_ = bar;
        barAlive_ = bar->watch();
    }
    bar->show();
    bar->setRange(1, visibleRows(), 0, lastFirstRow(), visibleRows());
    bar->setPosition(first_);
}

void GlassList::scrollTo(int row) {
    const int first = std::clamp(row, 0, lastFirstRow());
    if (Scroller* bar = scrollBar(); bar && bar->getPosition() != first)
        bar->setPosition(first); // reported back through onVScroll
    if (first != first_) {
        first_ = first;
        invalidate(nullptr, false);
    }
}

void GlassList::select(int row) {
    selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
    if (selected_ >= 0) {
        if (selected_ < first_)
            scrollTo(selected_);
        else if (selected_ >= first_ + visibleRows())
            scrollTo(selected_ - visibleRows() + 1);
    }
    invalidate(nullptr, false);
}

bool GlassList::navigate(int virtualKey) {
    if (rows_.empty())
        return false;
    const int last = static_cast<int>(rows_.size()) - 1;
    const int from = selected_ < 0 ? 0 : selected_;
    int row = 0;
    switch (static_cast<std::uint32_t>(virtualKey)) {
    case VK_UP:
        row = selected_ < 0 ? 0 : from - 1;
        break;
    case VK_DOWN:
        row = selected_ < 0 ? 0 : from + 1;
        break;
    case VK_PRIOR:
        row = from - visibleRows();
        break;
    case VK_NEXT:
        row = from + visibleRows();
        break;
    case VK_HOME:
        row = 0;
        break;
    case VK_END:
        row = last;
        break;
    default:
        return false;
    }
    select(std::clamp(row, 0, last));
    notifyParent(selected_);
    return true;
}

int GlassList::onKeyDown(std::uint32_t key, LParam) {
    return takesKeys_ && navigate(static_cast<int>(key)) ? 1 : 0;
}

int GlassList::rowAt(int x, int y) const {
    if (!hitTest(x, y) || y < y_ + kMargin || x >= rowsRight())
        return -1;
    const int row = first_ + (y - y_ - kMargin) / kRowHeight;
    return row - first_ < visibleRows() && row < static_cast<int>(rows_.size()) ? row : -1;
}

void GlassList::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    dc.setBkMode(kTransparent);
    // One font for every row, the one all of them fit in, so that no row stands out.
    if (rowsFont_ < 0)
        rowsFont_ = glassFittingFont(dc, rows_, rowsRight() - x_ - kMargin - kTextInset, kRowFont);
    dc.selectFont(appInterfaceFont(rowsFont_));
    const int last = std::min(first_ + visibleRows(), static_cast<int>(rows_.size()));
    for (int row = first_; row < last; ++row) {
        const auto i = static_cast<std::size_t>(row);
        Rect line{x_ + kMargin, y_ + kMargin + (row - first_) * kRowHeight, rowsRight(),
                  y_ + kMargin + (row - first_ + 1) * kRowHeight};
        if (row == selected_)
            dc.fillRect(line, createSolidBrush(glass_colours::kLitRow));
        dc.setTextColor(row == selected_ ? glass_colours::kAmber
                        : dimmed_[i]     ? glass_colours::kDimPhosphor
                                         : glass_colours::kPhosphor);
        Rect text{line.left + kTextLeft, line.top, line.right - kTextRight, line.bottom};
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

void GlassList::onVScroll(WParam wParam, LParam lParam) {
    if (lParam != static_cast<LParam>(controlId_) || !scrollBar())
        return;
    const int first = std::clamp(static_cast<int>(wParam), 0, lastFirstRow());
    if (first != first_) {
        first_ = first;
        invalidate(nullptr, false);
    }
}

bool GlassList::onMouseWheel(int delta) {
    scrollTo(first_ - wheelLines(delta));
    return true;
}

void GlassList::hide() {
    BaseWidget::hide();
    if (Scroller* bar = scrollBar())
        bar->hide();
}

void GlassList::show() {
    BaseWidget::show();
    updateBar();
}

} // namespace q71
