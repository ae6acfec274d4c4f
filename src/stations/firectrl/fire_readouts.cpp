#include "stations/firectrl/fire_readouts.h"

#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/static_text.h"
#include "platform/gdi/colour.h"
#include "sim/entities/contact_record.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_layout.h"

#include <cstdio>

namespace q71 {
namespace {

constexpr ColorRef kReadoutColour = rgb(0, 248, 0);

std::string formatted(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::unique_ptr<StaticText> makeLabel(WindowHandle window, int x, int y, std::string_view text) {
    auto label = std::make_unique<StaticText>(window, x, y, text, appChartFont(), std::nullopt, false, 0);
    label->setTextColour(kReadoutColour);
    label->hide();
    return label;
}

} // namespace

std::string fireFormatDesignation(const ContactRecord& contact) {
    return worldFormatDesignation(contact.designation);
}

std::array<std::string, 6> fireReadoutValues(const ContactRecord& contact) {
    return {fireFormatDesignation(contact),
            formatted("%3.0lf", contact.course),
            formatted("%.0lf", contact.speed),
            formatted("%.0lf", contact.range),
            formatted("%.0lf", contact.bearing),
            textCopy(contact.kind != 0 ? kFireClassifiedText : kFireUnclassifiedText)};
}

FireReadouts::FireReadouts(WindowHandle chartWindow) {
    values_[0] = makeLabel(chartWindow, kFireReadoutLeft, kFireReadoutRows[0], "");
    for (std::size_t i = 0; i < captions_.size(); ++i) {
        const int y = kFireReadoutRows[i + 1];
        captions_[i] = makeLabel(chartWindow, kFireReadoutLeft, y, textCopy(kFireReadoutCaptions[i]));
        values_[i + 1] = makeLabel(chartWindow, kFireReadoutLeft + captions_[i]->getWidth(), y, "");
    }
}

FireReadouts::~FireReadouts() = default;

void FireReadouts::show(const ContactRecord& contact) {
    const auto texts = fireReadoutValues(contact);
    for (std::size_t i = 0; i < kRows; ++i)
        if (values_[i]->text() != texts[i])
            values_[i]->setText(texts[i]);
    setShown(true);
}

void FireReadouts::hide() {
    setShown(false);
}

void FireReadouts::setShown(bool on) {
    if (shown_ == on)
        return;
    shown_ = on;
    const auto apply = [on](StaticText& label) { on ? label.show() : label.hide(); };
    for (auto& label : values_)
        apply(*label);
    for (auto& label : captions_)
        apply(*label);
}

void FireReadouts::paint(DeviceContext& dc) {
    if (!shown_)
        return;
    PaintRecord record{&dc, {}};
    for (auto& label : captions_)
        label->paint(record);
    for (auto& label : values_)
        label->paint(record);
}

const std::string& FireReadouts::value(std::size_t row) const {
    return values_[row]->text();
}

} // namespace q71
