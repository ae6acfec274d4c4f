#include "stations/firectrl/tube_select_panel.h"

#include "framework/app/shell_fonts.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/static_text.h"
#include "framework/widgets/super_list_box.h"
#include "platform/controls/control_styles.h"
#include "platform/gdi/colour.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"
#include "sim/entities/contact_record.h"
#include "sim/entities/entity.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_layout.h"
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
constexpr int kCellViews = 1500;
constexpr int kTubeViews = 1600;
constexpr int kWireViews = 1700;
constexpr int kSelectorId = 1900;
constexpr int kNumberSize = 23;
constexpr int kSelectHeight = 14;
constexpr int kWireWidth = 18;
constexpr int kSelectBelow = 23;
constexpr int kLabelBelow = 37;
constexpr int kCellColumnStep = 43;
constexpr int kCellRowStep = 60;
// The tubes stand at fixed places of the page, numbered 2, 1 / 4, 3.
constexpr Point kTubeSpots[] = {{384, 242}, {466, 242}, {384, 302}, {466, 302}};
constexpr Point kSelectorAt{376, 39};
constexpr int kSelectorWidth = 130;
constexpr int kSelectorDrop = 200;
constexpr int kSelectorButtonWidth = 18;
constexpr int kSelectorButtonHeight = 20;
constexpr Point kTitleAt{376, 24};

// The button states of a launcher: 1 ready, 2 not.
constexpr int kLit = 1;
constexpr int kDark = 2;


std::string numberBitmap(int number) {
    return std::to_string(number) + ".bmp";
}

Launcher* tableTubeEntry(int index) {
    const auto tables = launcherTables();
    return tables ? static_cast<Launcher*>(tables->tubes[static_cast<std::size_t>(index)]) : nullptr;
}

} // namespace

void fireFillContactList(SuperListBox& selector) {
    selector.resetContent();
    selector.setItemData(selector.addString(textGetString(kNoContact)), kNoContactData);
    Entity* ownShip = worldOwnShip();
    if (!ownShip)
        return;
    ContactList& contacts = ownShip->contacts;
    contacts.saveCursor();
    for (ContactRecord* contact = contacts.rewind(); contact; contact = contacts.advance()) {
        const std::int32_t number = contactShownNumber(contact->designation);
        if (number != 0)
            selector.setItemData(selector.addString(fireFormatDesignation(*contact)), number);
    }
    contacts.restoreCursor();
}

std::string fireFormatDesignation(const ContactRecord& contact) {
    return worldFormatDesignation(contact.designation);
}

TubeSelectPanel::TubeSelectPanel(WindowHandle page, int x, int y, FirePanel& firePanel,
                                 std::function<void(std::int32_t)> highlight)
    : firePanel_(firePanel), highlight_(std::move(highlight)) {
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
        button(kCellViews + k, cx, cy + kSelectBelow, kNumberSize, kSelectHeight, "pcrt.bmp", SimpleButton::kPush);
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
        button(kTubeViews + i, at.x, at.y + kSelectBelow, kNumberSize, kSelectHeight, "pcrt.bmp",
               SimpleButton::kPush);
        button(kWireViews + i, at.x + kNumberSize, at.y, kWireWidth, kNumberSize, "w.bmp", SimpleButton::kPush);
    }
    title_ = makeViewLabel(page, kTitleAt.x, kTitleAt.y, textGetString(kTitle));
    // The selector loads its drop button as it is made.
    grpSetFolder(graphicsInstallPath);
    grpOpenGroup(kFireGroup);
    selector_ = std::make_unique<SuperListBox>(
        page, kSelectorId, WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT,
        kSelectorAt.x, kSelectorAt.y, kSelectorWidth, kSelectorDrop, nullptr, appChartFont(), "cbcrt.bmp",
        kSelectorButtonWidth, kSelectorButtonHeight, false, false);
    selector_->setTextColour(kViewGreen);
    selector_->setFrameColour(kViewGreen);
    selector_->hide();
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
    fireFillContactList(*selector_);
    for (auto& button : buttons_)
        button->loadResources();
    selector_->loadResources();
}

void TubeSelectPanel::freeResources() {
    for (auto& button : buttons_)
        button->freeResources();
    selector_->freeResources();
}

void TubeSelectPanel::paint(DeviceContext& dc) {
    PaintRecord record{&dc, {0, 0, kNavPageWidth, kNavPageHeight}};
    title_->paint(record);
    for (auto& label : cellLabels_)
        label->paint(record);
    for (auto& label : tubeLabels_)
        label->paint(record);
}

void TubeSelectPanel::onContactSelected() {
    const int chosen = selector_->getCurSel();
    const LParam data = chosen >= 0 ? selector_->getItemData(chosen) : kNoContactData;
    if (data != kNoContactData && highlight_)
        highlight_(static_cast<std::int32_t>(data));
    refresh(!selector_->getText().empty());
}

int TubeSelectPanel::onCommand(int id, int notification) {
    if (!shown_ || id < kTubeButtons || id >= kTubeButtons + kTorpedoTubeCount)
        return 0;
    const int i = id - kTubeButtons;
    const std::string text = selector_->getText().substr(0, 255);
    if (notification == 1) {
        tubeLabels_[static_cast<std::size_t>(i)]->setText(text);
        const int chosen = selector_->getCurSel();
        const LParam data = chosen >= 0 ? selector_->getItemData(chosen) : kNoContactData;
        if (data != kNoContactData) {
            if (highlight_)
                highlight_(static_cast<std::int32_t>(data));
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
