// The TMA station's commands: holds, the view, the solution stored, the contacts merged, split
// and deleted, the sources and the history window of the plot's menu, and the typed values.
#include "tactical/tma/tma_screen.h"

#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/tma/tma_contacts.h"
#include "tactical/tma/tma_selection.h"
#include "tactical/tma/tma_solution.h"
#include "tactical/tma/tma_state.h"

#include <array>

namespace q71 {
namespace {

// The history items' windows, in units of 120 s: 10 and 20 minutes, one hour and four hours.
constexpr std::array<int, 4> kHistoryWindows = {5, 10, 30, 120};

ContactRecord* contactNamed(const OwnShipEntity& own, const std::string& name) {
    if (name.empty())
        return nullptr;
    for (auto* node = own.contacts.head(); node; node = node->next)
        if (name == worldFormatDesignation(node->item->designation))
            return node->item;
    return nullptr;
}

} // namespace

void TMAScreen::command(int id, int value) {
    if (id >= kBearingHold && id <= kSpeedHold) {
        bool& hold = tmaState().holds[static_cast<std::size_t>(id - kBearingHold)];
        // The switch reports where it came to rest: 1 lit, 2 off.
        hold = value == 1 ? true : value == 2 ? false : !hold;
    } else if (id == kCentre || id == kZoomIn || id == kZoomOut || (id >= kPanWest && id <= kPanSouth)) {
        viewCommand(id);
    } else if (id == kStore) {
        commitPendingDigits();
        if (ContactRecord* contact = tmaSelectedContact()) {
            tmaStoreSolution(*contact, tmaState().solution);
            refreshContactReadouts();
        }
    } else if (id >= kMerge && id <= kDelete) {
        contactCommand(id);
    } else if (id >= kMostRecent && id <= kSourceEsm) {
        sourceCommand(id);
    } else if (id >= kHistoryClear && id <= kHistoryLast) {
        historyCommand(id);
    } else if (id >= kBearingReadOut && id <= kSpeedReadOut) {
        commitValue(id, value);
        refreshSolutionReadouts();
    } else {
        return;
    }
    plot_->redraw();
}

void TMAScreen::commitValue(int id, int value) {
    const OwnShipEntity* own = worldOwnSubmarine();
    if (own && own->motion)
        tmaCommitValue(tmaState().solution, id, value, own->motion->x, own->motion->y);
}

void TMAScreen::commitPendingDigits() {
    // Digits clicked in just before the solution is stored, or the screen closes, are part of it.
    for (std::size_t i = 0; i < solution_.size(); ++i)
        if (const std::optional<int> typed = solution_[i]->takePending())
            commitValue(kBearingReadOut + static_cast<int>(i), *typed);
    refreshSolutionReadouts();
}

void TMAScreen::viewCommand(int id) {
    TmaState& state = tmaState();
    const OwnShipEntity* own = worldOwnSubmarine();
    switch (id) {
    case kCentre:
        tmaToWorld(state.view, (state.tailPixelX + state.headPixelX) / 2.0,
                   (state.tailPixelY + state.headPixelY) / 2.0, state.view.centreX, state.view.centreY);
        break;
    case kZoomIn:
        tmaZoomIn(state.view);
        break;
    case kZoomOut:
        if (own && own->motion)
            tmaZoomOut(state.view, own->motion->x, own->motion->y);
        break;
    default:
        tmaPan(state.view, id);
        break;
    }
}

void TMAScreen::contactCommand(int id) {
    OwnShipEntity* own = worldOwnSubmarine();
    TmaState& state = tmaState();
    ContactRecord* first = tmaSelectedContact();
    if (!own || !first)
        return;
    if (id == kMerge) {
        ContactRecord* second = contactNamed(*own, state.secondText);
        if (!tmaMergeContacts(*own, first, second))
            return;
        state.firstText = worldFormatDesignation(first->designation);
        state.secondText.clear();
    } else if (id == kSplit) {
        if (!tmaSplitContact(*own, first))
            return;
    } else if (!tmaDeleteContact(*own, first)) {
        return;
    }
    fillLists();
    refreshContactReadouts();
}

void TMAScreen::sourceCommand(int id) {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own)
        return;
    TmaSources& sources = own->tmaSources;
    const auto flip = [&](int type) {
        bool& shown = sources.shown[static_cast<std::size_t>(type)];
        shown = !shown;
        return shown;
    };
    switch (id) {
    case kMostRecent:
        sources.clear();
        return;
    case 19:
        sources.shown[kSensorVisual9] = flip(kSensorVisual);
        break;
    case 20:
        flip(kSensorActive);
        break;
    case 21:
        flip(kSensorRadar);
        break;
    case 22: {
        bool& sonar = tmaState().sonarSources;
        sonar = !sonar;
        for (int type = kSensorArray0; type <= kSensorMirror; ++type)
            sources.shown[static_cast<std::size_t>(type)] = sonar;
        break;
    }
    default:
        flip(kSensorEsm);
        break;
    }
    sources.explicitSelection = true;
}

void TMAScreen::historyCommand(int id) {
    TmaState& state = tmaState();
    if (id == kHistoryClear) {
        state.historyStart = simClock().gameClock;
        return;
    }
    const int window = kHistoryWindows[static_cast<std::size_t>(id - kHistoryClear - 1)];
    state.historyStart = 0.0;
    if (OwnShipEntity* own = worldOwnSubmarine())
        own->tmaSources.historyWindow = window;
}

} // namespace q71
