#pragma once
// The field in which the player types a name on the login screen: amber letters on the glass
// and a blinking caret after them. It takes printable characters and Backspace; the screen
// hands it the keys. A name wider than the glass shows its end with the caret: the field scrolls.

#include "framework/widgets/base_widget.h"

#include <string>

namespace q71 {

class NameField : public BaseWidget {
public:
    /// A windowless field over a rectangle of the parent holding at most `maxLength` characters.
    NameField(WindowHandle parent, int controlId, const Rect& area, std::size_t maxLength);

    const std::string& text() const { return text_; }
    /// Replaces the text (cut to the longest allowed).
    void setText(const std::string& text);
    /// Adds a printable Windows-1252 character; false for others or when the field is full.
    bool type(int character);
    /// Removes the last character; false when empty.
    bool erase();

    void paint(PaintRecord& paint) override;
    /// The caret blinks.
    void onTick() override;
    /// Shows the caret and starts it blinking.
    void show() override;
    void hide() override;

private:
    /// The first character drawn: the end of the text and the caret fit in `room` pixels.
    std::size_t firstShown(DeviceContext& dc, int room) const;

    std::string text_;
    std::size_t maxLength_;
    bool caretShown_ = true;
};

} // namespace q71
