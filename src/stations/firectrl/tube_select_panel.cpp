#include "stations/firectrl/tube_select_panel.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/static_text.h"
#include "framework/widgets/super_list_box.h"
#include "platform/gdi/colour.h"
#include "platform/window/window_paint.h"
#include "sim/entities/contact_record.h"
#include "sim/entities/entity.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_display.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/fire_readouts.h"
#include "stations/firectrl/fire_panel.h"
#include "stations/firectrl/launcher.h"
#include "stations/firectrl/view_label.h"
#include "stations/nav/nav_layout.h"

namespace q71 {
namespace {

constexpr int kNoTarget = 198;
constexpr int kReady = 199;
constexpr int kNoContact = 351;
constexpr int kTitle = 197;
constexpr LParam kNoContactData = -1;

constexpr int kCellButtons = 1300;
constexpr int kTubeButtons = 1400;
constexpr int kNumberSize = 23;
constexpr int kSelectHeight = 14;
constexpr int kWireWidth = 18;
constexpr int kSelectBelow = 23;
constexpr int kLabelBelow = 37;
constexpr int kCellColumnStep = 43;
constexpr int kCellRowStep = 60;
// The tubes stand at fixed places of the page, numbered 2, 1 / 4, 3.
constexpr Point kTubeSpots[] = {{384, 242}, {466, 242}, {384, 302}, {466, 302}};
constexpr Point kTitleAt{376, 24};

// The button states of a launcher: 1 ready, 2 not.
constexpr int kLit = 1;
constexpr int kDark = 2;


// The item data of the selector's chosen entry: a contact's shown number, or none.
LParam chosenData(const SuperListBox& selector) {
    const int chosen = selector.getCurSel();
    return chosen >= 0 ? selector.getItemData(chosen) : kNoContactData;
}

std::string numberBitmap(int number) {
    return std::to_string(number) + ".bmp";
}

Launcher* tableTubeEntry(int index) {
    const auto tables = launcherTables();
    return tables ? static_cast<Launcher*>(tables->tubes[static_cast<std::size_t>(index)]) : nullptr;
}

} // namespace

TubeSelectPanel::TubeSelectPanel(WindowHandle page, int x, int y, FirePanel& firePanel, SuperListBox& selector)
    : firePanel_(firePanel), selector_(&selector) {
    const auto button = [&](int id, int bx, int by, int width, int height, const std::string& bitmap, int kind) {
        buttons_.push_back(
            std::make_unique<SimpleButton>(page, id, bx, by, width, height, bitmap, 2, kind, false));
        buttons_.back()->hide();
        return buttons_.back().get();
    };
    const auto tables = launcherTables();
    for (int k = 0; k < kVlsCellCount; ++k) {
        const int cx = x + kCellColumnStep * (k % 4);
        const int cy = y + kCellRowStep * (k / 4);
        const int number = tables ? tables->cells[static_cast<std::size_t>(k)]->number() : 0;
        cellButtons_.push_back(button(kCellButtons + k, cx, cy, kNumberSize, kNumberSize, numberBitmap(number),
                                      SimpleButton::kLatch));
        cellButtons_.back()->setEnabled(false);
        button(kFireCmdCellViews + k, cx, cy + kSelectBelow, kNumberSize, kSelectHeight, "pcrt.bmp", SimpleButton::kPush);
        cellLabels_.push_back(makeViewLabel(page, cx + kNumberSize / 2, cy + kLabelBelow, textGetString(kNoTarget), StaticText::kAlignCentre));
    }
    for (int i = 0; i < kTorpedoTubeCount; ++i) {
        const Point at = kTubeSpots[i];
        const int number = tables ? tables->tubes[static_cast<std::size_t>(i)]->number() : 0;
        tubeButtons_.push_back(button(kTubeButtons + i, at.x, at.y, kNumberSize, kNumberSize, numberBitmap(number),
                                      SimpleButton::kLatch));
        tubeButtons_.back()->setEnabled(false);
        tubeLabels_.push_back(
            makeViewLabel(page, at.x + (kNumberSize + kWireWidth) / 2, at.y + kLabelBelow,
                          textGetString(kNoTarget), StaticText::kAlignCentre));
        button(kFireCmdTubeViews + i, at.x, at.y + kSelectBelow, kNumberSize, kSelectHeight, "pcrt.bmp",
               SimpleButton::kPush);
        button(kFireCmdWireViews + i, at.x + kNumberSize, at.y, kWireWidth, kNumberSize, "w.bmp", SimpleButton::kPush);
    }
    title_ = makeViewLabel(page, kTitleAt.x, kTitleAt.y, textGetString(kTitle));
}

TubeSelectPanel::~TubeSelectPanel() = default;

void TubeSelectPanel::show() {
    for (auto& button : buttons_)
        button->show();
    for (auto& label : cellLabels_)
        label->show();
    for (auto& label : tubeLabels_)
        label->show();
    title_->show();
    selector_->show();
    shown_ = true;
}

void TubeSelectPanel::hide() {
    for (auto& button : buttons_)
        button->hide();
    for (auto& label : cellLabels_)
        label->hide();
    for (auto& label : tubeLabels_)
        label->hide();
    title_->hide();
    selector_->hide();
    shown_ = false;
}

void TubeSelectPanel::loadResources() {
    refresh(false);
    for (auto& button : buttons_)
        button->loadResources();
}

void TubeSelectPanel::freeResources() {
    for (auto& button : buttons_)
        button->freeResources();
}

void TubeSelectPanel::paint(DeviceContext& dc) {
    PaintRecord record{&dc, {0, 0, kNavPageWidth, kNavPageHeight}};
    title_->paint(record);
    for (auto& label : cellLabels_)
        label->paint(record);
    for (auto& label : tubeLabels_)
        label->paint(record);
}

std::vector<const StaticText*> TubeSelectPanel::shownLabels() const {
    std::vector<const StaticText*> labels;
    if (!shown_)
        return labels;
    labels.push_back(title_.get());
    for (const auto& label : cellLabels_)
        labels.push_back(label.get());
    for (const auto& label : tubeLabels_)
        labels.push_back(label.get());
    return labels;
}

void TubeSelectPanel::onContactSelected() {
    // The designation is the entry's item data, never read back from its text.
    if (const LParam data = chosenData(*selector_); data != kNoContactData)
        fireHighlightContact(static_cast<std::int32_t>(data));
    refresh(!selector_->getText().empty());
}

int TubeSelectPanel::onCommand(int id, int notification) {
    if (!shown_ || id < kTubeButtons || id >= kTubeButtons + kTorpedoTubeCount)
        return 0;
    const int i = id - kTubeButtons;
    const std::string text = selector_->getText().substr(0, 255);
    if (notification == 1) {
        tubeLabels_[static_cast<std::size_t>(i)]->setText(text);
        if (const LParam data = chosenData(*selector_); data != kNoContactData) {
            fireHighlightContact(static_cast<std::int32_t>(data));
            firePanel_.assignTubeTarget(i, static_cast<std::int32_t>(data), text);
        } else if (text == textGetString(kNoContact)) {
            firePanel_.assignTubeTarget(i, -1, text);
        }
    } else {
        tubeLabels_[static_cast<std::size_t>(i)]->setText(textGetString(kNoTarget));
        firePanel_.assignTubeTarget(i, kTargetNotAssigned, textGetString(kNoTarget));
    }
    return 0;
}

void TubeSelectPanel::refresh(bool enableTubes) {
    for (int k = 0; k < kVlsCellCount; ++k) {
        SimpleButton& button = *cellButtons_[static_cast<std::size_t>(k)];
        button.setEnabled(false);
        const bool ready = FirePanel::isCellReady(k);
        button.setState(ready ? kLit : kDark);
        cellLabels_[static_cast<std::size_t>(k)]->setText(textGetString(ready ? kReady : kNoTarget));
    }
    for (int i = 0; i < kTorpedoTubeCount; ++i) {
        Launcher* tube = tableTubeEntry(i);
        if (!tube)
            continue;
        StaticText& label = *tubeLabels_[static_cast<std::size_t>(i)];
        SimpleButton& button = *tubeButtons_[static_cast<std::size_t>(i)];
        const bool ready = FirePanel::isTubeReady(i);
        if (ready && tube->target != -1) {
            if (const ContactRecord* contact = launcherFindContact(tube->target)) {
                label.setText(fireFormatDesignation(*contact));
            } else {
                // The contact is gone: so is the target.
                label.setText(textGetString(kNoTarget));
                button.setState(kDark);
                tube->target = kTargetNotAssigned;
            }
        } else if (tube->target == -1) {
            label.setText(textGetString(kNoContact));
        }
        const bool routed = tube->weaponType() == kWeaponTomahawk || tube->weaponType() == kWeaponSlmm;
        button.setEnabled(enableTubes && !routed);
        if (FirePanel::isTubeReady(i)) {
            button.setState(kLit);
            if (routed)
                label.setText(textGetString(kReady));
        } else {
            label.setText(textGetString(kNoTarget));
            button.setState(kDark);
        }
    }
}

} // namespace q71
