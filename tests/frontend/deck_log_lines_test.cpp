// The deck log's lines, one per kind of record, built by hand as the log holds them.
#include "frontend/debrief/deck_log_lines.h"
#include "frontend_fixture.h"
#include "sim/world/object_database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace q71 {
namespace {

using DeckLog = test::FrontEndFixture;

ReplayEvent record(std::int32_t kind, const char* subject, const char* object = "", double range = 0.0,
                   double bearing = 0.0, std::int32_t extra = 0) {
    ReplayEvent event;
    event.kind = kind;
    event.time = 3600.0 + 62.0;
    replaySetName(event.subjectName, subject);
    replaySetName(event.objectName, object);
    event.range = range;
    event.bearing = bearing;
    event.extra = extra;
    return event;
}

TEST_F(DeckLog, WhatSufferedIsNamedAndWhatDidItGivenAsTheCause) {
    // Destroyed and damaged records name the attacker as their subject and the victim as object.
    EXPECT_EQ(deckLogLine(record(1, "Avion de patrouille Il-38 May", "Orque")),
              "01:01:02  Orque d\xE9truit par Avion de patrouille Il-38 May.");
    EXPECT_EQ(deckLogLine(record(20, "Kilo", "Cargo")), "01:01:02  Cargo touch\xE9 par Kilo.");
    // An equipment record of the own boat names the boat as its object only.
    EXPECT_EQ(deckLogLine(record(11, "", "Orque", 0, 0, 4)), "01:01:02  Orque : avarie (4).");
    EXPECT_EQ(deckLogLine(record(12, "", "Orque", 0, 0, 8)), "01:01:02  Orque : avarie r\xE9par\xE9" "e (8).");
    // A damage record tells the depth the hull suffered at.
    ReplayEvent crushed = record(24, "Orque", "", 0, 0, 6);
    crushed.z = -906.0 * 0.3048;
    EXPECT_EQ(deckLogLine(crushed),
              "01:01:02  D\xE9g\xE2ts \xE0 bord d'Orque : \xE9" "crasement sous la pression de l'immersion, \xE0 906 pieds.");
}

TEST_F(DeckLog, AWeaponThatMeetsAHullStrikesItAndHullsThatMeetCollide) {
    ASSERT_TRUE(objdbLoad());
    EXPECT_EQ(deckLogLine(record(21, "Orque", "Torpille a\xE9roport\xE9" "e APR-2", 40.0, 10.0)),
              "01:01:02  Orque atteint par Torpille a\xE9roport\xE9" "e APR-2.");
    EXPECT_EQ(deckLogLine(record(21, "Torpille l\xE9g\xE8re Mk 46", "Cargo", 40.0, 10.0)),
              "01:01:02  Cargo atteint par Torpille l\xE9g\xE8re Mk 46.");
    EXPECT_EQ(deckLogLine(record(21, "Cargo", "Orque", 120.0, 181.0)),
              "01:01:02  Abordage entre Cargo et Orque, distance 120 yards, rel\xE8vement 181.");
    objdbFree();
}

TEST_F(DeckLog, EachKindIsToldWithTimeNamesRangeAndBearing) {
    const std::vector<std::pair<ReplayEvent, std::string>> cases{
        {record(1, "Kilo"), "01:01:02  Kilo d\xE9truit."},
        {record(4, "Seal-Team"), "01:01:02  Seal-Team r\xE9"
                                 "cup\xE9r\xE9 \xE0 bord."},
        {record(6, "Kilo", "Orque", 2500.4, 359.6),
         "01:01:02  Kilo au contact d'Orque, distance 2500 yards, rel\xE8vement 000."},
        {record(8, "Mine", "", 812.0, 5.2),
         "01:01:02  La mine Mine signale un passage, distance 812 yards, rel\xE8vement 005."},
        {record(18, "Orque"), "01:01:02  Orque lance une arme."},
        {record(18, "Orque", "Kilo", 3000.0, 90.0),
         "01:01:02  Orque lance une arme. Cible : Kilo, distance 3000 yards, rel\xE8vement 090."},
        {record(20, "Kilo"), "01:01:02  Kilo touch\xE9."},
        {record(22, "Mine", "Orque"), "01:01:02  Une mine explose au contact d'Orque."},
        {record(23, "Orque"), "01:01:02  Orque touche le fond."},
        {record(24, "Orque", "", 0, 0, 3), "01:01:02  D\xE9g\xE2ts \xE0 bord d'Orque : mine."},
        {record(24, "Orque", "", 0, 0, 99), "01:01:02  D\xE9g\xE2ts \xE0 bord d'Orque : cause inconnue."},
        {record(24, "Kilo", "", 0, 0, 2), "01:01:02  D\xE9g\xE2ts \xE0 bord de Kilo : grenades anti-sous-marines."},
        {record(17, "Orque", "", 0, 0, 4), "01:01:02  Orque : option de r\xE9"
                                           "alisme active au d\xE9part (4)."},
        {record(77, "Orque"), "01:01:02  \xC9v\xE9nement 77 : Orque."},
        // Values no log should hold are told as nothing rather than as garbage.
        {record(6, "Kilo", "Orque", std::numeric_limits<double>::quiet_NaN(), -90.0),
         "01:01:02  Kilo au contact d'Orque, distance 0 yards, rel\xE8vement 270."},
    };
    for (const auto& [event, line] : cases) {
        const auto told = deckLogLine(event);
        ASSERT_TRUE(told) << "kind " << event.kind;
        EXPECT_EQ(*told, line) << "kind " << event.kind;
    }
    EXPECT_EQ(deckLogLine(record(2, "Orque")), std::nullopt) << "position reports make the track";
}

} // namespace
} // namespace q71
