#include "stations/firectrl/view_label.h"

#include "framework/app/shell_fonts.h"
#include "framework/widgets/static_text.h"

namespace q71 {

std::unique_ptr<StaticText> makeViewLabel(WindowHandle page, int x, int y, const char* text, int alignment) {
    auto label = std::make_unique<StaticText>(page, x, y, text, appChartFont(), std::nullopt, false, alignment);
    label->setTextColour(kViewGreen);
    label->hide();
    return label;
}

} // namespace q71
