#include "stations/firectrl/load_out_screen.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/state_button.h"
#include "framework/widgets/static_text.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/device_context.h"
#include "platform/window/window_paint.h"
#include "stations/firectrl/fire_control_stations.h"

#include <string>

namespace q71 {
namespace {

constexpr NavPage::Art kArt{kFireGroup, kLoadOutBackground, "loadout"};
constexpr ColorRef kTotalColour = rgb(0, 255, 0);
constexpr ColorRef kNoticeFrame = rgb(128, 128, 128);
constexpr ColorRef kNoticeText = rgb(255, 0, 0);

} // namespace

LoadOutScreen::LoadOutScreen(WindowHandle screen) : NavPage("LoadOut", screen, kArt, {}, -1) {
    for (std::size_t i = 0; i < cellLamps_.size(); ++i)
        cellLamps_[i] = &addLamp(static_cast<int>(i), kLoadOutCellColumns[i % 2],
                                 kLoadOutCellTop + static_cast<int>(i / 2) * kLoadOutRowStep);
    for (std::size_t i = 0; i < rackLamps_.size(); ++i)
        rackLamps_[i] = &addLamp(static_cast<int>(i), kLoadOutRackColumns[i % 2],
                                 kLoadOutRackTop + static_cast<int>(i / 2) * kLoadOutRowStep);
    for (std::size_t i = 0; i < tubeLamps_.size(); ++i)
        tubeLamps_[i] = &addLamp(kLoadOutTubeLampId, kLoadOutTubeLamps[i].x, kLoadOutTubeLamps[i].y);
    addButton(kLoadOutBackButton, SimpleButton::kPush);
    for (std::size_t i = 0; i < totals_.size(); ++i) {
        totals_[i] = std::make_unique<StaticText>(window(), kLoadOutTotals[i].x, kLoadOutTotals[i].y, "0",
                                                  nullptr, std::nullopt, false, 0);
        totals_[i]->setTextColour(kTotalColour);
    }
    unlimited_ =
        std::make_unique<StaticText>(window(), kLoadOutUnlimited.x, kLoadOutUnlimited.y,
                                     textGetString(kLoadOutUnlimitedText), nullptr, kNoticeFrame, false, 0);
    unlimited_->setTextColour(kNoticeText);
    unlimited_->makeWindowed();
    unlimited_->hide();
}

LoadOutScreen::~LoadOutScreen() = default;

StateButton& LoadOutScreen::addLamp(int id, int x, int y) {
    return add(std::make_unique<StateButton>(window(), id, kLoadOutLamp, kLoadOutLampFrames, x, y,
                                             kLoadOutLampWidth, kLoadOutLampHeight, false));
}

int LoadOutScreen::pageCommand(int, int) {
    return 0;
}

void LoadOutScreen::openPage() {
    refresh();
    showUnlimited(fireControlStations().unlimitedWeapons());
}

void LoadOutScreen::refresh() {
    picture_ = loadOutPicture(loadOutSourceNow());
    for (std::size_t i = 0; i < cellLamps_.size(); ++i)
        cellLamps_[i]->setFrameIndex(picture_.cells[i]);
    for (std::size_t i = 0; i < rackLamps_.size(); ++i)
        rackLamps_[i]->setFrameIndex(picture_.rack[i]);
    for (std::size_t i = 0; i < tubeLamps_.size(); ++i)
        tubeLamps_[i]->setFrameIndex(picture_.tubes[i]);
    for (std::size_t i = 0; i < totals_.size(); ++i)
        totals_[i]->setText(std::to_string(picture_.totals[i]));
}

void LoadOutScreen::showUnlimited(bool on) {
    unlimitedShown_ = on;
    if (on)
        unlimited_->show();
    else
        unlimited_->hide();
    windowInvalidate(window(), nullptr, false);
}

void LoadOutScreen::paint(DeviceContext& dc) {
    NavPage::paint(dc);
    if (!isVisible())
        return;
    PaintRecord record{&dc, {0, 0, kNavPageWidth, kNavPageHeight}};
    for (auto& total : totals_)
        total->paint(record);
    if (!fireControlStations().unlimitedWeapons())
        return;
    for (int i = kLoadOutHatchStep; i <= kLoadOutHatchExtent; i += kLoadOutHatchStep) {
        dc.moveTo({0, i});
        dc.lineTo({i, 0});
        dc.moveTo({i, kLoadOutHatchExtent});
        dc.lineTo({kLoadOutHatchExtent, i});
    }
}

} // namespace q71
