#include "own_boat_world.h"

#include "sim/scoring/replay_log.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/under_way.h"

#include <cmath>

namespace q71::test {

namespace {

// Texts with arguments, by id and format; every other text of the own boat is "T<id>".
constexpr std::pair<int, const char*> kFormattedTexts[] = {
    {305, "T305 %03d %d"}, {306, "T306"}, {309, "T309 %03d"}};

constexpr int kPlainTexts[] = {270, 271, 272, 273, 274, 277, 282, 283, 284, 286, 290, 291, 301,
                               302, 303, 304, 310, 311, 312, 772, 783, 789, 821, 868, 904};

std::string joined(std::span<const std::string> files) {
    std::string text;
    for (const std::string& file : files)
        text += (text.empty() ? "" : " ") + file;
    return text;
}

} // namespace

void CrewRecorder::crewQueueSpeech(CrewChannel channel, std::span<const std::string> files, int priority) {
    reports.push_back({channel, joined(files), priority});
}

void CrewRecorder::crewReportSonarNumber(bool, std::string_view leadIn, long number, int minDigits,
                                         std::string_view tail, long secondNumber, int priority) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*ld", minDigits, number);
    std::string wave = std::string(leadIn) + " " + digits + " " + std::string(tail);
    if (secondNumber >= 0)
        wave += " " + std::to_string(secondNumber);
    reports.push_back({CrewChannel::sonar, wave, priority});
}

std::vector<std::string> CrewRecorder::said(CrewChannel channel) const {
    std::vector<std::string> phrases;
    for (const Report& report : reports)
        if (report.channel == channel)
            phrases.push_back(report.wave);
    return phrases;
}

const CrewRecorder::Report* CrewRecorder::find(std::string_view wave) const {
    for (const Report& report : reports)
        if (report.wave == wave)
            return &report;
    return nullptr;
}

std::string ownBoatTexts() {
    std::string table;
    for (const auto& [id, format] : kFormattedTexts)
        table += std::to_string(id) + "\t" + format + "\n";
    for (int id : kPlainTexts)
        table += std::to_string(id) + "\tT" + std::to_string(id) + "\n";
    return table;
}

std::vector<ObjectRecord> ownBoatRecords() {
    ObjectRecord own = harnessRecord(kRecordOwnBoat, "Q71i", "sub", kObjectKindSubmarine);
    own.length = 362;
    own.beam = 33;
    own.height = 52;
    own.maxSpeed = 33;
    own.testDepth = -950;
    own.crushDepth = -1450;
    own.sonarFigure = 3.0f;
    own.radarFigure = 1.5f;
    own.esmFigure = 2.0f;
    own.visualFigure = 2.0f;
    own.armour = 5;
    own.activeSonar = 3;
    own.signatureValues = {50, 120, 360, 960, 0};
    own.signatureParameters = {12, 20, 30, 0};
    std::vector<ObjectRecord> all = harnessRecords();
    all.push_back(own);
    return all;
}

OwnBoatWorld::OwnBoatWorld() : texts(ownBoatTexts()), records(ownBoatRecords()) {
    simInstallServices({.audio = &crew, .frontEnd = &services.frontEnd});
    msgLogSetTarget(true, &log);
    replayLogOpen();
    soundProfile().layerDepth = 0.0;
    soundProfile().background = soundProfile().ambientNoise = 30.0;
    buildBoat();
}

void OwnBoatWorld::buildBoat() {
    own = new OwnShipEntity(1, 4, -1);
    boat = own->ownMotion;
    worldSetOwnShip(own);
    worldAddEntity(own);
    placeBoat(-100.0);
}

void OwnBoatWorld::restart() {
    harness.reset();
    crew.reports.clear();
    crew.effects.clear();
    log.lines.clear();
    harness.emplace(1);
    buildBoat();
}

OwnBoatWorld::~OwnBoatWorld() {
    replayLogClose();
    msgLogDetach();
    soundProfile() = profileBefore;
}

void OwnBoatWorld::placeBoat(double z, double heading) {
    placeUnderWay(*boat, {10000.0, 10000.0, z}, heading, 0.0);
    boat->setOrderedDepth(z);
    boat->diving = boat->surfacing = 0;
    boat->snapshotState();
}

void OwnBoatWorld::underWay(double speed) {
    placeUnderWay(*boat, worldPoint(*boat), boat->heading, speed);
}

HarnessEntity& OwnBoatWorld::platform(const char* type, std::int32_t side, WorldPoint at, double heading,
                                      double speed) {
    const std::int32_t kind = std::string_view(type) == "Hunter" ? kKindSubsurface : kKindSurface;
    auto& entity = harness->add(new HarnessEntity(side, type, 2, kind, at, heading, speed));
    entity.motion->snapshotState();
    return entity;
}

std::vector<ReplayEvent> OwnBoatWorld::logged() {
    replayLogClose();
    return replayLogRead();
}

} // namespace q71::test
