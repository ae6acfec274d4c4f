#include "framework/widgets/edit_box.h"

#include "framework/widgets/bevel.h"
#include "platform/controls/control.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/standard_controls.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

#include <algorithm>

namespace q71 {
namespace {

// Every edit box replaces the same class procedure, and Ctrl is one key for all of them.
WindowProc systemEditProc = nullptr;
bool ctrlHeld = false;

constexpr int kInset = 2;

LResult callSystem(WindowHandle edit, std::uint32_t message, WParam wParam, LParam lParam) {
    return systemEditProc ? systemEditProc(edit, message, wParam, lParam) : 0;
}

LResult callSystemAndRepaint(WindowHandle edit, std::uint32_t message, WParam wParam, LParam lParam) {
    const LResult result = callSystem(edit, message, wParam, lParam);
    windowInvalidate(edit, nullptr, true);
    return result;
}

// The box's height: as given, or the font's text height + 4 for 0.
int boxHeight(int height, const std::shared_ptr<const Font>& font) {
    if (height != 0)
        return height;
    TextMetrics metrics;
    if (auto dc = createDisplayDC()) {
        dc->selectFont(font);
        dc->getTextMetrics(metrics);
    }
    return metrics.height + 4;
}

} // namespace

EditBox::EditBox(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                 std::shared_ptr<Bitmap> pattern, std::shared_ptr<const Font> font, bool bevel,
                 std::uint32_t editStyle)
    : BaseWidget(parentWindow, x, y, width, boxHeight(height, font), true),
      background_(pattern ? createPatternBrush(pattern.get()) : stockBrush(StockObject::BlackBrush)),
      font_(std::move(font)), bevel_(bevel), editStyle_(editStyle) {
    setName("EditBox");
    controlId_ = controlId;
    controlsRegisterClasses();
    edit_ = windowCreate(0, "EDIT", "", editStyle_ | WS_CHILD | WS_VISIBLE, kInset, kInset, width_ - 2 * kInset, height_ - 2 * kInset,
                         window_, static_cast<std::uintptr_t>(controlId_));
    messageSend(edit_, WM_SETFONT, fontToWParam(font_), 0);
    WindowProc previous = windowSetProc(edit_, &EditBox::editProc);
    if (previous && previous != &EditBox::editProc)
        systemEditProc = previous;
}

std::string EditBox::getText() const {
    return windowGetText(edit_);
}

void EditBox::setText(std::string_view text) {
    windowSetText(edit_, text);
}

int EditBox::getTextLength() const {
    return static_cast<int>(messageSend(edit_, WM_GETTEXTLENGTH, 0, 0));
}

bool EditBox::getInt(int& value) const {
    bool translated = false;
    value = static_cast<int>(dialogGetItemInt(window_, controlId_, &translated, true));
    return translated;
}

void EditBox::setInt(int value) {
    dialogSetItemInt(window_, controlId_, value, true);
}

void EditBox::setMinimum(int value) {
    minimum_ = value;
    rangeSet_ = true;
}

void EditBox::setMaximum(int value) {
    maximum_ = value;
    rangeSet_ = true;
}

void EditBox::setFramePen(ColorRef colour) {
    framePen_ = createPen(PenStyle::Solid, 1, colour);
}

void EditBox::setCharFilter(bool digitsOnly) {
    digitsOnly_ = digitsOnly;
}

void EditBox::notifyChange() {
    // Writing the bound back is a change of its own, told to the screen at once, which may close
    // (and take this box) in answer.
    const WindowHandle screen = parentWindow_;
    const int id = controlId_;
    if (rangeSet_) {
        int value = 0;
        getInt(value);
        if (value > maximum_)
            setInt(maximum_);
        else if (value < minimum_)
            setInt(minimum_);
    }
    messageSend(screen, WM_COMMAND, EN_CHANGE, static_cast<LParam>(id));
}

int EditBox::acceptChar(int character) {
    const bool digit = character >= '0' && character <= '9';
    const bool printable = character >= 0x20 && character != 0x7F;
    return digit || !printable ? 1 : 0;
}

LResult EditBox::editProc(WindowHandle edit, std::uint32_t message, WParam wParam, LParam lParam) {
    auto* box = windowObjectAs<EditBox>(windowGetParent(edit));
    if (!box)
        return callSystem(edit, message, wParam, lParam);
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        return callSystemAndRepaint(edit, message, wParam, lParam);
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_UP:
        case VK_DOWN:
            return callSystemAndRepaint(edit, message, wParam, lParam);
        case VK_BACK:
        case VK_PRIOR:
        case VK_HOME:
        case VK_LEFT:
        case VK_RIGHT:
            return callSystem(edit, message, wParam, lParam);
        case VK_ESCAPE:
            return 0;
        case VK_CONTROL:
            ctrlHeld = true;
            break;
        default:
            break;
        }
        return box->filterKey(edit, message, wParam, lParam);
    case WM_KEYUP:
        if (wParam == VK_CONTROL)
            ctrlHeld = false;
        return callSystem(edit, message, wParam, lParam);
    case WM_CHAR:
        return box->filterKey(edit, message, wParam, lParam);
    case WM_RBUTTONDOWN:
        return 0;
    default:
        return callSystem(edit, message, wParam, lParam);
    }
}

LResult EditBox::filterKey(WindowHandle edit, std::uint32_t message, WParam wParam, LParam lParam) {
    // The screen may close (and take this box) in answer to what it is sent.
    const WindowHandle screen = parentWindow_;
    if (ctrlHeld) {
        messageSend(screen, message, wParam, lParam);
        return windowIsValid(edit) ? callSystem(edit, message, wParam, lParam) : 0;
    }
    const bool isChar = message == WM_CHAR;
    if (isChar && (wParam == '\r' || wParam == '\t')) {
        if (editable_)
            messageSend(screen, WM_COMMAND, static_cast<WParam>(controlId_), static_cast<LParam>(wParam));
        return windowIsValid(edit) ? callSystem(edit, message, wParam, lParam) : 0;
    }
    if (!editable_)
        return 0;
    // Only characters are filtered: the codes of keys such as Delete and End are those of
    // punctuation, and the field needs them.
    if (isChar && digitsOnly_ && !acceptChar(static_cast<int>(wParam)))
        return 0;
    return callSystem(edit, message, wParam, lParam);
}

LResult EditBox::dispatch(std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_SETCURSOR:
        return 0;
    case WM_CTLCOLOREDIT:
        if (DeviceContext* dc = deviceContextFromWParam(wParam)) {
            dc->selectFont(font_);
            dc->setBkMode(kTransparent);
            dc->setTextColor(textColour_);
        }
        return static_cast<LResult>(classBackgroundBrush(&background_));
    case WM_COMMAND:
        if (static_cast<std::uint32_t>(hiWord(wParam)) == EN_CHANGE) {
            auto alive = watch();
            BaseWidget::dispatch(message, wParam, lParam);
            if (alive.expired())
                return 0;
            notifyChange();
            if (!alive.expired())
                windowInvalidate(edit_, nullptr, true);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r') {
            messageSend(parentWindow_, message, wParam, lParam);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_LBUTTONDOWN:
        focusSet(edit_);
        return 0;
    default:
        break;
    }
    return BaseWidget::dispatch(message, wParam, lParam);
}

void EditBox::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    const Rect client{0, 0, width_, height_};
    dc.fillRect(client, background_);
    if (bevel_)
        drawBevelWithColour(dc, bevelColour_, false, 0, 0, width_ - 1, height_ - 1, 2, kBevelSunken);
    if (framePen_) {
        dc.selectPen(*framePen_);
        dc.selectBrush(stockBrush(StockObject::NullBrush));
        dc.rectangle(client);
    }
}

void EditBox::onSetCursor() {
    focusSet(edit_);
}

} // namespace q71
