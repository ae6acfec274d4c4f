#include "stations/firectrl/wire_panel.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/static_text.h"
#include "platform/window/window_paint.h"
#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/entity.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/tube_panel.h"
#include "stations/firectrl/view_label.h"
#include "stations/nav/nav_layout.h"

#include <cstdio>

namespace q71 {
namespace {


struct WireButtonRow {
    int id;
    const char* bitmap;
    int dx, dy, width, height;
};
enum WireCommand : int { kSteerLeft = 8400, kSteerRight = 8500, kModeOn = 8600, kModeOff = 8700, kShutDown = 8800 };
constexpr WireButtonRow kButtons[] = {
    {kSteerLeft, "leftcrt.bmp", 34, 130, 30, 20}, {kSteerRight, "ritecrt.bmp", 100, 130, 30, 20},
    {kModeOn, "blank.bmp", 0, 180, 46, 21},       {kModeOff, "blank.bmp", 60, 180, 46, 21},
    {kShutDown, "blank.bmp", 120, 180, 46, 21},
};
struct WireTextRow {
    int text, dx, dy;
};
// The captions under the mode and shut-down buttons.
constexpr WireTextRow kCaptions[] = {{203, 2, 205}, {202, 62, 205}, {204, 122, 205}};
constexpr WireTextRow kTitle{201, 0, 10};
constexpr WireTextRow kTarget{182, 0, 35};
constexpr WireTextRow kStatus{200, 0, 60};
constexpr int kTitleOfTube = 205;
constexpr int kTargetOfTube = 193;
constexpr int kWireCut = 206;
constexpr int kCourseDx = 84;
constexpr int kCourseDy = 140;


} // namespace

WirePanel::WirePanel(WindowHandle page, int x, int y) {
    for (const WireButtonRow& row : kButtons) {
        buttons_.push_back(std::make_unique<SimpleButton>(page, row.id, x + row.dx, y + row.dy, row.width,
                                                          row.height, row.bitmap, 2, SimpleButton::kPush, false));
        buttons_.back()->hide();
    }
    title_ = makeViewLabel(page, x + kTitle.dx, y + kTitle.dy, textGetString(kTitle.text));
    for (const WireTextRow& row : kCaptions)
        captions_.push_back(makeViewLabel(page, x + row.dx, y + row.dy, textGetString(row.text)));
    target_ = makeViewLabel(page, x + kTarget.dx, y + kTarget.dy, textGetString(kTarget.text));
    status_ = makeViewLabel(page, x + kStatus.dx, y + kStatus.dy, textGetString(kStatus.text));
    course_ = makeViewLabel(page, x + kCourseDx, y + kCourseDy - 6, "0", StaticText::kAlignCentre);
}

WirePanel::~WirePanel() = default;

void WirePanel::showTube(int index) {
    tube_ = tableTube(index);
    if (!tube_)
        return;
    char line[256];
    textFormat(line, kTitleOfTube, tube_->number());
    title_->setText(line);
    textFormat(line, kTargetOfTube, tube_->targetName.data());
    target_->setText(line);
    for (auto& button : buttons_)
        button->show();
    for (StaticText* text : {title_.get(), target_.get(), status_.get(), course_.get()})
        text->show();
    for (auto& caption : captions_)
        caption->show();
    updateCourse();
    if (tube_->isGuidable())
        status_->setText(textGetString(kStatus.text));
    shown_ = true;
}

void WirePanel::hide() {
    for (auto& button : buttons_)
        button->hide();
    for (StaticText* text : {title_.get(), target_.get(), status_.get(), course_.get()})
        text->hide();
    for (auto& caption : captions_)
        caption->hide();
    shown_ = false;
}

std::vector<const StaticText*> WirePanel::shownLabels() const {
    std::vector<const StaticText*> labels;
    if (!shown_)
        return labels;
    labels = {title_.get(), target_.get(), status_.get(), course_.get()};
    for (const auto& caption : captions_)
        labels.push_back(caption.get());
    return labels;
}

void WirePanel::updateCourse() {
    Entity* torpedo = tube_ ? tube_->launchedEntity() : nullptr;
    if (!torpedo)
        return;
    double course = 0.0;
    if (const auto* guidance = dynamic_cast<const GuidanceController*>(torpedo->controller.get()))
        course = guidance->presetCourse;
    char text[32];
    std::snprintf(text, sizeof text, "%03.0f", course);
    course_->setText(text);
}

int WirePanel::onCommand(int id, int) {
    const bool own = id == kSteerLeft || id == kSteerRight || id == kModeOn || id == kModeOff || id == kShutDown;
    if (!shown_ || !own)
        return 0;
    if (!tube_ || !tube_->isGuidable()) {
        status_->setText(textGetString(kWireCut));
        return 0;
    }
    status_->setText(textGetString(kStatus.text));
    switch (id) {
    case kSteerRight:
        tube_->steerRight();
        updateCourse();
        break;
    case kSteerLeft:
        tube_->steerLeft();
        updateCourse();
        break;
    case kModeOn:
        tube_->setGuidanceMode(1);
        break;
    case kModeOff:
        tube_->setGuidanceMode(0);
        break;
    default:
        tube_->shutDownWeapon();
        break;
    }
    return 1;
}

void WirePanel::paint(DeviceContext& dc) {
    PaintRecord record{&dc, {0, 0, kNavPageWidth, kNavPageHeight}};
    for (StaticText* text : {title_.get(), target_.get(), status_.get(), course_.get()})
        text->paint(record);
    for (auto& caption : captions_)
        caption->paint(record);
}

void WirePanel::loadResources() {
    for (auto& button : buttons_)
        button->loadResources();
}

void WirePanel::freeResources() {
    for (auto& button : buttons_)
        button->freeResources();
}

} // namespace q71
