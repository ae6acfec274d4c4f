// The single-line edit control: typed text with a blinking caret, a selection made with the
// mouse or Shift and the cursor keys, scrolling sideways to follow the caret (ES_AUTOHSCROLL),
// EN_CHANGE after every change and the parent's colours through WM_CTLCOLOREDIT.

#include "platform/controls/combo_parts.h"
#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/multi_line_edit.h"
#include "platform/controls/standard_controls.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/keyboard.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr int kMargin = 1;

bool shiftHeld() {
    return keyGetState(VK_SHIFT) < 0;
}

class EditControl final : public EditField {
public:
    EditControl(WindowHandle window, const CreateStruct& cs)
        : EditField(window, cs), inCombo_(cs.createParam == &kComboEditTag) {}

private:
    LResult handleOwn(std::uint32_t message, WParam wParam, LParam lParam) override {
        switch (message) {
        case EM_GETSEL:
            return getSelection(wParam, lParam);
        case WM_SIZE:
        case WM_ENABLE:
            keepCaretVisible();
            invalidate();
            return 0;
        case WM_GETDLGCODE:
            return dialogCode();
        case WM_SYSKEYDOWN:
            // Alt+arrows work the box's list; any system key closes it while it is down.
            if (inCombo_ && (wParam == VK_DOWN || wParam == VK_UP ||
                             messageSend(notifyTarget(), CB_GETDROPPEDSTATE, 0, 0)))
                return messageSend(notifyTarget(), message, wParam, lParam);
            return byDefault(message, wParam, lParam);
        case WM_LBUTTONDOWN:
            clickAt(lParam);
            selecting_ = true;
            captureSet(window());
            caretMoved();
            return 0;
        case WM_MOUSEMOVE:
            if (selecting_) {
                text_.moveCaret(indexAt(lParam), true);
                caretMoved();
            }
            return 0;
        case WM_LBUTTONUP:
            if (selecting_) {
                selecting_ = false;
                if (captureGet() == window())
                    captureRelease();
            }
            return 0;
        default:
            return byDefault(message, wParam, lParam);
        }
    }

    void scrollHome() override { scrollX_ = 0; }
    void followCaret() override { keepCaretVisible(); }
    void fontChanged() override { keepCaretVisible(); }

    LResult getSelection(WParam startOut, LParam endOut) const {
        auto start = static_cast<std::uint32_t>(text_.selectionStart());
        auto end = static_cast<std::uint32_t>(text_.selectionEnd());
        if (startOut)
            *reinterpret_cast<std::uint32_t*>(startOut) = start;
        if (endOut)
            *reinterpret_cast<std::uint32_t*>(endOut) = end;
        return makeLParam(static_cast<int>(start), static_cast<int>(end));
    }

    LResult dialogCode() const {
        LResult code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        // While its list is down, a combo box's field keeps Enter and Esc to close it.
        if (inCombo_ && messageSend(notifyTarget(), CB_GETDROPPEDSTATE, 0, 0))
            code |= DLGC_WANTALLKEYS;
        return code;
    }

    void onKeyDown(std::uint32_t key, std::uint32_t message, LParam lParam) override {
        if (inCombo_ &&
            (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_F4 ||
             ((key == VK_RETURN || key == VK_ESCAPE) &&
              messageSend(notifyTarget(), CB_GETDROPPEDSTATE, 0, 0)))) {
            messageSend(notifyTarget(), message, key, lParam);
            return;
        }
        bool extend = shiftHeld();
        switch (key) {
        case VK_LEFT:
            if (text_.hasSelection() && !extend)
                text_.moveCaret(text_.selectionStart(), false);
            else if (text_.caret() > 0)
                text_.moveCaret(text_.caret() - 1, extend);
            break;
        case VK_RIGHT:
            if (text_.hasSelection() && !extend)
                text_.moveCaret(text_.selectionEnd(), false);
            else
                text_.moveCaret(text_.caret() + 1, extend);
            break;
        case VK_HOME:
            text_.moveCaret(0, extend);
            break;
        case VK_END:
            text_.moveCaret(text_.text().size(), extend);
            break;
        case VK_DELETE:
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
            if (text_.eraseBackward())
                changed();
            return;
        }
        if (!editTypable(ch))
            return;
        EditText before = text_;
        char typed = static_cast<char>(ch);
        if (!text_.replaceSelection({&typed, 1}))
            return;
        // Without sideways scrolling the text stops where the field ends.
        if (!(style_ & ES_AUTOHSCROLL) && penX(text_.text().size()) >= content().width()) {
            text_ = before;
            return;
        }
        changed();
    }

    Rect content() const override {
        Rect r = windowGetClientRect(window());
        if (style_ & WS_BORDER)
            r = r.inflatedBy(-1, -1);
        return r.inflatedBy(-kMargin, 0);
    }

    // Where the pen stands for the text's byte `index`, as the text is drawn whole.
    int penX(std::size_t index) const { return font()->penAt(text_.text(), index); }

    // The place in the text nearest to a client x.
    std::size_t indexAt(LParam point) const override {
        int target = pointXFromLParam(point) - content().left + scrollX_;
        FontRef f = font();
        int left = 0;
        for (std::size_t i = 0; i < text_.text().size(); ++i) {
            int advance = f->glyph(static_cast<std::uint8_t>(text_.text()[i])).advance;
            if (target < left + (advance + 1) / 2)
                return i;
            left += f->stepAfter(text_.text(), i);
        }
        return text_.text().size();
    }

    void keepCaretVisible() {
        int width = std::max(content().width(), 1);
        int total = penX(text_.text().size());
        if (!(style_ & ES_AUTOHSCROLL)) {
            scrollX_ = 0;
            return;
        }
        int caretX = penX(text_.caret());
        // Jumps of a quarter of the field, so typing does not scroll at every character.
        if (caretX < scrollX_)
            scrollX_ = caretX - width / 4;
        else if (caretX >= scrollX_ + width)
            scrollX_ = caretX - width + 1 + width / 4;
        scrollX_ = std::clamp(scrollX_, 0, std::max(0, total + 1 - width));
    }

    int textTop() const {
        Rect r = content();
        return r.top + (r.height() - font()->metrics().height) / 2;
    }

    void invalidateCaret() const override {
        int x = content().left - scrollX_ + penX(text_.caret());
        Rect caret{x, textTop(), x + 1, textTop() + font()->metrics().height};
        windowInvalidate(window(), &caret, false);
    }

    void paintText(DeviceContext& dc, const Rect& area, bool) override {
        ColorRef ink = dc.textColor();
        int x = area.left - scrollX_, y = textTop(), height = font()->metrics().height;
        dc.textOut({x, y}, text_.text());
        if (showsSelection()) {
            int from = x + penX(text_.selectionStart()), to = x + penX(text_.selectionEnd());
            paintSelected(dc, {from, y, to, y + height}, x, text_.text());
        }
        if (focused_ && caretOn_)
            paintCaret(dc, x + penX(text_.caret()), y, height, ink);
    }

    bool inCombo_;
    int scrollX_ = 0;
    bool selecting_ = false;
};

} // namespace

LResult editControlProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (windowGetStyle(window) & ES_MULTILINE)
        return multiLineEditProc(window, message, wParam, lParam);
    return Control::procedure<EditControl>(window, message, wParam, lParam);
}

} // namespace q71
