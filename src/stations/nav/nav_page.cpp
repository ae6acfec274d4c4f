#include "stations/nav/nav_page.h"

#include "framework/app/reporter.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"

namespace q71 {

NavPage::NavPage(std::string_view key, WindowHandle screen, const Art& art,
                 std::span<const NavControlRow> pageButtons, int ownPage)
    : PageScreen(key, screen, kNavPageWidth, kNavPageHeight, 0, 0), art_(art), ownPage_(ownPage) {
    for (const NavControlRow& row : pageButtons)
        pageButtons_.add(&addButton(row, SimpleButton::kLatch));
}

NavPage::~NavPage() = default;

SimpleButton& NavPage::addButton(const NavControlRow& row, int kind) {
    auto button = std::make_unique<SimpleButton>(window(), row.id, row.x, row.y, row.width, row.height, row.bitmap,
                                                 row.frames, kind, false);
    dress(*button, row);
    return add(std::move(button));
}

void NavPage::dress(BaseWidget& widget, const NavControlRow& row) {
    if (row.sound)
        widget.setClickSound(row.sound, 1);
    if (row.toolTip >= 0 && textToolTipsEnabled())
        widget.setToolTip(textGetString(row.toolTip));
}

void NavPage::missing(int line) const {
    reportFatal(textGetString(kNavMissingText), line, art_.source, 1);
}

void NavPage::open() {
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup(art_.group))
        missing(__LINE__);
    if (!background_.load(art_.background))
        missing(__LINE__);
    for (auto& widget : widgets_)
        widget->loadResources();
    openPage();
    pageButtons_.selectIndex(ownPage_);
}

void NavPage::close() {
    closePage();
    for (auto& widget : widgets_)
        widget->freeResources();
    background_.free();
}

int NavPage::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    for (int i = 0; i < pageButtons_.count(); ++i)
        if (pageButtons_.member(i)->controlId() == id)
            return 0;
    return pageCommand(id, static_cast<int>(lParam));
}

} // namespace q71
