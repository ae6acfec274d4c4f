// The stadimeter page: ship types, range, angle on the bow and the report.
#include "tactical/stadimeter/stadimeter_screen.h"

#include "framework/app/reporter.h"
#include "framework/app/shell_fonts.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/text_panel.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/text_format.h"
#include "platform/window/keyboard.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "tactical/stadimeter/silhouette_view.h"
#include "tactical/stadimeter/stadimeter_image.h"
#include "tactical/stadimeter/stadimeter_panel.h"

namespace q71 {
namespace {

constexpr int kMissingText = 606;
constexpr const char* kSource = "Stadimeter";
constexpr double kZoomStep = 1.25;
constexpr std::uint8_t kReportQuality = 95;

[[noreturn]] void missing(int line) {
    reportFatal(textGetString(kMissingText), line, kSource, 1);
}

bool shiftHeld() {
    return keyGetAsyncState(VK_SHIFT) < 0;
}

std::string text(int id) {
    const char* s = textGetString(id);
    return s ? s : "";
}

std::unique_ptr<TextPanel> readout(WindowHandle parent, const Rect& at, int font, unsigned format) {
    auto panel = std::make_unique<TextPanel>(parent, at.left, at.top, at.width(), at.height());
    panel->setBackgroundColour(rgb(24, 24, 24));
    panel->setTextColour(rgb(200, 255, 200));
    panel->setFont(appInterfaceFont(font));
    panel->setTextFormat(format);
    return panel;
}

} // namespace

StadimeterScreen::StadimeterScreen(std::string_view key, WindowHandle suite, int width, int height, int x, int y)
    : PageScreen(key, suite, width, height, x, y) {
    buildShipTypes();
    image_ = std::make_unique<StadimeterImage>(window(), kStadimeterImageRect.left, kStadimeterImageRect.top,
                                               kStadimeterImageRect.width(), kStadimeterImageRect.height());
    silhouette_ = std::make_unique<SilhouetteView>(
        "silhouette", window(), kStadimeterSilhouetteRect.left, kStadimeterSilhouetteRect.top,
        kStadimeterSilhouetteRect.width(), kStadimeterSilhouetteRect.height(),
        shipTypes_.empty() ? std::string_view{} : std::string_view(shipTypes_.front().key));
    constexpr unsigned kRight = kDtRight | kDtVCenter | kDtSingleLine;
    shipLabel_ = readout(window(), kStadimeterShipLabel, 1, kDtCenter | kDtVCenter | kDtSingleLine);
    mastReadout_ = readout(window(), kStadimeterMastReadout, 2, kRight);
    aspectReadout_ = readout(window(), kStadimeterAspectReadout, 2, kRight);
    rangeReadout_ = readout(window(), kStadimeterRangeReadout, 2, kRight);
    buildControls();
}

StadimeterScreen::~StadimeterScreen() {
    StadimeterScreen::close();
}

void StadimeterScreen::buildShipTypes() {
    std::vector<StadimeterRecord> records;
    for (int i = 0; i < objdbCount(); ++i)
        if (const ObjectRecord* r = objdbGetByIndex(i))
            records.push_back({r->keyName.view(), r->displayName.view(), r->mastHeight});
    shipTypes_ = stadimeterShipTypes(
        {{"Burke", text(kStadimeterBurkeText)}, {"Merchant", text(kStadimeterMerchantText)}}, records);
}

void StadimeterScreen::buildControls() {
    for (const StadimeterButtonRow& b : kStadimeterButtons) {
        const StationControlRow& r = b.row;
        const bool page = r.id == 0 || r.id == 1;
        auto button = std::make_unique<SimpleButton>(window(), r.id, r.x, r.y, r.width, r.height, r.bitmap, r.frames,
                                                     page ? SimpleButton::kLatch : SimpleButton::kPush, false);
        if (b.repeat)
            button->setAutoRepeat(kStadimeterRepeatDelay, kStadimeterRepeatInterval);
        if (b.sound)
            button->setClickSound(b.sound, 1);
        if (b.toolTip >= 0 && (b.alwaysTip || textToolTipsEnabled()))
            button->setToolTip(textGetString(b.toolTip));
        if (page)
            pageChoice_.add(button.get());
        buttons_.push_back(std::move(button));
    }
    if (textToolTipsEnabled())
        for (const StadimeterLabel& label : kStadimeterLabels)
            hotSpots_.push_back(std::make_unique<HotSpot>(window(), static_cast<int>(hotSpots_.size()),
                                                          textGetString(label.text), BaseWidget::sharedCursor(),
                                                          label.rect, true));
}

void StadimeterScreen::open() {
    if (!loaded_) {
        selectType();
        grpSetFolder(graphicsInstallPath);
        if (!grpOpenGroup(kStadimeterGroup))
            missing(__LINE__);
        if (!background_.load(kStadimeterBackground))
            missing(__LINE__);
        for (auto& button : buttons_)
            button->loadResources();
        image_->loadResources();
        silhouette_->createScene();
        loaded_ = true;
    }
    pageChoice_.selectIndex(1);
}

void StadimeterScreen::close() {
    if (!loaded_)
        return;
    background_.free();
    for (auto& button : buttons_)
        button->freeResources();
    killModelTimer();
    silhouette_->unloadModel();
    image_->freeResources();
    silhouette_->destroyScene();
    loaded_ = false;
}

void StadimeterScreen::update() {
    if (isVisible())
        silhouette_->render();
}

void StadimeterScreen::onShow() {
    silhouette_->show();
}

void StadimeterScreen::onHide() {
    silhouette_->hide();
}

void StadimeterScreen::takePicture(DeviceContext& picture, int width, int height,
                                   const StadimeterPictureValues& values) {
    image_->setPicture(picture, width, height);
    values_ = values;
    recomputeRange();
}

void StadimeterScreen::resetPicture() {
    image_->clear();
    recomputeRange();
}

void StadimeterScreen::selectType() {
    if (currentType_ < 0 || currentType_ >= static_cast<int>(shipTypes_.size()))
        return;
    const StadimeterShipType& type = shipTypes_[static_cast<std::size_t>(currentType_)];
    const ObjectRecord* record = objdbFindByName(type.key);
    mastHeight_ = record ? record->mastHeight : 0.0;
    shipLabel_->setText(type.label);
    mastText_ = stadimeterMastText(mastHeight_);
    mastReadout_->setText(mastText_);
    recomputeAspect();
    recomputeRange();
    silhouette_->unloadModel();
    // The model loads once the choice has rested for a moment.
    killModelTimer();
    modelTimer_ = timerSet(window(), kModelTimer, kModelDelayMs);
}

void StadimeterScreen::stepType(int step) {
    const int count = static_cast<int>(shipTypes_.size());
    if (count == 0)
        return;
    currentType_ = (currentType_ + step + count) % count;
    selectType();
}

void StadimeterScreen::killModelTimer() {
    if (modelTimer_ != 0)
        timerKill(window(), modelTimer_);
    modelTimer_ = 0;
}

LResult StadimeterScreen::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_TIMER && modelTimer_ != 0 && wParam == modelTimer_) {
        killModelTimer();
        if (currentType_ >= 0 && currentType_ < static_cast<int>(shipTypes_.size()))
            silhouette_->setShip(shipTypes_[static_cast<std::size_t>(currentType_)].key);
        return 0;
    }
    return PageScreen::handleMessage(window, message, wParam, lParam);
}

void StadimeterScreen::recomputeRange() {
    range_ = shipTypes_.empty() ? std::nullopt
                                : stadimeterRange(image_->split(), image_->pictureHeight(), values_.fieldOfView,
                                                  mastHeight_);
    rangeText_ = stadimeterRangeText(range_);
    rangeReadout_->setText(rangeText_);
}

const std::string& StadimeterScreen::aspectWord(int which) {
    if (!aspectWordsRead_) {
        aspectWords_ = {text(kStadimeterPortText), text(kStadimeterStarboardText)};
        aspectWordsRead_ = true;
    }
    return aspectWords_[static_cast<std::size_t>(which)];
}

void StadimeterScreen::recomputeAspect() {
    aspectText_ = stadimeterAspectText(silhouette_->yaw(), aspectWord(0), aspectWord(1));
    aspectReadout_->setText(aspectText_);
}

int StadimeterScreen::onCommand(WParam wParam, LParam) {
    return command(static_cast<int>(wParam & 0xFFFF)) ? 1 : 0;
}

bool StadimeterScreen::command(int id) {
    const int step = shiftHeld() ? 10 : 1;
    switch (id) {
    case kStadimeterSplitDown:
    case kStadimeterSplitUp:
        image_->setSplit(image_->split() + (id == kStadimeterSplitUp ? step : -step));
        recomputeRange();
        return true;
    case kStadimeterPreviousType:
        stepType(-1);
        return true;
    case kStadimeterNextType:
        stepType(1);
        return true;
    case kStadimeterYawLeft:
    case kStadimeterYawRight:
        silhouette_->setYaw(silhouette_->yaw() + (id == kStadimeterYawRight ? 5 : -5) * (step == 10 ? 5 : 1));
        recomputeAspect();
        return true;
    case kStadimeterZoomIn:
        silhouette_->zoomIn(kZoomStep);
        return true;
    case kStadimeterZoomOut:
        silhouette_->zoomOut(kZoomStep);
        return true;
    case kStadimeterReport:
        report();
        return true;
    case 11:
        return true;
    default:
        return false;
    }
}

void StadimeterScreen::report() {
    auto* own = worldOwnSubmarine();
    if (!range_ || !own)
        return;
    // The course is the ship's heading as the silhouette shows it, seen along the bearing.
    own->registerContact(kSensorVisual9, values_.pickedId, values_.trueBearing, *range_ * kStadimeterRangeFactor,
                         stadimeterFullTurn(silhouette_->yaw() + values_.trueBearing), -1.0, kReportQuality);
}

} // namespace q71
