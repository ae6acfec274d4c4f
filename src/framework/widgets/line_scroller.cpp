#include "framework/widgets/line_scroller.h"

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

} // namespace q71
