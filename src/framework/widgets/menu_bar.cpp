#include "framework/widgets/menu_bar.h"

#include "framework/widgets/bevel.h"
#include "framework/widgets/dialog.h"
#include "platform/gdi/device_context.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"

namespace q71 {
namespace {

constexpr int kTitleTop = 3;
constexpr int kTitleGap = 10;

} // namespace

MenuBar::MenuBar(WindowHandle parentWindow, int x, int y, int width, int height,
                 std::shared_ptr<const Font> font, std::shared_ptr<Bitmap> bitmap, bool tile)
    : BaseWidget(parentWindow, x, y, width, height, true), font_(std::move(font)),
      brush_(bitmap ? createPatternBrush(bitmap.get()) : stockBrush(StockObject::LightGrayBrush)),
      tiled_(tile ? bitmap : nullptr), bitmap_(std::move(bitmap)) {
    setName("MenuBar");
    focusOnHover_ = false;
}

MenuBar::~MenuBar() {
    closeAll();
    // The nodes' windows go before the bar's own, so none of them reports to a bar half gone.
    titles_.clear();
}

void MenuBar::addMenu(std::string_view title, std::uint16_t commandId, std::unique_ptr<MenuNode> menu) {
    MenuNode* menuBelow = menu.get();
    if (menuBelow) {
        menuBelow->setOwnerWindow(parentWindow_);
        menuBelow->setTarget(this);
    }
    const Point corner = windowClientToScreen(window_, {nextX_, kTitleTop});
    auto node = std::make_unique<MenuNode>();
    node->init(title, corner.x, corner.y, brush_, font_, tiled_);
    node->addItems(title, commandId, std::move(menu), "", true, false);
    node->makeTitle(this);
    node->setOwnerWindow(parentWindow_);
    node->createWindow();
    nextX_ += node->right() - node->x() + kTitleGap;
    if (menuBelow)
        menuBelow->setPosition(node->x(), node->bottom(), brush_, font_, tiled_);
    titles_.push_back(std::move(node));
}

void MenuBar::showMenus(int showCommand) {
    for (const auto& node : titles_)
        windowShow(node->window(), showCommand);
}

bool MenuBar::setItemEnabled(std::string_view text, bool enabled) {
    for (const auto& node : titles_)
        if (node->setItemEnabled(text, enabled))
            return true;
    return false;
}

bool MenuBar::setItemChecked(std::string_view text, bool checked) {
    for (const auto& node : titles_)
        if (node->setItemState(text, checked))
            return true;
    return false;
}

int MenuBar::getItemEnabled(std::string_view text) const {
    for (const auto& node : titles_)
        if (const int enabled = node->getItemEnabled(text); enabled >= 0)
            return enabled;
    return -1;
}

MenuNode* MenuBar::dropDown(int index) const {
    const MenuNode* node = title(index);
    return node->itemCount() > 0 ? node->submenu(0) : nullptr;
}

int MenuBar::openTitle() const {
    for (int i = 0; i < titleCount(); ++i) {
        const MenuNode* menu = dropDown(i);
        if (menu && menu->isOpen())
            return i;
    }
    return -1;
}

void MenuBar::closeAll() {
    if (const int open = openTitle(); open >= 0)
        dropDown(open)->close();
}

void MenuBar::switchMenu(MenuNode* node, int direction) {
    const int open = openTitle();
    if (open < 0)
        return;
    int target = -1;
    if (direction == kHovered) {
        for (int i = 0; i < titleCount(); ++i)
            if (title(i) == node)
                target = i;
    } else {
        target = direction == kNext ? open + 1 : open - 1;
    }
    if (target < 0 || target >= titleCount() || target == open)
        return;
    MenuNode* menu = dropDown(target);
    if (!menu)
        return;
    dropDown(open)->close();
    menu->createWindow();
}

bool MenuBar::ownsWindow(WindowHandle window) const {
    if (window == window_)
        return true;
    for (const auto& node : titles_)
        if (node->ownsWindow(window))
            return true;
    return false;
}

void MenuBar::onMouseMove(int x, int y) {
    if (x <= 0 || y <= 0 || x >= width_ || y >= height_)
        closeAll();
}

void MenuBar::onKillFocus(WindowHandle gaining) {
    if (!ownsWindow(gaining))
        closeAll();
}

void MenuBar::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    if (tiled_) {
        Dialog::tileBitmap(dc, tiled_, width_, height_);
    } else {
        dc.selectBrush(brush_);
        dc.selectPen(stockPen(StockObject::BlackPen));
        dc.rectangle({0, 0, width_, height_});
    }
    drawBevelWithColour(dc, bevelColour_, false, 0, 0, width_ - 1, height_ - 1, 3, kBevelRaised);
}

} // namespace q71
