// The multi-line edit control: the text wraps at the field's width, Return types "\r\n" (a
// paragraph break, taken and erased as one character), the caret moves by lines with Up, Down,
// Home and End, and the text scrolls vertically to keep the caret in view. Only whole lines are
// drawn. With WS_VSCROLL a scroll bar stands at the right, and the bar and the wheel scroll the
// text by lines. Selections, the limit, EN_CHANGE and the colours are the single-line field's.

#include "platform/controls/multi_line_edit.h"

#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/scroll_bar.h"
#include "platform/controls/text_lines.h"
#include "platform/window/focus.h"
#include "platform/window/keyboard.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr int kMargin = 2;
constexpr std::string_view kBreak = "\r\n";
constexpr int kWheelLines = 3;
constexpr std::uintptr_t kRepeatTimer = 0x5C012;

Point pointOf(LParam lParam) {
    return {pointXFromLParam(lParam), pointYFromLParam(lParam)};
}

class MultiLineEdit final : public EditField {
public:
    using EditField::EditField;

private:
    LResult handleOwn(std::uint32_t message, WParam wParam, LParam lParam) override {
        switch (message) {
        case EM_GETFIRSTVISIBLELINE:
            return static_cast<LResult>(firstLine_);
        case EM_GETLINECOUNT:
            return static_cast<LResult>(layout().size());
        case WM_SIZE:
        case WM_ENABLE:
            caretMoved();
            return 0;
        case WM_GETDLGCODE:
            // Return breaks the line; Tab and Esc stay the dialog's.
            return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (wParam == VK_RETURN ? DLGC_WANTALLKEYS : 0);
        case WM_LBUTTONDOWN:
            if (pressBar(pointOf(lParam)))
                return 0;
            clickAt(lParam);
            caretMoved();
            return 0;
        case WM_MOUSEMOVE:
            if (bar_.pressed())
                applyScroll(bar_.move(pointOf(lParam)));
            return 0;
        case WM_LBUTTONUP:
            if (bar_.pressed()) {
                timerKill(window(), kRepeatTimer);
                if (captureGet() == window())
                    captureRelease();
                applyScroll(bar_.release());
            }
            return 0;
        case WM_TIMER:
            if (wParam != kRepeatTimer)
                return byDefault(message, wParam, lParam);
            if (bar_.pressed()) {
                applyScroll(bar_.repeat());
                timerSet(window(), kRepeatTimer, ScrollBar::kRepeatMs);
            } else {
                timerKill(window(), kRepeatTimer);
            }
            return 0;
        case WM_VSCROLL:
            scrollFor(loWord(wParam), hiWord(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            // Without its bar the field leaves the wheel to its parents.
            if (!hasBar())
                return byDefault(message, wParam, lParam);
            onWheel(static_cast<std::int16_t>(hiWord(wParam)));
            return 0;
        default:
            return byDefault(message, wParam, lParam);
        }
    }

    void scrollHome() override { firstLine_ = 0; }
    void fontChanged() override { caretMoved(); }

    Rect inner() const {
        Rect r = windowGetClientRect(window());
        return style_ & WS_BORDER ? r.inflatedBy(-1, -1) : r;
    }
    bool hasBar() const { return (style_ & WS_VSCROLL) != 0; }
    Rect content() const override {
        Rect r = inner();
        if (hasBar())
            r.right -= ScrollBar::kThickness;
        return r.inflatedBy(-kMargin, -1);
    }
    // The bar as the text stands now: its place, the lines and those in view.
    void placeBar() {
        const Rect r = inner();
        bar_.place(hasBar() ? Rect{r.right - ScrollBar::kThickness, r.top, r.right, r.bottom} : Rect{});
        bar_.setRange(0, static_cast<int>(layout().size()) - 1, visibleLines());
        bar_.setPosition(firstLine_);
    }
    // A press on the bar scrolls, and goes on while the button is held; false off the bar.
    bool pressBar(Point at) {
        placeBar();
        if (!bar_.shown() || !bar_.area().contains(at))
            return false;
        const std::optional<ScrollRequest> first = bar_.press(at);
        if (bar_.pressed()) {
            captureSet(window());
            timerSet(window(), kRepeatTimer, ScrollBar::kFirstRepeatMs);
            applyScroll(first);
        }
        return true;
    }
    void applyScroll(const std::optional<ScrollRequest>& request) {
        if (request)
            scrollFor(request->code, request->position);
        invalidate();
    }
    // The first line a scroll request asks for; the caret stays where it is, out of view or not.
    void scrollFor(int code, int position) {
        const int lines = static_cast<int>(layout().size());
        if (const std::optional<int> first =
                scrollTarget(code, position, firstLine_, 1, std::max(visibleLines() - 1, 1), lines))
            scrollTo(*first, lines);
    }
    void onWheel(int delta) {
        wheelRest_ += delta;
        const int notches = wheelRest_ / WHEEL_DELTA;
        wheelRest_ %= WHEEL_DELTA;
        if (notches != 0)
            scrollTo(firstLine_ - notches * kWheelLines, static_cast<int>(layout().size()));
    }
    void scrollTo(int first, int lines) {
        first = std::clamp(first, 0, std::max(0, lines - visibleLines()));
        if (first == firstLine_)
            return;
        firstLine_ = first;
        invalidate();
    }
    int lineHeight() const { return std::max(font()->metrics().height, 1); }
    int visibleLines() const { return std::max(content().height() / lineHeight(), 1); }
    // The lines stand in the middle of the text area, what is left of a line shared above and below.
    int linesTop() const {
        const Rect area = content();
        return area.top + std::max(area.height() - visibleLines() * lineHeight(), 0) / 2;
    }
    int width(std::string_view run) const { return font()->textWidth(run); }
    // Where the pen stands for byte `at` of a line, as the line is drawn whole.
    int penX(const TextLine& line, std::size_t at) const {
        return font()->penAt(std::string_view(text_.text()).substr(line.start, line.end - line.start), at - line.start);
    }

    std::vector<TextLine> layout() const {
        return textLinesLayout(text_.text(), std::max(content().width() - 1, 1),
                               [this](std::string_view run) { return width(run); });
    }

    bool breakBefore(std::size_t at) const { return at >= 2 && text_.text().compare(at - 2, 2, kBreak) == 0; }
    bool breakAfter(std::size_t at) const { return text_.text().compare(at, 2, kBreak) == 0; }

    // The place on a line nearest to an x within the line.
    std::size_t indexOnLine(const TextLine& line, int x) const {
        for (std::size_t i = line.start; i < line.end; ++i) {
            const int left = penX(line, i);
            const int right = penX(line, i + 1);
            if (x < (left + right + 1) / 2)
                return i;
        }
        // A soft-wrapped line's end is the next line's start: the caret stays before its space.
        return line.end;
    }

    std::size_t indexAt(LParam point) const override {
        const int x = pointXFromLParam(point), y = pointYFromLParam(point);
        const auto lines = layout();
        const Rect area = content();
        // A click above or below the lines drawn takes the nearest line drawn.
        const int lastShown = std::min(firstLine_ + visibleLines(), static_cast<int>(lines.size())) - 1;
        const int below = y - linesTop();
        const auto row = static_cast<std::size_t>(
            std::clamp(firstLine_ + (below < 0 ? 0 : below / lineHeight()), 0, std::max(lastShown, 0)));
        return indexOnLine(lines[row], x - area.left);
    }

    int caretX(const std::vector<TextLine>& lines, std::size_t row) const {
        return penX(lines[row], text_.caret());
    }

    void onKeyDown(std::uint32_t key, std::uint32_t, LParam) override {
        const bool extend = keyGetState(VK_SHIFT) < 0;
        const auto lines = layout();
        const std::size_t row = textLineOf(lines, text_.caret());
        const std::size_t caret = text_.caret();
        switch (key) {
        case VK_LEFT:
            if (caret > 0)
                text_.moveCaret(caret - (breakBefore(caret) ? 2 : 1), extend);
            break;
        case VK_RIGHT:
            text_.moveCaret(caret + (breakAfter(caret) ? 2 : 1), extend);
            break;
        case VK_UP:
        case VK_DOWN: {
            const bool up = key == VK_UP;
            if ((up && row == 0) || (!up && row + 1 >= lines.size()))
                break;
            text_.moveCaret(indexOnLine(lines[up ? row - 1 : row + 1], caretX(lines, row)), extend);
            break;
        }
        case VK_HOME:
            text_.moveCaret(lines[row].start, extend);
            break;
        case VK_END:
            text_.moveCaret(lines[row].end, extend);
            break;
        case VK_DELETE:
            if (!text_.hasSelection() && breakAfter(caret))
                text_.select(static_cast<long>(caret), static_cast<long>(caret + 2));
            if (text_.eraseForward())
                changed();
            return;
        default:
            return;
        }
        caretMoved();
    }

    void onChar(unsigned ch) override {
        if (ch == 8) {
            if (!text_.hasSelection() && breakBefore(text_.caret()))
                text_.select(static_cast<long>(text_.caret() - 2), static_cast<long>(text_.caret()));
            if (text_.eraseBackward())
                changed();
            return;
        }
        if (ch == '\r') {
            if (text_.replaceSelection(kBreak))
                changed();
            return;
        }
        if (!editTypable(ch))
            return;
        const char typed = static_cast<char>(ch);
        if (text_.replaceSelection({&typed, 1}))
            changed();
    }

    // The caret's line stays in view.
    void followCaret() override {
        const auto lines = layout();
        const int row = static_cast<int>(textLineOf(lines, text_.caret()));
        if (row < firstLine_)
            firstLine_ = row;
        else if (row >= firstLine_ + visibleLines())
            firstLine_ = row - visibleLines() + 1;
        firstLine_ = std::clamp(firstLine_, 0, std::max(0, static_cast<int>(lines.size()) - visibleLines()));
    }

    void paintBeside(DeviceContext& dc, bool enabled) override {
        placeBar();
        if (bar_.shown())
            bar_.paint(dc, enabled);
    }

    void paintText(DeviceContext& dc, const Rect& area, bool enabled) override {
        const ColorRef ink = dc.textColor();
        const std::string_view text(text_.text());
        const auto lines = layout();
        const std::size_t caretRow = textLineOf(lines, text_.caret());
        const int height = lineHeight();
        const bool showSelection = showsSelection();
        // Whole lines only: a line the field cuts through waits until it scrolls into view.
        for (int i = 0; i < visibleLines() && firstLine_ + i < static_cast<int>(lines.size()); ++i) {
            const std::size_t row = static_cast<std::size_t>(firstLine_ + i);
            const TextLine& line = lines[row];
            const int y = linesTop() + i * height;
            dc.setBkMode(kOpaque);
            dc.setTextColor(enabled ? ink : look::kDimmed);
            const std::string_view shown = text.substr(line.start, line.end - line.start);
            dc.textOut({area.left, y}, shown);
            const std::size_t from = std::max(line.start, text_.selectionStart());
            const std::size_t to = std::min(line.end, text_.selectionEnd());
            if (showSelection && from < to) {
                const int left = area.left + penX(line, from);
                const int right = area.left + penX(line, to);
                paintSelected(dc, {left, y, right, y + height}, area.left, shown);
            }
            if (focused_ && caretOn_ && row == caretRow)
                paintCaret(dc, area.left + caretX(lines, row), y, height, ink);
        }
    }

    int firstLine_ = 0;
    ScrollBar bar_{true};
    int wheelRest_ = 0;
};

} // namespace

LResult multiLineEditProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return Control::procedure<MultiLineEdit>(window, message, wParam, lParam);
}

} // namespace q71
