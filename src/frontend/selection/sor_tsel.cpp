#include "frontend/selection/sor_tsel.h"

#include "framework/app/key_matching.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/movie/indy_screen.h"
#include "frontend/screen_art.h"
#include "frontend/selection/selection_layout.h"
#include "frontend/stateroom/saved_mission_file.h"
#include "platform/msgbox/message_box.h"
#include "platform/window/window_paint.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/player_roster.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"

#include <algorithm>
#include <utility>

namespace q71 {
namespace {

enum ControlId : int {
    kStartId = 1,
    kBackId = 2,
    kListId = 3, // and kListId + 1 when a row is chosen
    kResumeId = 5,
};

constexpr int kEscape = 27;
// The own boat of a single player: no network side.
constexpr std::int32_t kSinglePlayer = -1;

constexpr int kTitleTexts = 2310; // + mode - 1
constexpr int kListLabelText = 2313;
constexpr int kBriefingLabelText = 2314;
constexpr int kRecordText = 2317;
constexpr int kNeverCompletedText = 2318;
constexpr int kLegRowText = 2319;
constexpr int kMissionCaptionText = 2320;
constexpr int kReplayQuestionText = 2321;
constexpr int kNotOpenText = 2323;
constexpr int kNoMissionText = 2324;

} // namespace

SorTsel::SorTsel(WindowHandle parent, std::int32_t mode)
    : FrontEndScreen(mode == kMissionModeCampaign ? "campaignSelection" : "missionSelection", parent),
      mode_(mode) {}

SorTsel::~SorTsel() = default;

void SorTsel::open() {
    using namespace selection_layout;
    frontEndSelectGroup(kSelectionGroup);
    frontEndLoadBackground(background_);
    list_ = std::make_unique<GlassList>(window_, kListId, kListGlass);
    list_->takeKeys();
    start_ = frontEndPushButton(window_, kStartId, kStartX, kButtonY, kButtonWidth, kButtonHeight);
    back_ = frontEndPushButton(window_, kBackId, kBackX, kButtonY, kButtonWidth, kButtonHeight);
    resume_ = frontEndPushButton(window_, kResumeId, kResumeX, kButtonY, kButtonWidth, kButtonHeight);
    resume_->setEnabled(savedMissionExists(mode_));

    std::vector<std::string> rows;
    std::vector<bool> dimmed;
    if (mode_ == kMissionModeCampaign) {
        const CampaignHeader& header = campaign().header;
        set_ = header.missionSet;
        missions_ = missionCatalogue(mode_, set_);
        // The campaign plays its legs' missions; the set's later ones are not its own.
        missions_.resize(std::min(missions_.size(), static_cast<std::size_t>(campaign().totalMissions)));
        // Each row is numbered by its leg and its place in the leg ("Étape 1.3"): a leg holds
        // several missions, and no two rows may read alike.
        std::vector<std::pair<int, int>> placeOf;
        for (int leg = 0; leg < header.legCount; ++leg)
            for (int place = 1; place <= header.legMissions[static_cast<std::size_t>(leg)]; ++place)
                placeOf.emplace_back(leg + 1, place);
        for (const MissionListing& mission : missions_) {
            const auto [leg, place] = placeOf[static_cast<std::size_t>(mission.index)];
            char row[256];
            textFormat(row, kLegRowText, leg, place, mission.name.c_str());
            rows.emplace_back(row);
            dimmed.push_back(locked(mission));
        }
    } else {
        set_ = 0;
        missions_ = missionCatalogue(mode_, set_);
        for (const MissionListing& mission : missions_)
            rows.push_back(mission.name);
    }
    list_->setRows(std::move(rows), std::move(dimmed));
    // The list opens on the mission a player would play next.
    list_->select(mode_ == kMissionModeCampaign
                      ? std::min<int>(campaignNext(), static_cast<int>(missions_.size()) - 1)
                      : 0);
    showSelection();
}

void SorTsel::close() {
    list_.reset();
    start_.reset();
    back_.reset();
    resume_.reset();
    background_.free();
}

std::int32_t SorTsel::campaignNext() const {
    if (mode_ != kMissionModeCampaign)
        return -1;
    const PlayerRecord* record = playerRecord();
    return record && set_ >= 0 && set_ < kMissionSets ? record->progress[static_cast<std::size_t>(set_)] : 0;
}

bool SorTsel::locked(const MissionListing& mission) const {
    return mode_ == kMissionModeCampaign && mission.index > campaignNext();
}

const MissionListing* SorTsel::selectedMission() const {
    const int row = list_ ? list_->selected() : -1;
    return row >= 0 && row < static_cast<int>(missions_.size()) ? &missions_[static_cast<std::size_t>(row)]
                                                                : nullptr;
}

void SorTsel::showSelection() {
    const MissionListing* mission = selectedMission();
    briefing_ = mission ? scenReadBriefing(mission->file).value_or("") : "";
    // A mission that cannot be started leaves its button dead.
    start_->setEnabled(mission && !locked(*mission));
    windowInvalidate(window_, nullptr, false);
}

std::string SorTsel::recordLine() const {
    const MissionListing* mission = selectedMission();
    if (!mission)
        return {};
    const MissionRecordEntry entry = missionRecordEntry(mode_, set_, *mission);
    if (!entry.score)
        return textCopy(kNeverCompletedText);
    char line[256];
    textFormat(line, kRecordText, *entry.score, entry.grade.value_or(0));
    return line;
}

void SorTsel::paint(DeviceContext& dc) {
    using namespace selection_layout;
    FrontEndScreen::paint(dc);
    glassTitle(dc, kTitle, textCopy(kTitleTexts + std::clamp(mode_, 1, 3) - 1));
    glassLine(dc, kListLabel, textCopy(kListLabelText), kLabelFont, glass_colours::kLabel);
    glassLine(dc, kBriefingLabel, textCopy(kBriefingLabelText), kLabelFont, glass_colours::kLabel);
    const MissionListing* mission = selectedMission();
    if (!mission) {
        glassParagraph(dc, kDescriptionGlass.inflatedBy(-8, -6), textCopy(kNoMissionText), kTextFont,
                       glass_colours::kAmber);
        return;
    }
    glassParagraph(dc, kDescriptionGlass.inflatedBy(-8, -6), mission->description, kTextFont,
                   glass_colours::kPhosphor);
    glassParagraph(dc, kRecordGlass.inflatedBy(-8, -6), recordLine(), kTextFont, glass_colours::kAmber);
    if (locked(*mission))
        glassParagraph(dc, kBriefingGlass.inflatedBy(-10, -8), textCopy(kNotOpenText), kTextFont,
                       glass_colours::kAmber);
    else
        glassParagraph(dc, kBriefingGlass.inflatedBy(-10, -8), briefing_, kTextFont,
                       glass_colours::kPhosphor);
}

int SorTsel::onCommand(WParam wParam, LParam lParam) {
    switch (static_cast<int>(wParam)) {
    case kStartId:
    case kListId + 1:
        startSelected();
        return 1;
    case kBackId:
        leave();
        return 1;
    case kResumeId:
        resumeSaved();
        return 1;
    case kListId:
        showSelection();
        return 1;
    default:
        return FrontEndScreen::onCommand(wParam, lParam);
    }
}

int SorTsel::onKey(int key, int category) {
    if (!list_)
        return 0;
    if (category == kKeyChar && key == '\r') {
        startSelected();
        return 1;
    }
    if (category == kKeyChar && key == kEscape) {
        leave();
        return 1;
    }
    return 0;
}

bool SorTsel::confirmReplay() {
    return messageBox(window_, textCopy(kReplayQuestionText), textCopy(kMissionCaptionText),
                      kMbYesNo | kMbIconQuestion) == kIdYes;
}

bool SorTsel::startSelected() {
    // A second start while one runs (its progress box pumps the queue) waits for the first.
    if (starting_)
        return false;
    const MissionListing* selected = selectedMission();
    if (!selected)
        return false;
    const MissionListing mission = *selected;
    if (locked(mission))
        return false;
    if (mode_ == kMissionModeCampaign && missionRecordEntry(mode_, set_, mission).score && !confirmReplay())
        return false;
    starting_ = true;
    appHoldQuit(true);
    missionState().missionMode = mode_;
    missionState().missionIndex = mission.index;
    appCursorMode(window_, 2);
    simSetupOwnShip(kSinglePlayer);
    const ScenarioStatus status = simStartMission(mission.file, mode_);
    appCursorMode(window_, 3);
    if (!status.ok()) {
        messageBox(window_, scenarioErrorMessage(status, mission.file), textCopy(kMissionCaptionText),
                   kMbOk | kMbIconExclamation);
        starting_ = false;
        appHoldQuit(false);
        return false;
    }
    // A campaign mission opens on its movies, which then bring the host up.
    if (mode_ == kMissionModeCampaign && screenCreate(kSlotIndy, kIndyBriefing)) {
        screenSwitch(kSlotIndy);
    } else {
        screenCreateGenInfo();
        screenSwitch(kSlotGenInfo);
    }
    starting_ = false;
    screenDestroyLater(kSlotMissionSelection);
    // A quit asked during the start is asked now, over the running mission.
    appHoldQuit(false);
    return true;
}

bool SorTsel::resumeSaved() {
    if (starting_ || !savedMissionExists(mode_))
        return false;
    starting_ = true;
    appHoldQuit(true);
    const bool resumed = savedMissionResume(mode_);
    starting_ = false;
    if (resumed)
        screenDestroyLater(kSlotMissionSelection);
    appHoldQuit(false);
    return resumed;
}

void SorTsel::leave() {
    screenSwitch(kSlotMainMenu);
    screenDestroyLater(kSlotMissionSelection);
}

} // namespace q71
