#include "tactical/sonar/sonar_page.h"

#include "framework/app/reporter.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/read_out.h"
#include "framework/widgets/simple_button.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/window_dc.h"
#include "tactical/sonar/sonar_label.h"

namespace q71 {

SonarPageScreen::SonarPageScreen(const SonarPageArt& art, WindowHandle suite,
                                 std::span<const SonarHotSpotRow> hotSpots)
    : PageScreen(art.key, suite, 540, 420, 0, 0), art_(art) {
    for (const SonarWidgetRow& row : kSonarPageButtons)
        pageButtons_.add(&addButton(row, SimpleButton::kLatch));
    for (const SonarHotSpotRow& spot : hotSpots)
        hotSpots_.push_back(std::make_unique<HotSpot>(window(), 0, textGetString(spot.text),
                                                      BaseWidget::sharedCursor(), spot.rect, true));
}

SonarPageScreen::~SonarPageScreen() = default;

SimpleButton& SonarPageScreen::addButton(const SonarWidgetRow& row, int kind) {
    auto button = std::make_unique<SimpleButton>(window(), row.id, row.x, row.y, row.width, row.height,
                                                 row.bitmap, row.frames, kind, row.windowed);
    dress(*button, row);
    return add(std::move(button));
}

ButtonToggle& SonarPageScreen::addToggle(const SonarWidgetRow& row) {
    auto widget = std::make_unique<ButtonToggle>(window(), row.id, row.bitmap, row.frames, row.x, row.y, row.width,
                                                 row.height, row.windowed);
    dress(*widget, row);
    return add(std::move(widget));
}

ReadOut& SonarPageScreen::addReadOut(std::unique_ptr<ReadOut> readout) {
    ReadOut& held = *readout;
    readOuts_.push_back(std::move(readout));
    return held;
}

void SonarPageScreen::dress(BaseWidget& widget, const SonarWidgetRow& row) {
    if (row.sound)
        widget.setClickSound(row.sound, 1);
    if (row.toolTip >= 0 && textToolTipsEnabled())
        widget.setToolTip(textGetString(row.toolTip));
}

void SonarPageScreen::missing() const {
    reportFatal(textGetString(kSonarMissingText), __LINE__, art_.source, 1);
}

void SonarPageScreen::open() {
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup(art_.group))
        missing();
    if (!background_.load(art_.background))
        missing();
    for (auto& widget : widgets_)
        widget->loadResources();
    grpOpenGroup(kSonarSharedGroup);
    for (auto& readout : readOuts_)
        readout->loadResources();
    openPage();
    pageButtons_.selectIndex(sonarState().currentPage);
}

void SonarPageScreen::close() {
    closePage();
    background_.free();
    for (auto& widget : widgets_)
        widget->freeResources();
    for (auto& readout : readOuts_)
        readout->freeResources();
}

void SonarPageScreen::paint(DeviceContext& dc) {
    PageScreen::paint(dc);
    if (isVisible())
        drawLabel(dc);
}

void SonarPageScreen::showLabel(const std::string& label) {
    label_ = label;
    if (!isVisible())
        return;
    if (auto dc = getWindowDC(window()))
        drawLabel(*dc);
}

void SonarPageScreen::drawLabel(DeviceContext& dc) const {
    // A page that clears the label's slot draws only the letters: the slot is lower than the
    // font's cell, whose ground would show above and below it.
    if (!labelClear_.isEmpty())
        dc.fillRect(labelClear_, createSolidBrush(kSonarBackground));
    sonarDrawLabel(dc, labelX_, labelY_, label_, kSonarFont, labelClear_.isEmpty());
}

int SonarPageScreen::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    if (id >= 0 && id < kSonarPageCount)
        return 0;
    return pageCommand(id, static_cast<int>(lParam));
}

} // namespace q71
