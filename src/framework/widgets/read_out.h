#pragma once
// A row of decimal digits drawn from a strip of digit cells, like the drum counters of the
// stations. An editable readout lets the player count a digit up (left button) or down (right
// button); two seconds after the last click the number goes to the parent window as WM_COMMAND
// (control id, value), or, when a digit is blank, the readout blanks itself.
//
// The strip holds 22 square cells the widget's height high: the digits 0-9 and a blank (10), then
// the same eleven in the unlit look.

#include "framework/widgets/button_toggle.h"

#include <vector>

namespace q71 {

class ReadOut : public ButtonToggle {
public:
    /// The blank digit.
    static constexpr int kBlank = 10;

    /// A readout of `digitCount` digits, all 0; with limits each digit counts up to 9 until
    /// setDigitLimit says otherwise.
    ReadOut(WindowHandle parentWindow, int controlId, int x, int y, int width, int height, int digitCount,
            bool editable, bool windowed, bool withLimits);

    /// Sets one digit (0-9, or kBlank); 0 when the position or the value is out of range, else 1.
    int setDigit(int position, int value);
    /// Shows |n| from the right, with leading zeros, dropping what does not fit; returns 1.
    int setValue(int n);
    /// Blanks every digit.
    void clear();
    /// The digits as a number, leftmost most significant; -1 when one is blank.
    int getValue() const;
    /// The highest value of one digit (only for a readout with limits).
    void setDigitLimit(int position, int maximum);
    /// Lit digits use the strip's first look, unlit ones its second.
    void setLit(bool lit);

    /// Draws every digit.
    void paint(PaintRecord& paint) override;
    /// Counts the digit under the pointer up.
    void onLeftDown(int x, int y) override;
    /// Counts the digit under the pointer down.
    void onRightDown(int x, int y) override;
    /// The commit two seconds after the last click.
    void onTick() override;

    int digitCount() const { return static_cast<int>(digits_.size()); }
    int digit(int position) const;

private:
    /// The cell under a pointer x, or -1.
    int cellAt(int x) const;
    /// The cell's rectangle relative to the widget.
    Rect cellRect(int position) const;
    void restartCommit();

    std::vector<int> digits_;
    std::vector<int> limits_;
    bool editable_;
    bool lit_ = true;
};

} // namespace q71
