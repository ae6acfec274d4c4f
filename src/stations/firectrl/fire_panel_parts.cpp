#include "stations/firectrl/fire_panel_parts.h"

namespace q71 {
namespace {

FirePanelMakers installed;

} // namespace

void firePanelInstallMakers(const FirePanelMakers& makers) {
    installed = makers;
}

const FirePanelMakers& firePanelMakers() {
    return installed;
}

} // namespace q71
