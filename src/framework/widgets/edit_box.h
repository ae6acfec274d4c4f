#pragma once
// A text-entry field of the game screens: a windowed widget holding an "EDIT" control whose
// procedure the toolkit replaces, so that the screen's key bindings keep working while the player
// types (Ctrl+key reaches the screen too), Escape and the right button do nothing, a read-only box
// swallows the keys and a digits-only box refuses letters. A numeric box can keep its value within
// a range; every change is told to the parent window as WM_COMMAND (0x300, control id).

#include "framework/widgets/base_widget.h"
#include "platform/gdi/pen_brush.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace q71 {

class Bitmap;

class EditBox : public BaseWidget {
public:
    /// A box in `parentWindow` whose background repeats `pattern` (black without one); a null font
    /// is the system font; a height of 0 is the font's text height + 4. The edit control fills
    /// the box 2 pixels in, with `editStyle` and the control id, always a shown child of the box
    /// (an edit control without a parent would take no keys from the screen).
    EditBox(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
            std::shared_ptr<Bitmap> pattern, std::shared_ptr<const Font> font, bool bevel,
            std::uint32_t editStyle);

    /// The field's text.
    std::string getText() const;
    void setText(std::string_view text);
    int getTextLength() const;
    /// The field read as a signed number; false when it is not one.
    bool getInt(int& value) const;
    void setInt(int value);
    /// Each also switches the range on.
    void setMinimum(int value);
    void setMaximum(int value);
    /// Outlines the box with a solid 1-pixel pen of the colour.
    void setFramePen(ColorRef colour);
    /// Refuses every character but digits (and control characters) when on.
    void setCharFilter(bool digitsOnly);
    /// The colour of the text (black at first, for a light pattern).
    void setTextColour(ColorRef colour) { textColour_ = colour; }
    ColorRef textColour() const { return textColour_; }
    /// A box that is not editable swallows what the player types.
    void setEditable(bool editable) { editable_ = editable; }

    /// The text changed: with a range, a value outside it is replaced by the nearer bound; then the
    /// parent window hears WM_COMMAND (0x300, control id).
    virtual void notifyChange();
    /// 1 when the digits-only filter lets the character through (a digit or a control character).
    virtual int acceptChar(int character);

    LResult dispatch(std::uint32_t message, WParam wParam, LParam lParam) override;
    /// The background, the sunken bevel and the frame.
    void paint(PaintRecord& paint) override;
    /// Hovering the box gives its field the focus.
    void onSetCursor() override;

    WindowHandle editWindow() const { return edit_; }
    bool isEditable() const { return editable_; }
    bool isDigitsOnly() const { return digitsOnly_; }

private:
    static LResult editProc(WindowHandle edit, std::uint32_t message, WParam wParam, LParam lParam);
    /// The replaced procedure's handling of a key or character that is not one of the fixed keys.
    LResult filterKey(WindowHandle edit, std::uint32_t message, WParam wParam, LParam lParam);

    WindowHandle edit_{};
    Brush background_;
    std::shared_ptr<const Font> font_;
    ColorRef textColour_ = 0;
    int minimum_ = 0;
    int maximum_ = 0;
    bool rangeSet_ = false;
    bool bevel_;
    std::uint32_t editStyle_;
    std::optional<Pen> framePen_;
    ColorRef bevelColour_ = rgb(0xB0, 0xB0, 0xB0);
    bool digitsOnly_ = false;
    bool editable_ = true;
};

} // namespace q71
