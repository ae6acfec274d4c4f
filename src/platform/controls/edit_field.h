#pragma once
// What the single-line and the multi-line edit control share: the text and its selection, focus
// and the blinking caret, the text messages, EN_CHANGE, and the frame and colours of a paint.
// Each kind lays out, scrolls, hit-tests and draws its own text.

#include "platform/controls/control.h"
#include "platform/controls/edit_text.h"

#include <cstdint>
#include <string_view>

namespace q71 {

class EditField : public Control {
public:
    EditField(WindowHandle window, const CreateStruct& cs);

    LResult handle(std::uint32_t message, WParam wParam, LParam lParam) final;

protected:
    /// The messages the kind handles itself; the rest are the field's.
    virtual LResult handleOwn(std::uint32_t message, WParam wParam, LParam lParam) = 0;
    /// After WM_SETTEXT replaced the text: back to its start.
    virtual void scrollHome() = 0;
    /// Scrolls so that the caret stays in view.
    virtual void followCaret() = 0;
    /// The text area inside the border and the margins.
    virtual Rect content() const = 0;
    /// Draws the text, the selection and the caret into the area, clipped to it.
    virtual void paintText(DeviceContext& dc, const Rect& area, bool enabled) = 0;
    /// Draws what stands in the client area beside the text area (a scroll bar), unclipped.
    virtual void paintBeside(DeviceContext&, bool) {}
    /// Repaints what a blink of the caret changes.
    virtual void invalidateCaret() const { invalidate(); }
    virtual void onKeyDown(std::uint32_t key, std::uint32_t message, LParam lParam) = 0;
    virtual void onChar(unsigned ch) = 0;
    /// The place in the text nearest to a client point (a mouse message's lParam).
    virtual std::size_t indexAt(LParam point) const = 0;

    /// After the caret or the selection moved: the caret shows at once and stays in view.
    void caretMoved();
    void changed();
    /// A click: takes the focus and moves the caret there (Shift extends the selection).
    void clickAt(LParam point);
    bool showsSelection() const;
    /// The selection's box in amber, with the line's text drawn again inside it in the glass
    /// colour, from the line's pen at `lineX`, so that every letter stands where the line has it.
    void paintSelected(DeviceContext& dc, const Rect& box, int lineX, std::string_view line) const;
    static void paintCaret(DeviceContext& dc, int x, int y, int height, ColorRef ink);

    EditText text_;
    std::uint32_t style_;
    bool focused_ = false;
    bool caretOn_ = true;

private:
    void paint();
};

/// Whether a WM_CHAR adds its character: Enter, Esc, Tab and Ctrl combinations add none.
bool editTypable(unsigned ch);

} // namespace q71
