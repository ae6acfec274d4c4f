#pragma once
// The progress box of long loads: a modeless dialog of template 113 (with its Cancel button) or
// 114 (without), its message in item 1001 and a LevelBar in the place of item 1002. Cancel sets
// the cancelled flag, which the owner reads after the box has ended; a box without its button
// cannot be cancelled. While the box holds the mouse (the busy cursor captures it for the box), a
// click on the button still cancels.

#include "framework/widgets/dialog.h"

namespace q71 {

class LevelBar;

class ProgressDialog : public Dialog {
public:
    /// A box owned by the window, with the Cancel button when `cancellable`.
    ProgressDialog(WindowHandle ownerWindow, bool cancellable);

    /// Shows the box with its message and the button's text (texts 851 and 850 when null or
    /// empty), the bar empty; false when the box cannot be made.
    bool open(const char* message, const char* buttonText);
    /// Replaces the message.
    void setText(const char* text);
    /// The bar, or null while the box is not shown.
    LevelBar* levelBar() const { return bar_; }
    bool cancelled() const { return cancelled_; }
    bool cancellable() const { return cancellable_; }

    /// Esc on a box without a button is ignored.
    LResult procedure(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;
    /// The box's button (item 1, also what Enter presses) cancels; without it nothing happens.
    int onOk() override;
    /// Esc cancels.
    void onCancel() override;
    /// A click released on the button while the box holds the mouse is a Cancel.
    LResult defaultMessage(std::uint32_t message, WParam wParam, LParam lParam) override;

private:
    bool cancellable_;
    bool cancelled_ = false;
    LevelBar* bar_ = nullptr; ///< owned by its window, a child of the box
};

} // namespace q71
