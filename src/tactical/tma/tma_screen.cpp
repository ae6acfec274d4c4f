#include "tactical/tma/tma_screen.h"

#include "framework/app/reporter.h"
#include "framework/app/shell_fonts.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/window/message_queue.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/tma/tma_selection.h"
#include "tactical/tma/tma_solution.h"
#include "tactical/tma/tma_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace q71 {
namespace {

constexpr int kMissingEntryText = 606;
constexpr const char* kSource = "Tma";
constexpr ColorRef kListColour = 0xF800;
constexpr int kListDropHeight = 200; // the box with its list down
constexpr int kRepeatFirstMs = 250;
constexpr int kRepeatIntervalMs = 50;

struct ToggleSpec {
    int id, x, y, width, height;
    const char* bitmap;
};
constexpr std::array<ToggleSpec, 4> kToggles = {{
    {1, 148, 349, 35, 35, "X148Y349.bmp"},
    {2, 148, 391, 35, 25, "X148Y391.bmp"},
    {3, 248, 349, 35, 35, "X248Y349.bmp"},
    {4, 248, 391, 35, 25, "X248Y391.bmp"},
}};
constexpr int kHoldTip = 718;

struct ButtonSpec {
    int id, x, y, width, height;
    const char* bitmap;
    bool repeats;
    int tip; ///< text id, 0 for none
};
constexpr std::array<ButtonSpec, 11> kButtons = {{
    {7, 25, 370, 34, 42, "X025Y370.bmp", false, 719},
    {8, 290, 370, 32, 36, "X290Y370.bmp", false, 720},
    {15, 366, 216, 53, 37, "x366y216.bmp", false, 462},
    {16, 457, 216, 55, 37, "x457y216.bmp", false, 716},
    {17, 368, 254, 33, 34, "X368Y252.bmp", true, 717},
    {9, 365, 90, 34, 35, "X365Y090.bmp", true, 0},
    {10, 365, 125, 35, 35, "X365Y125.bmp", true, 0},
    {11, 434, 105, 31, 38, "X434Y105.bmp", true, 0},
    {12, 497, 105, 32, 37, "X497Y105.bmp", true, 0},
    {13, 465, 75, 34, 35, "X465Y075.bmp", true, 0},
    {14, 465, 140, 33, 28, "X465Y140.bmp", true, 0},
}};

struct TipArea {
    int text;
    Rect area;
};
constexpr std::array<TipArea, 6> kTipAreas = {{
    {459, {413, 7, 469, 18}},
    {460, {397, 63, 484, 75}},
    {461, {392, 181, 490, 192}},
    {462, {400, 286, 481, 297}},
    {463, {399, 345, 484, 356}},
    {464, {120, 325, 234, 336}},
}};

struct ReadOutSpec {
    int x, y, digits;
    const char* format;
    bool angle; ///< degrees: a value that rounds to 360 shows as 0
};
// Bearing, range, course and speed.
constexpr std::array<ReadOutSpec, 4> kSolutionReadOuts = {{{104, 355, 3, "%03.0f", true},
                                                           {76, 395, 5, "%05.0f", false},
                                                           {203, 355, 3, "%03.0f", true},
                                                           {209, 395, 2, "%02.0f", false}}};
constexpr std::array<ReadOutSpec, 4> kContactReadOuts = {{{389, 370, 3, "%03.0f", true},
                                                          {374, 399, 5, "%05.0f", false},
                                                          {470, 370, 3, "%03.0f", true},
                                                          {476, 399, 2, "%02.0f", false}}};
constexpr std::array<ReadOutSpec, 2> kPointerReadOuts = {
    {{376, 34, 3, "%03.0f", true}, {440, 34, 5, "%05.0f", false}}};

constexpr double kMaxRange = 99999.0;

// Shows a value in a readout with the station's format, only when its text changes.
void showValue(ReadOut& readOut, std::string& shown, const ReadOutSpec& spec, double value) {
    if (spec.angle)
        value = std::fmod(std::floor(value + 0.5), 360.0);
    char text[16];
    std::snprintf(text, sizeof text, spec.format, value);
    if (shown == text)
        return;
    shown = text;
    readOut.setValue(std::atoi(text));
}

void blank(ReadOut& readOut, std::string& shown) {
    if (shown.empty())
        return;
    shown.clear();
    readOut.clear();
}

[[noreturn]] void missingEntry(int line) {
    reportFatal(textGetString(kMissingEntryText), line, kSource, 0);
}

} // namespace

TMAScreen::TMAScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : SubScreen(key, parent, width, height, x, y) {
    buildWidgets();
    OwnShipEntity* own = worldOwnSubmarine();
    if (own) {
        own->tmaSources.shown.fill(false);
        own->tmaSources.historyWindow = 5;
    }
    tmaResetState(simClock().gameClock, 5);
}

TMAScreen::~TMAScreen() {
    if (observing_)
        worldRemoveContactObserver(reinterpret_cast<std::uintptr_t>(this));
}

void TMAScreen::buildWidgets() {
    const WindowHandle w = window();
    const bool tips = textToolTipsEnabled();
    for (std::size_t i = 0; i < kToggles.size(); ++i) {
        const ToggleSpec& t = kToggles[i];
        holds_[i] = std::make_unique<ButtonToggle>(w, t.id, t.bitmap, 3, t.x, t.y, t.width, t.height, false);
        holds_[i]->setClickSound("litlbtn.WAV", 1);
        if (tips)
            holds_[i]->setToolTip(textGetString(kHoldTip), appChartFont());
    }
    for (const ButtonSpec& b : kButtons) {
        auto button = std::make_unique<SimpleButton>(w, b.id, b.x, b.y, b.width, b.height, b.bitmap, 2,
                                                     SimpleButton::kPush, false);
        button->setClickSound(b.repeats ? "pushbtn.wav" : "litbtn.WAV", 1);
        if (b.repeats)
            button->setAutoRepeat(kRepeatFirstMs, kRepeatIntervalMs);
        if (tips && b.tip != 0)
            button->setToolTip(textGetString(b.tip), appChartFont());
        buttons_.push_back(std::move(button));
    }
    // The lists load their drop button as they are made.
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup("shared"))
        missingEntry(__LINE__);
    for (int i = 0; i < 2; ++i) {
        lists_[static_cast<std::size_t>(i)] = std::make_unique<SuperListBox>(
            w, kFirstList + i, CBS_DROPDOWNLIST, 361, i == 0 ? 197 : 301, 160, kListDropHeight, nullptr,
            appChartFont(), "pulldwn2.bmp", 13, 13, false, true);
        lists_[static_cast<std::size_t>(i)]->setTextColour(kListColour);
        // Dropped, a list takes the whole height laid out for it, however few contacts it holds.
        messageSend(lists_[static_cast<std::size_t>(i)]->comboWindow(), CB_SETMINVISIBLE, kListDropHeight, 0);
    }
    for (std::size_t i = 0; i < solution_.size(); ++i)
        solution_[i] =
            std::make_unique<TmaReadOut>(w, kBearingReadOut + static_cast<int>(i), kSolutionReadOuts[i].x,
                                         kSolutionReadOuts[i].y, kSolutionReadOuts[i].digits);
    for (std::size_t i = 0; i < contact_.size(); ++i)
        contact_[i] = std::make_unique<LargeReadOut>(w, 0, kContactReadOuts[i].x, kContactReadOuts[i].y,
                                                     kContactReadOuts[i].digits, false, false);
    for (std::size_t i = 0; i < pointer_.size(); ++i)
        pointer_[i] = std::make_unique<LargeReadOut>(w, 0, kPointerReadOuts[i].x, kPointerReadOuts[i].y,
                                                     kPointerReadOuts[i].digits, false, false);
    if (tips)
        for (const TipArea& tip : kTipAreas)
            tips_.push_back(std::make_unique<HotSpot>(w, 0, textGetString(tip.text), CursorHandle{}, tip.area,
                                                      true, appChartFont()));
    plot_ = std::make_unique<TmaPlot>(w, *this, 35, 26);
}

void TMAScreen::open() {
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup("tma") || !background_.load("scrn24.bmp"))
        missingEntry(__LINE__);
    forStationWidgets([](BaseWidget& widget) { widget.loadResources(); });
    if (!grpOpenGroup("shared"))
        missingEntry(__LINE__);
    forSharedWidgets([](BaseWidget& widget) { widget.loadResources(); });

    TmaState& state = tmaState();
    const OwnShipEntity* own = worldOwnSubmarine();
    if (!state.view.centred && own && own->motion) {
        // The first time, the plot and the solution's target start at the own boat.
        state.view.centreX = state.solution.targetX = own->motion->x;
        state.view.centreY = state.solution.targetY = own->motion->y;
        state.solution.lastUpdate = simClock().gameClock;
        state.view.centred = true;
    }
    tmaSelectedContact(); // a contact gone meanwhile is no longer selected
    for (std::size_t i = 0; i < holds_.size(); ++i)
        holds_[i]->setState(state.holds[i] ? 1 : 2);
    plot_->buildMenu(window());
    fillLists();
    worldAddContactObserver(reinterpret_cast<std::uintptr_t>(this), contactNotify);
    observing_ = true;
    solutionTexts_ = {};
    contactTexts_ = {"-", "-", "-", "-"};
    refreshSolutionReadouts();
    refreshContactReadouts();
    plot_->redraw();
}

void TMAScreen::close() {
    // Digits still waiting for their commit are the player's entry: the solution takes them.
    commitPendingDigits();
    background_.free();
    if (observing_)
        worldRemoveContactObserver(reinterpret_cast<std::uintptr_t>(this));
    observing_ = false;
    forStationWidgets([](BaseWidget& widget) { widget.freeResources(); });
    forSharedWidgets([](BaseWidget& widget) { widget.freeResources(); });
    plot_->clearTimerStarted();
}

void TMAScreen::forStationWidgets(const std::function<void(BaseWidget&)>& apply) {
    for (auto& hold : holds_)
        apply(*hold);
    for (auto& button : buttons_)
        apply(*button);
}

void TMAScreen::forSharedWidgets(const std::function<void(BaseWidget&)>& apply) {
    for (auto& readOut : solution_)
        apply(*readOut);
    for (auto& readOut : contact_)
        apply(*readOut);
    for (auto& readOut : pointer_)
        apply(*readOut);
    for (auto& list : lists_)
        apply(*list);
    apply(*plot_);
}

int TMAScreen::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    const auto code = static_cast<std::uint32_t>((wParam >> 16) & 0xFFFF);
    if (id == kFirstList || id == kSecondList) {
        SuperListBox& list = *lists_[static_cast<std::size_t>(id - kFirstList)];
        if (code == CBN_SELCHANGE && list.getCurSel() >= 0) {
            const std::string name = list.getItemText(list.getCurSel());
            if (id == kFirstList)
                selectFirst(name);
            else
                selectSecond(name);
        }
        return 1;
    }
    command(id, static_cast<int>(lParam));
    return 1;
}

void TMAScreen::fillList(int index, const std::string& leaveOut) {
    SuperListBox& list = *lists_[static_cast<std::size_t>(index)];
    TmaState& state = tmaState();
    const std::string& selection = index == 0 ? state.firstText : state.secondText;
    int& selected = index == 0 ? state.firstIndex : state.secondIndex;
    list.resetContent();
    selected = -1;
    const OwnShipEntity* own = worldOwnSubmarine();
    if (!own)
        return;
    for (auto* node = own->contacts.head(); node; node = node->next) {
        const std::string name = worldFormatDesignation(node->item->designation);
        if (name == leaveOut)
            continue;
        const int at = list.addString(name);
        if (!selection.empty() && name == selection) {
            list.setCurSel(at);
            selected = at;
        }
    }
}

void TMAScreen::fillLists() {
    fillList(0, "");
    fillList(1, tmaState().firstText);
}

void TMAScreen::selectFirst(const std::string& name) {
    TmaState& state = tmaState();
    const OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->motion)
        return;
    for (auto* node = own->contacts.head(); node; node = node->next) {
        ContactRecord* contact = node->item;
        if (name != worldFormatDesignation(contact->designation))
            continue;
        state.selected = contact;
        state.firstText = name;
        TmaSolution& s = state.solution;
        s.bearing = contact->bearing;
        s.range = contact->range;
        s.course = contact->course;
        s.speed = contact->speed;
        tmaKeepLimits(s);
        geoProject(own->motion->x, own->motion->y, s.bearing, s.range, s.targetX, s.targetY);
        s.lastUpdate = simClock().gameClock;
        if (state.secondText == name)
            state.secondText.clear();
        fillList(0, "");
        fillList(1, name);
        refreshSolutionReadouts();
        refreshContactReadouts();
        plot_->redraw();
        return;
    }
}

void TMAScreen::selectSecond(const std::string& name) {
    TmaState& state = tmaState();
    state.secondText = name;
    state.secondIndex = lists_[1]->findStringExact(name);
}

void TMAScreen::refreshSolutionReadouts() {
    const TmaSolution& s = tmaState().solution;
    const std::array<double, 4> values = {s.bearing, s.range, s.course, s.speed};
    for (std::size_t i = 0; i < values.size(); ++i) {
        // The plot refreshes the readouts every second while typed digits wait two seconds for
        // their commit: written over, the player's entry would be lost. It stays until it
        // commits; the solution's value is shown again after that, whatever was shown before.
        if (solution_[i]->pending()) {
            solutionTexts_[i].clear();
            continue;
        }
        showValue(*solution_[i], solutionTexts_[i], kSolutionReadOuts[i], values[i]);
    }
}

void TMAScreen::refreshContactReadouts() {
    const ContactRecord* contact = tmaSelectedContact();
    for (std::size_t i = 0; i < contact_.size(); ++i) {
        if (!contact) {
            blank(*contact_[i], contactTexts_[i]);
            continue;
        }
        const std::array<double, 4> values = {contact->bearing, contact->range, contact->course,
                                              contact->speed};
        showValue(*contact_[i], contactTexts_[i], kContactReadOuts[i], values[i]);
    }
}

void TMAScreen::showPointer(double bearing, double rangeYards) {
    pointer_[0]->setValue(static_cast<int>(std::floor(bearing + 0.5)) % 360);
    pointer_[1]->setValue(static_cast<int>(std::floor(std::min(rangeYards, kMaxRange) + 0.5)));
}

void TMAScreen::contactNotify(std::uintptr_t owner, ContactRecord* contact, int flag) {
    reinterpret_cast<TMAScreen*>(owner)->contactsChanged(contact, flag == kWorldEntityDestroyed);
}

void TMAScreen::contactsChanged(ContactRecord* contact, bool removed) {
    const std::string name = worldFormatDesignation(contact->designation);
    TmaState& state = tmaState();
    if (!removed) {
        for (auto& list : lists_)
            list->addString(name);
        return;
    }
    for (auto& list : lists_)
        list->removeString(name);
    if (contact == state.selected) {
        state.selected = nullptr;
        state.firstText.clear();
        state.firstIndex = -1;
        refreshContactReadouts();
    }
    if (name == state.secondText) {
        state.secondText.clear();
        state.secondIndex = -1;
    }
}

} // namespace q71
