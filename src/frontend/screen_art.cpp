#include "frontend/screen_art.h"

#include "framework/app/reporter.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "frontend/tab_row.h"

#include <cstdio>

namespace q71 {

void frontEndSelectGroup(const char* group) {
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup(group))
        reportFatal(group, __LINE__, "frontend", 1);
}

void frontEndLoadBackground(WidgetBitmap& background, const char* name) {
    if (!background.load(name))
        reportFatal(name, __LINE__, "frontend", 1);
}

std::string buttonBitmapName(int x, int y) {
    char name[16];
    std::snprintf(name, sizeof name, "X%03dY%03d.bmp", x, y);
    return name;
}

std::unique_ptr<SimpleButton> frontEndPushButton(WindowHandle window, int controlId, int x, int y, int width,
                                                 int height) {
    auto button = std::make_unique<SimpleButton>(window, controlId, x, y, width, height,
                                                 buttonBitmapName(x, y), 3, SimpleButton::kPush, false);
    button->loadResources();
    button->setClickSound(kButtonClickWave, 1);
    return button;
}

std::vector<std::unique_ptr<SimpleButton>> frontEndTabButtons(WindowHandle window, int firstId, int count) {
    using namespace tab_row;
    std::vector<std::unique_ptr<SimpleButton>> tabs;
    for (int i = 0; i < count && i < static_cast<int>(kTabX.size()); ++i)
        tabs.push_back(frontEndPushButton(window, firstId + i, kTabX[static_cast<std::size_t>(i)], kTabY,
                                          kTabWidth, kTabHeight));
    return tabs;
}

} // namespace q71
