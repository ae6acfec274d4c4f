#include "framework/widgets/menu_node.h"

#include "framework/widgets/edit_box.h"
#include "framework/widgets/menu_bar.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

#include <algorithm>
#include <utility>

namespace q71 {
namespace {

constexpr const char* kClassName = "MenuItem";

// What all menus share: whether a pop-up is being made (its focus change is no reason to close
// anything), the command switch, the status field and the count.
bool creatingPopup = false;
int commandsEnabled = 1;
EditBox* statusField = nullptr;
std::weak_ptr<const void> statusFieldAlive;
int nodeCount = 0;

void showStatus(std::string_view text) {
    if (statusField && !statusFieldAlive.expired())
        statusField->setText(text);
}

} // namespace

void menuEnableCommands(int flag) {
    commandsEnabled = flag;
}

void menuSetStatusField(EditBox* field) {
    statusField = field;
    statusFieldAlive = field ? field->watch() : std::weak_ptr<const void>{};
}

int menuNodeCount() {
    return nodeCount;
}

MenuNode::MenuNode() {
    ++nodeCount;
}

MenuNode::~MenuNode() {
    close();
    --nodeCount;
}

void MenuNode::init(std::string_view name, int x, int y, const Brush& brush, std::shared_ptr<const Font> font,
                    std::shared_ptr<Bitmap> bitmap) {
    name_ = name;
    x_ = x;
    y_ = y;
    brush_ = brush;
    font_ = std::move(font);
    bitmap_ = std::move(bitmap);
}

void MenuNode::addItems(std::string_view text, std::uint16_t commandId, std::unique_ptr<MenuNode> submenu,
                        std::string_view statusText, bool enabled, bool separatorAfter) {
    items_.push_back(Item{std::string(text), commandId, std::string(statusText), std::move(submenu), enabled,
                          false, separatorAfter});
}

void MenuNode::addItems(std::string_view label, std::uint16_t commandId) {
    addItems(label, commandId, nullptr, "", true, false);
    items_.back().header = commandId == 0;
}

void MenuNode::measure() {
    int widest = 0;
    TextMetrics metrics;
    if (auto dc = createDisplayDC()) {
        dc->selectFont(font_);
        dc->getTextMetrics(metrics);
        for (const Item& item : items_)
            widest = std::max(widest, dc->getTextExtent(item.text).cx);
    }
    itemHeight_ = metrics.height + 6;
    right_ = x_ + widest + 30;
    bottom_ = y_ + itemCount() * itemHeight_ + 6;
}

void MenuNode::setPosition(int x, int y, const Brush& brush, std::shared_ptr<const Font> font,
                           std::shared_ptr<Bitmap> bitmap) {
    init(name_, x, y, brush, std::move(font), std::move(bitmap));
    measure();
    for (int i = 0; i < itemCount(); ++i)
        if (MenuNode* sub = submenu(i))
            sub->setPosition(right_, y_ + itemHeight_ * i, brush_, font_, bitmap_);
}

void MenuNode::createWindow() {
    if (items_.empty())
        return;
    open_ = true;
    measure();
    if (WindowClass existing; !classGetInfo(kClassName, existing))
        classRegister(WindowClass{kClassName, CS_HREDRAW | CS_VREDRAW, &MenuNode::windowProc, cursorArrow(),
                                  classBackgroundBrush(StockObject::NullBrush)});
    keyboardBefore_ = focusGet();
    // The new pop-up takes the focus from the menu that opened it, which must not close for it.
    creatingPopup = true;
    window_ = windowCreate(0, kClassName, "Widget", WS_POPUP | WS_VISIBLE, x_, y_, right_ - x_, bottom_ - y_,
                           owner_);
    windowObjectAttach(window_, this);
    windowShow(window_, SW_SHOW);
    focusSet(window_);
    creatingPopup = false;
}

void MenuNode::closeSubmenus() {
    for (Item& item : items_)
        if (item.submenu)
            item.submenu->close();
}

void MenuNode::close() {
    closeSubmenus();
    open_ = false;
    highlighted_ = -1;
    if (window_ == WindowHandle{})
        return;
    // Detached first: the window's last messages must not reach the node.
    const WindowHandle own = window_;
    const bool heldKeyboard = focusGet() == own;
    window_ = {};
    windowObjectDetach(own);
    windowDestroy(own);
    const WindowHandle back = std::exchange(keyboardBefore_, {});
    if (heldKeyboard)
        giveKeyboardBack(back);
}

void MenuNode::giveKeyboardBack(WindowHandle back) const {
    // Once the pop-up is gone the keyboard lies with no window, or with the top-level window that
    // took over from it, where no key of the screens answers (their Alt+letters among them): it
    // goes back to the window that had it when the node opened, if that one can still take it.
    const WindowHandle now = focusGet();
    if (now != WindowHandle{} && now != windowGetTopLevel(owner_))
        return;
    if (windowIsValid(back) && windowIsVisible(back) && windowIsEnabled(back))
        focusSet(back);
}

void MenuNode::destroy() {
    close();
    items_.clear();
}

void MenuNode::setOwnerWindow(WindowHandle window) {
    owner_ = window;
    for (Item& item : items_)
        if (item.submenu)
            item.submenu->setOwnerWindow(window);
}

void MenuNode::setTarget(MenuBar* bar) {
    bar_ = bar;
    for (Item& item : items_)
        if (item.submenu)
            item.submenu->setTarget(bar);
}

const MenuNode::Item* MenuNode::find(std::string_view text) const {
    for (const Item& item : items_)
        if (item.text == text)
            return &item;
    for (const Item& item : items_)
        if (item.submenu)
            if (const Item* found = item.submenu->find(text))
                return found;
    return nullptr;
}

MenuNode::Item* MenuNode::find(std::string_view text) {
    return const_cast<Item*>(std::as_const(*this).find(text));
}

bool MenuNode::setItemEnabled(std::string_view text, bool enabled) {
    Item* item = find(text);
    if (item)
        item->enabled = enabled;
    return item != nullptr;
}

bool MenuNode::setItemState(std::string_view text, bool checked) {
    Item* item = find(text);
    if (item)
        item->checked = checked;
    return item != nullptr;
}

int MenuNode::getItemEnabled(std::string_view text) const {
    const Item* item = find(text);
    return item ? (item->enabled ? 1 : 0) : -1;
}

bool MenuNode::ownsWindow(WindowHandle window) const {
    if (window_ != WindowHandle{} && window == window_)
        return true;
    return std::any_of(items_.begin(), items_.end(),
                       [&](const Item& item) { return item.submenu && item.submenu->ownsWindow(window); });
}

LResult MenuNode::windowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return windowObjectProc<MenuNode, &MenuNode::handle>(window, message, wParam, lParam);
}

LResult MenuNode::handle(std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (!title_)
            onMouseMove(pointYFromLParam(lParam));
        return 1;
    case WM_LBUTTONDOWN:
        if (commandsEnabled && !items_.empty())
            choose(std::clamp(pointYFromLParam(lParam) / itemHeight_, 0, itemCount() - 1));
        return 1;
    case WM_KEYDOWN:
        onKeyDown(static_cast<std::uint32_t>(wParam));
        return 1;
    case WM_SETCURSOR:
        cursorSet(cursorArrow());
        focusSet(window_);
        if (title_ && bar_)
            bar_->switchMenu(this, MenuBar::kHovered);
        return 1;
    case WM_KILLFOCUS:
        if (!creatingPopup)
            onKillFocus(static_cast<WindowHandle>(wParam));
        return 1;
    case WM_DESTROY:
        // Destroyed with its owner: the node forgets the window and stays closed.
        windowObjectDetach(window_);
        window_ = {};
        open_ = false;
        highlighted_ = -1;
        return 0;
    case WM_PAINT: {
        PaintStruct ps = beginPaint(window_);
        if (ps.dc)
            paint(*ps.dc);
        endPaint(window_, ps);
        return 0;
    }
    default:
        return windowDefaultProc(window_, message, wParam, lParam);
    }
}

void MenuNode::invalidateItem(int index) {
    if (index < 0 || index >= itemCount() || window_ == WindowHandle{})
        return;
    const Rect row{0, index * itemHeight_, right_ - x_, (index + 1) * itemHeight_ + 6};
    windowInvalidate(window_, &row, true);
}

void MenuNode::highlight(int index) {
    invalidateItem(highlighted_);
    highlighted_ = index;
    invalidateItem(highlighted_);
}

void MenuNode::onMouseMove(int y) {
    const int index = y / itemHeight_;
    if (index == highlighted_ || y < 0 || index >= itemCount())
        return;
    if (items_[static_cast<std::size_t>(index)].header) {
        // A header only takes the highlight away.
        highlight(-1);
        closeSubmenus();
        return;
    }
    highlight(index);
    closeSubmenus();
    Item& item = items_[static_cast<std::size_t>(index)];
    if (item.submenu && !item.submenu->isOpen())
        item.submenu->createWindow();
    showStatus(item.statusText);
}

void MenuNode::choose(int index) {
    Item& item = items_[static_cast<std::size_t>(index)];
    if (item.submenu) {
        if (item.submenu->isOpen()) {
            item.submenu->close();
            return;
        }
        if (title_ && bar_)
            bar_->closeAll();
        item.submenu->createWindow();
        return;
    }
    if (!item.enabled || item.header)
        return;
    // Closing ends this window; the owner may then end the whole menu system.
    const WindowHandle owner = owner_;
    const WParam command = item.commandId;
    if (bar_)
        bar_->closeAll();
    else
        close();
    messageSend(owner, WM_COMMAND, command, 0);
}

void MenuNode::onKeyDown(std::uint32_t key) {
    if (title_) {
        if (MenuNode* menu = items_.empty() ? nullptr : submenu(0); menu && menu->isOpen())
            focusSet(menu->window());
        return;
    }
    switch (key) {
    case VK_RETURN:
        if (commandsEnabled && highlighted_ >= 0 && highlighted_ < itemCount())
            choose(highlighted_);
        break;
    case VK_UP:
        highlight(std::max(highlighted_ - 1, 0));
        break;
    case VK_DOWN:
        highlight(highlighted_ + 1 < itemCount() ? highlighted_ + 1 : 0);
        break;
    case VK_LEFT:
        if (bar_)
            bar_->switchMenu(this, MenuBar::kPrevious);
        break;
    case VK_RIGHT:
        if (bar_)
            bar_->switchMenu(this, MenuBar::kNext);
        break;
    case VK_ESCAPE:
        if (bar_)
            bar_->closeAll();
        else
            close();
        break;
    default:
        break;
    }
}

void MenuNode::onKillFocus(WindowHandle gaining) {
    if (!bar_) {
        // A free menu stays while the focus goes into one of its own submenus. A window the
        // focus was given to keeps it; the top-level window that takes over from a menu only by
        // activation (a click elsewhere) does not.
        if (ownsWindow(gaining))
            return;
        if (windowIsValid(gaining) && gaining != windowGetTopLevel(owner_))
            keyboardBefore_ = {};
        close();
        return;
    }
    if (bar_->ownsWindow(gaining))
        return;
    const WindowHandle owner = owner_;
    bar_->closeAll();
    showStatus("");
    messageSend(owner, WM_COMMAND, kMenusClosedCommand, static_cast<LParam>(-1));
}

} // namespace q71
