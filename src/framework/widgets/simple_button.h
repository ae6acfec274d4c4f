#pragma once
// The ordinary push, latch or toggle button on a strip of two or three frames: record 0 up
// (state 2), record 1 down (state 1), record 2 disabled (used only with exactly three frames).
// A push button tells its parent at the release, the others at the press; a held button can
// repeat its command. Buttons of a ButtonGroup act as radio buttons.

#include "framework/widgets/button_toggle.h"

namespace q71 {

class ButtonGroup;

class SimpleButton : public ButtonToggle {
public:
    enum Kind : int { kPush = 0, kLatch = 1, kToggle = 2 };

    /// A button that loads its strip from a file; windowless, it joins the parent's container.
    SimpleButton(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                 std::string_view fileName, int frameCount, int kind, bool windowed);
    /// A button on a strip already in memory, which it does not own.
    SimpleButton(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                 int frameCount, int kind, std::span<const std::uint8_t> header,
                 std::span<const std::uint8_t> bits, bool windowed);
    /// Leaves its group.
    ~SimpleButton() override;

    /// The auto-repeat: the command again, every repeat interval while held.
    void onTick() override;
    void onLeftDown(int x, int y) override;
    void onLeftUp(int x, int y) override;
    /// 1 shows the down frame, 2 the up frame, drawn at once when the state changes.
    void setState(int value) override;
    /// The hover cursor, or the shared cursor.
    void onSetCursor() override;
    /// Cuts the strip into still frames and shows the one for the state and enabling.
    void buildFrames() override;
    /// Disabling a three-frame button shows its disabled frame; enabling shows the up frame.
    void setEnabled(bool enabled) override;

    /// Set by the group as the button joins or the group goes.
    void setGroup(ButtonGroup* group) { group_ = group; }
    ButtonGroup* group() const { return group_; }
    /// Repeats the command after `firstDelayMs`, then every `intervalMs`, while held.
    void setAutoRepeat(int firstDelayMs, int intervalMs);
    void setHoverCursor(CursorHandle cursor) { hoverCursor_ = cursor; }
    int kind() const { return kind_; }

private:
    void initSimple(int kind);

    int kind_ = kPush;
    ButtonGroup* group_ = nullptr;
    CursorHandle hoverCursor_{};
    int firstRepeatDelay_ = 250;
    int repeatInterval_ = 50;
    bool autoRepeat_ = false;
};

} // namespace q71
