#pragma once
// A numeric field with two small arrow buttons beside it that step its value up and down within a
// range, once per press and again while a button is held.

#include "framework/widgets/edit_box.h"
#include "framework/widgets/simple_button.h"

#include <memory>
#include <string>

namespace q71 {

class SpinButton : public SimpleButton {
public:
    /// A windowed push button on the strip `fileName` (two frames) that steps `box` up
    /// (`up` true) or down.
    SpinButton(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
               std::string_view fileName, EditBox& box, bool up);

    /// A press steps once and starts the repeat (250 ms, then every 50 ms).
    void onLeftDown(int x, int y) override;
    void onLeftUp(int x, int y) override;
    /// One step of the repeat.
    void onTick() override;

    void setRange(int minimum, int maximum);
    void setStep(int step) { step_ = step; }

private:
    /// The box's number (0 when it holds none) moved by one step, unless that leaves the range.
    void step();

    EditBox* box_;
    std::weak_ptr<const void> boxAlive_;
    bool up_;
    int minimum_ = 0;
    int maximum_ = 0;
    int step_ = 1;
};

/// The look of a spin edit: the field's size, the buttons' size and strips, and the gap between
/// the field and the buttons.
struct SpinEditLayout {
    int editWidth = 45;
    int editHeight = 20;
    int buttonWidth = 10;
    int buttonHeight = 10;
    int gap = 0;
    std::string upBitmap = "upcrt.bmp";
    std::string downBitmap = "dncrt.bmp";
};

class SpinEdit {
public:
    /// A digits-only field (control id) at (x, y) with its up (id + 1) and down (id + 2) buttons
    /// to its right, the down one a button's height below the up one.
    SpinEdit(WindowHandle parentWindow, int controlId, int x, int y, std::shared_ptr<Bitmap> pattern,
             std::shared_ptr<const Font> font, bool bevel, const SpinEditLayout& layout = {});
    /// Removes the three parts that are still there.
    ~SpinEdit();
    SpinEdit(const SpinEdit&) = delete;
    SpinEdit& operator=(const SpinEdit&) = delete;

    /// The range of the field and of both buttons.
    void setRange(int minimum, int maximum);
    void show();
    void hide();
    void loadResources();
    void freeResources();

    /// The parts (null once their window went with the parent's).
    EditBox* editBox() const;
    SpinButton* upButton() const;
    SpinButton* downButton() const;

private:
    /// One part, owned by its window; the watch tells whether it is still there.
    template <class W> struct Part {
        W* widget = nullptr;
        std::weak_ptr<const void> alive;
        W* get() const { return alive.expired() ? nullptr : widget; }
    };
    template <class F> void forEachPart(F&& action);

    Part<EditBox> edit_;
    Part<SpinButton> up_;
    Part<SpinButton> down_;
};

} // namespace q71
