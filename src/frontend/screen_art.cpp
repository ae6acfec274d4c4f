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

} // namespace q71
