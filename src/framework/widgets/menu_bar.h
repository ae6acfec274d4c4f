#pragma once
// A bar of menu titles in a bevelled strip. Each title is a one-item MenuNode window over the
// bar; a click on it opens its menu below it, and while one is open, hovering another title (or
// Left and Right in a menu) switches to that one. When the focus leaves the menus, they close and
// the owner hears WM_COMMAND (6132, -1).

#include "framework/widgets/base_widget.h"
#include "framework/widgets/menu_node.h"

#include <memory>
#include <string_view>
#include <vector>

namespace q71 {

class MenuBar : public BaseWidget {
public:
    /// Where switchMenu goes: to the hovered title, the next one or the previous one.
    enum Switch : int { kHovered = 0, kNext = 1, kPrevious = 2 };

    /// A windowed bar in `parentWindow` (which receives the commands); a null font is the system
    /// font; the background repeats `bitmap` (tiled when `tile`), or is light grey without one.
    MenuBar(WindowHandle parentWindow, int x, int y, int width, int height, std::shared_ptr<const Font> font,
            std::shared_ptr<Bitmap> bitmap, bool tile);
    /// Closes and destroys every title and menu.
    ~MenuBar() override;

    /// Adds a title after the others; a click on it opens `menu` below it.
    void addMenu(std::string_view title, std::uint16_t commandId, std::unique_ptr<MenuNode> menu);
    /// ShowWindow on every title.
    void showMenus(int showCommand);
    /// Over all menus in order: the first item of the text.
    bool setItemEnabled(std::string_view text, bool enabled);
    bool setItemChecked(std::string_view text, bool checked);
    int getItemEnabled(std::string_view text) const;
    /// Closes the open drop-down.
    void closeAll();
    /// Opens the drop-down of the hovered title (when another is open) or of the next or previous
    /// title (when there is one).
    void switchMenu(MenuNode* node, int direction);
    /// True for the bar's window, a title's or an open menu's.
    bool ownsWindow(WindowHandle window) const;

    /// Closes the drop-down when the pointer leaves the bar.
    void onMouseMove(int x, int y) override;
    /// Closes the drop-down when the focus leaves the menus.
    void onKillFocus(WindowHandle gaining) override;
    void paint(PaintRecord& paint) override;

    int titleCount() const { return static_cast<int>(titles_.size()); }
    MenuNode* title(int index) const { return titles_[static_cast<std::size_t>(index)].get(); }
    /// The index of the title whose drop-down is open, or -1.
    int openTitle() const;
    /// The menu under a title (null when it has none).
    MenuNode* dropDown(int index) const;

private:
    std::shared_ptr<const Font> font_;
    Brush brush_;
    std::shared_ptr<Bitmap> tiled_;
    std::shared_ptr<Bitmap> bitmap_;
    std::vector<std::unique_ptr<MenuNode>> titles_;
    int nextX_ = 10;
    ColorRef bevelColour_ = rgb(0xB0, 0xB0, 0xB0);
};

} // namespace q71
