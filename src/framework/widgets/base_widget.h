#pragma once
// The root of the widget toolkit. A widget is either windowed, with a child window of its own
// of the class "BaseWidget" whose messages reach `dispatch`, or windowless: it then draws into
// its parent window and gets its paint, timer and mouse calls from the parent's
// WidgetContainer. Widgets tell their parent window what happened with WM_COMMAND (control id,
// value). The virtual operations keep the toolkit's order, so subclasses add theirs after them.

#include "framework/app/window_object.h"
#include "platform/geometry/rect.h"
#include "platform/window/window_class.h"
#include "platform/window/window_types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace q71 {

class Bitmap;
class DeviceContext;
class Font;
class HotSpot;
class ToolTip;
class WidgetContainer;
struct SoundSample;
struct SoundVoice;

/// What a widget paints with: the context (for a windowless widget, the screen's back buffer,
/// in the parent's client coordinates) and the area that needs painting.
struct PaintRecord {
    DeviceContext* dc = nullptr;
    Rect area;
};

class BaseWidget : public WindowObject {
public:
    /// A windowless widget of no size, in no container.
    BaseWidget();
    /// A widget in `parentWindow`: with a window of its own when windowed, otherwise in the
    /// WidgetContainer kept under the parent window's "THIS".
    BaseWidget(WindowHandle parentWindow, int x, int y, int width, int height, bool windowed);
    /// Leaves the container, stops the timer, gives the click voice back and, when the widget still
    /// has its window, destroys it.
    ~BaseWidget() override;

    /// Fills the record of the class "BaseWidget", then restores the shared cursor.
    virtual void fillWindowClass(WindowClass& record);
    /// Creates the widget's own child window in `parent` and shows it with the command.
    virtual bool createWindow(WindowHandle parent, int showCommand);
    /// The window procedure of a windowed widget.
    virtual LResult dispatch(std::uint32_t message, WParam wParam, LParam lParam);
    /// Draws the widget; the base draws nothing.
    virtual void paint(PaintRecord& paint);
    /// A timer of the widget's window ran out; the base calls onTick.
    virtual void onTimer(std::uintptr_t id);
    /// The widget's timer ran out.
    virtual void onTick();
    virtual void onLeftDown(int x, int y);
    /// The base clears leftPressed.
    virtual void onLeftUp(int x, int y);
    virtual void onMouseMove(int x, int y);
    virtual int getState();
    virtual void setState(int value);
    /// The base shows the shared cursor.
    virtual void onSetCursor();
    /// Plays the click sound, when one is set and sound is enabled.
    virtual void playClickSound();
    virtual void onDestroy();
    virtual void onSetFocus();
    virtual void onKillFocus(WindowHandle gaining);
    /// A character; non-zero when handled (the base handles none, so it goes to the parent).
    virtual int onChar(int character);
    virtual void onVScroll(WParam wParam, LParam lParam);
    virtual void onRightDown(int x, int y);
    virtual void onRightUp(int x, int y);
    /// The base shows the shared cursor.
    virtual void restoreCursor();
    /// Loads what the widget draws with (screens call it when they open).
    virtual void loadResources();
    /// Frees what loadResources loaded (screens call it when they close).
    virtual void freeResources();
    virtual void hide();
    virtual void show();
    /// A command from a child window; the base returns 0.
    virtual int onCommand(WParam wParam, LParam lParam);
    /// A key other than a digit or letter; non-zero when handled, else it goes on to the parent.
    virtual int onKeyDown(std::uint32_t key, LParam lParam);
    virtual int onKeyUp(std::uint32_t key, LParam lParam);
    /// The wheel turned by `delta` (WHEEL_DELTA a notch, away from the user > 0) over the widget;
    /// true when the widget scrolled (the base does not: the wheel goes on to the parent).
    virtual bool onMouseWheel(int delta);

    /// Registers the class "BaseWidget" unless it exists.
    bool registerClass();
    void setRect(int x, int y, int width, int height);
    int getWidth() const { return width_; }
    int getHeight() const { return height_; }
    int getX() const { return x_; }
    int getY() const { return y_; }
    /// True when the point lies in the widget (right and bottom edges excluded).
    bool hitTest(int px, int py) const;
    /// True when the point lies in a rectangle given relative to the widget.
    bool hitTestRect(const Rect& rect, int px, int py) const;
    /// Hides, moves (the own window too, keeping its size) and shows again.
    void moveTo(int x, int y);
    /// The name, which is also the window text of a windowed widget.
    void setName(std::string_view text);
    const std::string& name() const { return name_; }
    /// Starts the timer of the widget on the window it uses (id: the control id on its own window,
    /// one of its own on a parent's); nothing when that window is gone.
    void startTimer(std::uint32_t ms);
    void stopTimer();
    /// Marks the widget (or a rectangle relative to it; null: all of it) for repainting, when visible.
    void invalidate(const Rect* rect, bool erase);
    /// Sets the click sound: mode 0 loads the wave as a sample, any other mode prepares a voice.
    void setClickSound(const char* wave, int mode);
    /// Whether the click sound plays (on at first).
    void setSoundEnabled(bool on) { soundEnabled_ = on; }
    /// Gives the widget a tool tip that pops up while the pointer rests on it.
    void setToolTip(const char* text, std::shared_ptr<const Font> font = nullptr,
                    std::shared_ptr<Bitmap> background = nullptr);
    /// The procedure of the class "BaseWidget".
    static LResult windowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

    /// Replaces the cursor shared by widgets, tool tips and dialogs.
    static void setSharedCursor(CursorHandle cursor);
    /// The shared cursor; none until the first widget class was filled or a cursor was given.
    static CursorHandle sharedCursor();

    WindowHandle window() const { return window_; }
    WindowHandle parentWindow() const { return parentWindow_; }
    int controlId() const { return controlId_; }
    void setControlId(int id) { controlId_ = id; }
    bool isWindowed() const { return windowed_; }
    bool isVisible() const { return visible_; }
    bool isLeftPressed() const { return leftPressed_; }
    std::intptr_t timerId() const { return timerId_; }
    HotSpot* hotSpot() const { return hotSpot_.get(); }
    /// The pop-up text shown while the right button is held on a windowed widget (owned).
    void setRightClickTip(std::unique_ptr<ToolTip> tip);

protected:
    /// Joins the WidgetContainer of the parent window as a windowless widget.
    void joinContainer(WindowHandle parentWindow);
    /// Sends WM_COMMAND (control id, value) to the parent window.
    void notifyParent(LParam value);

    std::string name_ = "BaseWidget";
    int x_ = 0;
    int y_ = 0;
    int height_ = 0;
    int width_ = 0;
    int state_ = 0;
    WindowHandle window_{};
    WindowHandle parentWindow_{};
    int clickSoundMode_ = 0;
    SoundSample* clickSample_ = nullptr;
    SoundVoice* clickVoice_ = nullptr;
    int controlId_ = 0;
    std::unique_ptr<ToolTip> toolTip_;
    bool focusOnHover_ = false;
    bool deleteOnDestroy_ = true;
    std::intptr_t timerId_ = -1;
    bool windowed_ = false;
    bool visible_ = true;
    bool leftPressed_ = false;
    bool rightPressed_ = false;
    bool soundEnabled_ = true;
    std::unique_ptr<HotSpot> hotSpot_;

private:
    friend class WidgetContainer;
    WidgetContainer* container_ = nullptr;
};

} // namespace q71
