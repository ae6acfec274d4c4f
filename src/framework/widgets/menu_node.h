#pragma once
// The toolkit's own pull-down menus. A MenuNode is one pop-up level: a list of items, each with
// a command id sent to the owner window as WM_COMMAND (command id, 0) when chosen, an enabled and
// a checked flag, an optional separator below it, an optional submenu and an optional status
// text. Its window of the class "MenuItem" exists only while it is open. A MenuBar (menu_bar.h)
// shows one-item title nodes in a strip, each opening its menu below it.

#include "framework/app/window_object.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/pen_brush.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

class Bitmap;
class DeviceContext;
class EditBox;
class Font;
class MenuBar;

/// Commands are sent and submenus open by click only while this is non-zero (at first 1).
void menuEnableCommands(int flag);
/// The field that shows the status text of the highlighted item (null: none).
void menuSetStatusField(EditBox* field);
/// How many menu nodes exist.
int menuNodeCount();

class MenuNode : public WindowObject {
public:
    /// The command that tells the owner the menus lost the focus (with -1).
    static constexpr int kMenusClosedCommand = 6132;

    struct Item {
        std::string text;
        std::uint16_t commandId = 0;
        std::string statusText;
        std::unique_ptr<MenuNode> submenu;
        bool enabled = true;
        bool checked = false;
        bool separatorAfter = false;
        /// A heading row: never highlighted, chosen or sent.
        bool header = false;
    };

    MenuNode();
    ~MenuNode() override;

    /// Names and places the node; a null font is the system font, a bitmap is tiled under it.
    void init(std::string_view name, int x, int y, const Brush& brush, std::shared_ptr<const Font> font,
              std::shared_ptr<Bitmap> bitmap);
    /// Appends an item (the node owns the submenu).
    void addItems(std::string_view text, std::uint16_t commandId, std::unique_ptr<MenuNode> submenu,
                  std::string_view statusText, bool enabled, bool separatorAfter);
    /// Appends a plain enabled item; command id 0 makes it a header that groups the items below it.
    void addItems(std::string_view label, std::uint16_t commandId);
    /// Places the node at the screen point, measures it and places each submenu beside its item.
    void setPosition(int x, int y, const Brush& brush, std::shared_ptr<const Font> font,
                     std::shared_ptr<Bitmap> bitmap);
    /// Opens the node's window (nothing for an empty node) and gives it the focus.
    void createWindow();
    /// Closes the node and every submenu; the keyboard the node held goes back where it was.
    void close();
    /// The window that receives the commands, for the node and its submenus.
    void setOwnerWindow(WindowHandle window);
    /// The bar the node and its submenus belong to.
    void setTarget(MenuBar* bar);
    /// The first item of the text, here or (depth first) in a submenu; false when none.
    bool setItemEnabled(std::string_view text, bool enabled);
    /// Sets or clears the check mark of the first item of the text.
    bool setItemState(std::string_view text, bool checked);
    /// The enabled flag of the first item of the text, -1 when there is none.
    int getItemEnabled(std::string_view text) const;
    /// Closes the node and frees its items and submenus.
    void destroy();
    /// True when the window is this node's or an open submenu's.
    bool ownsWindow(WindowHandle window) const;

    /// The procedure of the class "MenuItem".
    static LResult windowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

    const std::string& name() const { return name_; }
    int itemCount() const { return static_cast<int>(items_.size()); }
    const Item& item(int index) const { return items_[static_cast<std::size_t>(index)]; }
    MenuNode* submenu(int index) const { return items_[static_cast<std::size_t>(index)].submenu.get(); }
    WindowHandle window() const { return window_; }
    bool isOpen() const { return open_; }
    int highlighted() const { return highlighted_; }
    int itemHeight() const { return itemHeight_; }
    int x() const { return x_; }
    int y() const { return y_; }
    int right() const { return right_; }
    int bottom() const { return bottom_; }
    bool isTitle() const { return title_; }
    /// Makes the node the title node of a bar.
    void makeTitle(MenuBar* bar) {
        title_ = true;
        bar_ = bar;
    }

private:
    LResult handle(std::uint32_t message, WParam wParam, LParam lParam);
    /// Width, item height and extent from the font.
    void measure();
    void paint(DeviceContext& dc);
    void paintItem(DeviceContext& dc, int index, int width);
    void onMouseMove(int y);
    /// What a click on (or Enter at) an item does.
    void choose(int index);
    void onKeyDown(std::uint32_t key);
    void onKillFocus(WindowHandle gaining);
    void closeSubmenus();
    /// After the node's window went: the keyboard to `back` unless a window was given it meanwhile.
    void giveKeyboardBack(WindowHandle back) const;
    void invalidateItem(int index);
    /// Moves the highlight and repaints the rows concerned.
    void highlight(int index);
    /// The first item of the text here or, depth first, in a submenu.
    const Item* find(std::string_view text) const;
    Item* find(std::string_view text);

    std::string name_;
    std::vector<Item> items_;
    WindowHandle window_{};
    int x_ = 0;
    int y_ = 0;
    int right_ = 0;
    int bottom_ = 0;
    Brush brush_;
    std::shared_ptr<const Font> font_;
    int highlighted_ = -1;
    int itemHeight_ = 1;
    ColorRef bevelColour_ = rgb(0xB0, 0xB0, 0xB0);
    MenuBar* bar_ = nullptr;
    bool title_ = false;
    bool open_ = false;
    std::shared_ptr<Bitmap> bitmap_;
    WindowHandle owner_{};
    WindowHandle keyboardBefore_{}; // where the keyboard was when the node opened
};

} // namespace q71
