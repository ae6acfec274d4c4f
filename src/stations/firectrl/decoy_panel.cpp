#include "stations/firectrl/decoy_panel.h"

#include "framework/widgets/covered_button.h"
#include "framework/widgets/state_button.h"
#include "media/audio/sound_manager.h"
#include "sim/entities/types/countermeasure_entities.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_panel.h"
#include "stations/firectrl/launcher.h"
#include "stations/firectrl/panel_art.h"
#include "stations/firectrl/panel_controls.h"

namespace q71 {
namespace {

constexpr int kPressed = 1;
constexpr int kSettled = 2;
// What a launched countermeasure is made with.
constexpr std::int32_t kCountermeasureSide = 1;
constexpr const char* kCountermeasureType = "counter2";
constexpr std::int32_t kCountermeasureLevel = 4;
constexpr double kDeepOrder = 333.0;
constexpr double kShallowOrder = 33.0;

constexpr PanelArtFile kDecoyArtFiles[] = {{kDecoyFire.bitmap, 646}};

PanelArt& decoyArt() {
    static PanelArt art(kDecoyArtFiles, "torpedo");
    return art;
}

bool unlimited() {
    return fireControlStations().unlimitedWeapons();
}

// The kind a load draws on (0: A, 1: B), or -1 for Empty.
int kindOf(int loadType) {
    return loadType == 0 || loadType == 1 ? 0 : loadType == 2 || loadType == 3 ? 1 : -1;
}

std::int32_t& freeCount(FirePanel& owner, int kind) {
    return kind == 0 ? owner.freeDecoysA : owner.freeDecoysB;
}

// One more or one less of a load's kind free to load.
void adjustFree(FirePanel& owner, int loadType, std::int32_t amount) {
    const int kind = kindOf(loadType);
    if (kind >= 0 && !unlimited())
        freeCount(owner, kind) += amount;
}

} // namespace

int initialDecoyLoad(int index, std::int32_t stockA, std::int32_t stockB) {
    if (index == 0)
        return stockA > 0 ? 0 : stockB > 0 ? 2 : kDecoyEmpty;
    if (stockA > 1)
        return 0;
    if (stockA == 1)
        return stockB > 0 ? 2 : kDecoyEmpty;
    return stockB > 1 ? 2 : kDecoyEmpty;
}

DecoySelector::DecoySelector(WindowHandle page, int controlId, int x, int y, DecoyPanel& panel)
    : WeaponSelector(page, kDecoySelector.bitmap, controlId, x, y, kDecoySelector.width, kDecoySelector.height,
                     kDecoySelector.frames),
      panel_(panel) {}

bool DecoySelector::acceptPosition(int index) {
    if (unlimited())
        return true;
    if (index == 0 || index == 2)
        return panel_.owner().freeDecoysA >= 1;
    if (index == 4 || index == 6)
        return panel_.owner().freeDecoysB > 0;
    return true;
}

void DecoySelector::confirmPosition(int position) {
    adjustFree(panel_.owner(), panel_.decoyType(), 1);
    panel_.setLoadType(position / 2);
    adjustFree(panel_.owner(), panel_.decoyType(), -1);
}

DecoyPanel::DecoyPanel(FirePanel& owner, int index, const FirePanelRow& row, const char* lamp)
    : owner_(owner), index_(index), idBase_(row.idBase) {
    PanelArt& art = decoyArt();
    art.acquire();
    fire_ = makePanelFireButton(owner.window(), row, kDecoyFire, art, 0, 0);
    lamp_ = makePanelLamp(owner.window(), row, kDecoyLamp, lamp);
    selector_ = std::make_unique<DecoySelector>(owner.window(), row.idBase + kDecoySelector.idOffset,
                                                row.x + kDecoySelector.dx, row.y + kDecoySelector.dy, *this);
    int load = initialDecoyLoad(index, countermeasureStock(0), countermeasureStock(1));
    if (panelsResumeMission()) {
        const std::uint32_t saved = fireControlStations().stationStates()[static_cast<std::size_t>(index_ & 1)];
        load = saved <= kDecoyEmpty ? static_cast<int>(saved) : kDecoyEmpty;
    }
    setLoadType(load);
    selector_->select(2 * load + 1);
    fire_->setEnabled(load != kDecoyEmpty);
    fireSound_ = soundLoad(kDecoyFireSound);
}

DecoyPanel::~DecoyPanel() {
    fire_.reset();
    decoyArt().release();
}

void DecoyPanel::setLoadType(int type) {
    loadType_ = type;
    FireControlStations& stations = fireControlStations();
    auto states = stations.stationStates();
    states[static_cast<std::size_t>(index_ & 1)] = static_cast<std::uint32_t>(type);
    stations.restoreStationStates(states);
}

void DecoyPanel::launch() {
    const int kind = kindOf(loadType_);
    Entity* ownShip = worldOwnShip();
    if (kind >= 0 && ownShip) {
        const double depth = loadType_ % 2 == 0 ? kDeepOrder : kShallowOrder;
        Entity* countermeasure =
            kind == 0 ? static_cast<Entity*>(new Countermeasure2Entity(kCountermeasureSide, kCountermeasureType,
                                                                       kCountermeasureLevel, ownShip->id, depth))
                      : new CountermeasureEntity(kCountermeasureSide, kCountermeasureType, kCountermeasureLevel,
                                                 ownShip->id, depth);
        worldAddEntity(countermeasure);
        if (!unlimited())
            adjustCountermeasureStock(-1, kind);
    }
    setLoadType(kDecoyEmpty);
}

void DecoyPanel::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam & 0xFFFF) - idBase_;
    const int notification = static_cast<int>(lParam);
    if (id == kDecoyFire.idOffset && notification == kPressed) {
        if (fireControlStations().fireGuidanceSwitch()) {
            launch();
        } else {
            // Nothing left the boat: the countermeasure goes back to the free stock.
            reportFiringSwitchOff();
            adjustFree(owner_, loadType_, 1);
            setLoadType(kDecoyEmpty);
        }
        soundPlay(fireSound_, 0, 1, 0);
        selector_->selectLast();
        fire_->setEnabled(false);
    } else if (id == kDecoySelector.idOffset) {
        if (notification == kSettled) {
            setLoadType(selector_->position() / 2);
            fire_->setEnabled(loadType_ != kDecoyEmpty);
        } else {
            fire_->setEnabled(false);
        }
    }
}

void DecoyPanel::loadResources() {
    fire_->loadResources();
    lamp_->loadResources();
    selector_->loadResources();
}

void DecoyPanel::freeResources() {
    fire_->freeResources();
    lamp_->freeResources();
    selector_->freeResources();
}

} // namespace q71
