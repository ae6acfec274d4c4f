#pragma once
// A top-level screen of the program: a child window of the main window holding an array of
// sub-screens. Screens are made visible by activation, one at a time: activating one opens and
// shows it and closes and deactivates the one shown before. Subclasses load their bitmaps and
// widgets in open and free them in close, so a screen that is not shown holds little.

#include "framework/app/screen_slots.h"
#include "framework/app/screen_window.h"
#include "framework/app/sub_screen.h"

#include <memory>

namespace q71 {

class FullScreen : public ScreenWindow {
public:
    /// Stores the geometry; unless `defer`, registers the class and creates the window (the
    /// subclass does so itself with `defer`).
    FullScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y,
               bool defer = false);
    /// Deletes the children, then the window goes.
    ~FullScreen() override;

    /// The routing of the screen's messages.
    virtual LResult windowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
    /// Registers the window class `key` unless it exists.
    virtual bool registerClass(std::string_view key);
    /// Creates the hidden window (class and title `key`) and attaches the screen to it.
    virtual bool create(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    /// Opens and shows the screen and closes and deactivates the active one, unless it is active.
    virtual void activate();
    /// Hides the screen and its current child.
    virtual void deactivate();
    /// Updates every child (once per frame while the screen is on the update list).
    virtual void update();

    /// Makes room for n children, all empty (children held before are deleted).
    void setChildCount(int n) { children_.resize(n); }
    /// Puts a child in an entry (the screen owns it), deleting the one there.
    void setChild(int i, std::unique_ptr<SubScreen> child) { children_.put(i, std::move(child)); }
    /// Hides child i, deletes it and empties the entry.
    void deleteChild(int i) { children_.erase(i); }
    /// Child i becomes current and opens with its current page.
    void openChild(int i);
    /// Shows child i and its current page; it becomes the active sub-screen.
    void showChild(int i);
    /// Child i becomes current and shows itself.
    void selectChild(int i);
    /// Closes child i and its current page.
    void closeChild(int i);
    void hideChild(int i);
    /// Clears the active sub-screen when it is the current child.
    void dropChildFocus();

    /// Child i, or null for an index outside the array or an empty entry.
    SubScreen* child(int i) const { return children_.at(i); }
    int childCount() const { return children_.count(); }
    int currentChild() const { return currentChild_; }
    int nextScreenSlot() const { return nextScreenSlot_; }
    void setNextScreenSlot(int slot) { nextScreenSlot_ = slot; }

protected:
    int currentChild_ = -1;
    int nextScreenSlot_ = -1;
    ScreenSlots<SubScreen> children_;
};

/// The active full screen, or null.
FullScreen* activeFullScreen();

} // namespace q71
