#include "frontend/glass_list.h"

#include "framework/app/shell_fonts.h"
#include "framework/resources/group_archive.h"
#include "framework/widgets/line_scroller.h"
#include "framework/widgets/scroller.h"
#include "framework/widgets/text_wrap.h"
#include "frontend/glass_colours.h"
#include "platform/gdi/device_context.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr int kRowHeight = 22; // a row of one line
constexpr int kMargin = 6;
constexpr std::uint32_t kDoubleClickMs = 500;
constexpr int kRowFont = 8;
constexpr int kBarWidth = 16; // the shared arrows' width
constexpr int kTextLeft = 6, kTextRight = 2; // the text inside its row
constexpr int kTextInset = kTextLeft + kTextRight;

int lineHeightOf(const FontRef& font) {
    return font ? std::max(font->metrics().height, 1) : kRowHeight;
}

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

FontRef GlassList::rowsFont() const {
    return appInterfaceFont(kRowFont);
}

void GlassList::setRows(std::vector<std::string> rows, std::vector<bool> dimmed) {
    rows_ = std::move(rows);
    dimmed_ = std::move(dimmed);
    dimmed_.resize(rows_.size(), false);
    selected_ = -1;
    first_ = 0;
    layoutRows();
    updateBar();
    invalidate(nullptr, false);
}

void GlassList::replaceRows(std::vector<std::string> rows) {
    const int kept = selected_;
    setRows(std::move(rows));
    select(kept);
}

const std::vector<std::string>& GlassList::rowLines(int row) const {
    return rowLines_.at(static_cast<std::size_t>(row));
}

int GlassList::innerHeight() const {
    return std::max(height_ - 2 * kMargin, 0);
}

int GlassList::rowHeight(int row) const {
    const int lines = static_cast<int>(rowLines_[static_cast<std::size_t>(row)].size());
    return kRowHeight + (lines - 1) * lineHeightOf(rowsFont());
}

int GlassList::wrapRows(int width) {
    const FontRef font = rowsFont();
    // A row takes no more lines than the glass shows at once; its last line keeps what is left.
    const int mostLines = 1 + std::max(innerHeight() - kRowHeight, 0) / lineHeightOf(font);
    const auto measure = [&font](std::string_view text) { return font->textWidth(text); };
    rowLines_.clear();
    int total = 0;
    for (const std::string& row : rows_) {
        std::vector<std::string> lines;
        std::string_view rest = row;
        while (font && static_cast<int>(lines.size()) + 1 < mostLines && measure(rest) > width) {
            const LineBreak cut = breakLine(rest, width, measure);
            lines.emplace_back(rest.substr(0, cut.headEnd));
            rest.remove_prefix(cut.restStart);
        }
        lines.emplace_back(rest);
        rowLines_.push_back(std::move(lines));
        total += rowHeight(static_cast<int>(rowLines_.size()) - 1);
    }
    return total;
}

void GlassList::layoutRows() {
    const int width = width_ - 2 * kMargin - kTextInset;
    overflows_ = false;
    wrapRows(width);
    overflows_ = static_cast<int>(rows_.size()) > rowsFitting(0);
    if (overflows_)
        wrapRows(width - kBarWidth);
}

int GlassList::rowsFitting(int first) const {
    // The first row shows even when it is taller than the glass.
    const int count = static_cast<int>(rows_.size());
    int used = 0;
    int row = first;
    for (; row < count; ++row) {
        used += rowHeight(row);
        if (row > first && used > innerHeight())
            break;
    }
    return row - first;
}

int GlassList::visibleRows() const {
    const int shown = rowsFitting(first_);
    if (first_ + shown < static_cast<int>(rows_.size()))
        return std::max(shown, 1);
    int used = 0;
    for (int row = first_; row < first_ + shown; ++row)
        used += rowHeight(row);
    return std::max(shown + std::max(innerHeight() - used, 0) / kRowHeight, 1);
}

int GlassList::firstShowingUpTo(int row) const {
    int used = rowHeight(row);
    int first = row;
    while (first > 0 && used + rowHeight(first - 1) <= innerHeight())
        used += rowHeight(--first);
    return first;
}

int GlassList::lastFirstRow() const {
    return rows_.empty() ? 0 : firstShowingUpTo(static_cast<int>(rows_.size()) - 1);
}

int GlassList::rowsRight() const {
    return x_ + width_ - kMargin - (overflows_ ? kBarWidth : 0);
}

void GlassList::updateBar() {
    Scroller* bar = scrollBar();
    if (!overflows_ || !visible_) {
        if (bar)
            bar->hide();
        return;
    }
    if (!bar) {
        // The bar's pictures are the shared group's; the screen's own group stays selected. Without
        // them (a data set that lacks the group) its parts are drawn plain.
        const GroupSelectionKept screenGroup;
        const ScrollerLook shared = sharedScrollerLook();
        const ScrollerLook look = selectScrollerGroup(shared) ? shared : ScrollerLook{};
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
    // A page is what the last page shows.
    const int page = static_cast<int>(rows_.size()) - lastFirstRow();
    bar->setRange(1, page, 0, lastFirstRow(), page);
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
        else if (selected_ >= first_ + rowsFitting(first_))
            scrollTo(firstShowingUpTo(selected_));
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
    const int last = first_ + rowsFitting(first_);
    for (int row = first_, top = y_ + kMargin; row < last; ++row) {
        top += rowHeight(row);
        if (y < top)
            return row;
    }
    return -1;
}

void GlassList::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    dc.setBkMode(kTransparent);
    const FontRef font = rowsFont();
    dc.selectFont(font);
    const int lineHeight = lineHeightOf(font);
    // Each line is written in its own cell, as high as a row of one line, centred in it.
    const int cellPad = std::max(kRowHeight - lineHeight, 0) / 2;
    const int last = first_ + rowsFitting(first_);
    for (int row = first_, top = y_ + kMargin; row < last; ++row) {
        const auto i = static_cast<std::size_t>(row);
        const Rect line{x_ + kMargin, top, rowsRight(), top + rowHeight(row)};
        top = line.bottom;
        if (row == selected_)
            dc.fillRect(line, createSolidBrush(glass_colours::kLitRow));
        dc.setTextColor(row == selected_ ? glass_colours::kAmber
                        : dimmed_[i]     ? glass_colours::kDimPhosphor
                                         : glass_colours::kPhosphor);
        const std::vector<std::string>& lines = rowLines_[i];
        int lineTop = line.top + (line.height() - static_cast<int>(lines.size()) * lineHeight) / 2;
        for (const std::string& text : lines) {
            Rect cell{line.left + kTextLeft, lineTop - cellPad, line.right - kTextRight, lineTop + lineHeight + cellPad};
            dc.drawText(text, cell, kDtLeft | kDtVCenter | kDtSingleLine | kDtNoPrefix);
            lineTop += lineHeight;
        }
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
