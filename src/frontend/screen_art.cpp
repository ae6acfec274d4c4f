#include "frontend/screen_art.h"

#include "framework/app/reporter.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"

#include <cstdio>

namespace q71 {

void frontEndSelectGroup(const char* group) {
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup(group))
        reportFatal(group, __LINE__, "frontend", 1);
}

void frontEndLoadBackground(WidgetBitmap& background) {
    if (!background.load(kBackgroundName))
        reportFatal(kBackgroundName, __LINE__, "frontend", 1);
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

} // namespace q71
