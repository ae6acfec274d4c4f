#include "framework/widgets/line_scroller.h"

#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"

namespace q71 {
namespace {

LineScrollerFactory installedFactory = nullptr;

} // namespace

void textBoxSetScrollerFactory(LineScrollerFactory factory) {
    installedFactory = factory;
}

LineScrollerFactory textBoxScrollerFactory() {
    return installedFactory;
}

bool selectScrollerGroup(const ScrollerLook& look) {
    grpSetFolder(graphicsInstallPath);
    return grpOpenGroup(look.group ? look.group : kSharedScrollerGroup) != 0;
}

} // namespace q71
