#pragma once
// What the three screen classes share: the window in their parent (its class and title are the
// screen's key), the background bitmap, the operations the message routing calls, and the
// routing itself. Keys and commands a screen leaves climb to the parent window.

#include "framework/app/widget_container.h"
#include "framework/widgets/widget_bitmap.h"
#include "platform/gdi/bitmap.h"

#include <string>
#include <string_view>

namespace q71 {

class DeviceContext;

class ScreenWindow : public WidgetContainer {
public:
    /// Stores the geometry; the window is made by createWindow.
    ScreenWindow(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    /// Destroys the window, so nothing is left behind when a screen is replaced.
    ~ScreenWindow() override;

    /// Draws the background, while visible.
    virtual void paint(DeviceContext& dc);
    virtual void onSetCursor();
    /// Loads what the screen shows; the base loads nothing.
    virtual void open();
    /// Frees what open loaded.
    virtual void close();
    /// A command; 0 sends it on to the parent window.
    virtual int onCommand(WParam wParam, LParam lParam);
    /// A key of a category (see screenCharCategory); 0 sends it on to the parent window.
    virtual int onKey(int key, int category);
    /// Messages the routing leaves: timers and the mouse go to the widgets.
    virtual LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
    virtual void onShow();
    virtual void onHide();

    WindowHandle window() const { return window_; }
    WindowHandle parentWindow() const { return parent_; }
    const std::string& key() const { return key_; }
    bool isVisible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool focusOnCursor() const { return focusOnCursor_; }
    const WidgetBitmap& background() const { return background_; }

protected:
    /// Creates the hidden window (class and title `key`) and attaches the screen to it.
    bool createWindow(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    /// The routing of the screen's messages; `full` selects the top-level screen's handling of
    /// painting, destruction, closing and erasing.
    LResult route(bool full, WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

    WindowHandle window_{};
    WindowHandle parent_{};
    bool visible_ = false;
    int height_ = 0;
    int width_ = 0;
    int x_ = 0;
    int y_ = 0;
    std::string key_;
    WidgetBitmap background_;
    bool focusOnCursor_ = false;

private:
    BitmapRef paintBuffer_; ///< the back buffer of the paints, kept while the screen shows
};

} // namespace q71
