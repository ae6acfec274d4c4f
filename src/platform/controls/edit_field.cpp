#include "platform/controls/edit_field.h"

#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/window/focus.h"
#include "platform/window/keyboard.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace {

constexpr std::uintptr_t kBlinkTimer = 0xED17;
constexpr std::uint32_t kBlinkMs = 500;

} // namespace

EditField::EditField(WindowHandle window, const CreateStruct& cs) : Control(window), style_(cs.style) {
    text_.setText(cs.name ? cs.name : "");
}

LResult EditField::handle(std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_SETTEXT:
        text_.setText(lParam ? reinterpret_cast<const char*>(lParam) : "");
        scrollHome();
        changed();
        return 1;
    case WM_GETTEXT:
        return copyTextToBuffer(text_.text(), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LResult>(text_.text().size());
    case EM_SETSEL:
        text_.select(static_cast<long>(static_cast<LParam>(wParam)), static_cast<long>(lParam));
        caretMoved();
        return 1;
    case EM_LIMITTEXT:
        text_.setLimit(wParam);
        return 0;
    case WM_SETFOCUS:
        focused_ = true;
        caretMoved();
        notify(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        timerKill(window(), kBlinkTimer);
        invalidate();
        notify(EN_KILLFOCUS);
        return 0;
    case WM_TIMER:
        if (wParam != kBlinkTimer)
            return handleOwn(message, wParam, lParam);
        caretOn_ = !caretOn_;
        invalidateCaret();
        return 0;
    case WM_KEYDOWN:
        onKeyDown(static_cast<std::uint32_t>(wParam), message, lParam);
        return 0;
    case WM_CHAR:
        onChar(static_cast<unsigned>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint();
        return 0;
    case WM_DESTROY:
        timerKill(window(), kBlinkTimer);
        return 0;
    default:
        return handleOwn(message, wParam, lParam);
    }
}

void EditField::caretMoved() {
    caretOn_ = true;
    if (focused_)
        timerSet(window(), kBlinkTimer, kBlinkMs);
    followCaret();
    invalidate();
}

void EditField::changed() {
    caretMoved();
    notify(EN_CHANGE);
}

void EditField::clickAt(LParam point) {
    if (!focused_)
        focusSet(window());
    // Measured after taking the focus, which may have scrolled the text.
    text_.moveCaret(indexAt(point), keyGetState(VK_SHIFT) < 0);
}

bool EditField::showsSelection() const {
    return text_.hasSelection() && (focused_ || (style_ & ES_NOHIDESEL));
}

void EditField::paintSelected(DeviceContext& dc, const Rect& box, int lineX, std::string_view line) const {
    dc.fillRect(box, createSolidBrush(look::kAmber));
    dc.setBkMode(kTransparent);
    dc.setTextColor(look::kGlass);
    const std::optional<Region> clip = dc.getClipRegion();
    dc.intersectClipRect(box);
    dc.textOut({lineX, box.top}, line);
    dc.selectClipRegion(clip ? &*clip : nullptr);
}

void EditField::paintCaret(DeviceContext& dc, int x, int y, int height, ColorRef ink) {
    dc.fillRect({x, y, x + 1, y + height}, createSolidBrush(ink));
}

void EditField::paint() {
    bool enabled = windowIsEnabled(window());
    ControlPaint paint(*this, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    DeviceContext& dc = paint.dc();
    if (style_ & WS_BORDER)
        look::sunkenEdge(dc, paint.client());
    paintBeside(dc, enabled);
    Rect area = content();
    dc.intersectClipRect(area);
    if (!enabled)
        dc.setTextColor(look::kDimmed);
    paintText(dc, area, enabled);
}

bool editTypable(unsigned ch) {
    return ch >= 0x20 && ch != 0x7F && ch <= 0xFF;
}

} // namespace q71
