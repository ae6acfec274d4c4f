#pragma once
// What a message box shows and how it answers, apart from any window: the buttons of its style
// with their labels (in the program's language), where text, icon and buttons stand, the
// picture, and which answer a key or a click gives. The window glue in message_box.cpp feeds
// it input and paints it.

#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/msgbox/message_box_types.h"

#include <string>
#include <string_view>
#include <vector>

namespace q71 {

struct MessageBoxButton {
    int id = 0;
    std::string label; ///< with '&' before its mnemonic letter, if any
    Rect rect;         ///< box coordinates
};

class MessageBoxLayout {
public:
    /// Lays out a box for the text (Windows-1252, line feeds break lines) and caption; an empty
    /// caption shows the usual "Erreur".
    MessageBoxLayout(std::string_view text, std::string_view caption, unsigned style);

    /// The box's size.
    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<MessageBoxButton>& buttons() const { return buttons_; }
    /// Index of the button that Enter presses before the focus moves.
    int defaultButton() const { return defaultButton_; }
    /// What Esc answers: Cancel when the box has it, OK when OK is its only button, else 0 (nothing).
    int escapeAnswer() const;
    /// The button under a point of the box, or -1.
    int buttonAt(Point at) const;
    /// The button whose mnemonic is the character (any letter case), or -1.
    int buttonForMnemonic(char ch) const;
    /// The caption actually shown.
    const std::string& caption() const { return caption_; }

    /// Draws the whole box at (0, 0) of the context, with the focus on one button and one button
    /// shown pressed (-1 for none).
    void paint(DeviceContext& dc, int focused, int pressed) const;

private:
    void paintIcon(DeviceContext& dc) const;
    void paintButton(DeviceContext& dc, const MessageBoxButton& button, bool focused, bool pressed) const;

    std::string text_;
    std::string caption_;
    unsigned icon_ = 0;
    FontRef textFont_;
    FontRef captionFont_;
    FontRef iconFont_;
    Rect textRect_;
    Rect iconRect_;
    int width_ = 0;
    int height_ = 0;
    int defaultButton_ = 0;
    std::vector<MessageBoxButton> buttons_;
};

} // namespace q71
