// The deck log's lines, one per kind of record, built by hand as the log holds them.
#include "frontend/debrief/deck_log_lines.h"
#include "frontend_fixture.h"
#include "sim/world/object_database.h"
#include "sim/world/object_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace q71 {
namespace {

using DeckLog = test::FrontEndFixture;

ReplayEvent record(std::int32_t kind, const char* subject, const char* object = "", double range = 0.0,
                   double bearing = 0.0, std::int32_t extra = 0,
                   std::int32_t subjectCategory = kCategorySub) {
    ReplayEvent event;
    event.subjectCategory = subjectCategory;
    event.kind = kind;
    event.time = 3600.0 + 62.0;
    replaySetName(event.subjectName, subject);
    replaySetName(event.objectName, object);
    event.range = range;
    event.bearing = bearing;
    event.extra = extra;
    return event;
}

// Each record is told as its line.
void expectLines(const std::vector<std::pair<ReplayEvent, std::string>>& cases) {
    for (const auto& [event, line] : cases) {
        const auto told = deckLogLine(event);
        ASSERT_TRUE(told) << "kind " << event.kind << ", extra " << event.extra;
        EXPECT_EQ(*told, line) << "kind " << event.kind << ", extra " << event.extra;
    }
}

TEST_F(DeckLog, WhatSufferedIsNamedAndWhatDidItGivenAsTheCause) {
    // Destroyed and damaged records name the attacker as their subject and the victim as object.
    EXPECT_EQ(deckLogLine(record(1, "Avion de patrouille Il-38 May", "Orque")),
              "01:01:02  Orque d\xE9truit par Avion de patrouille Il-38 May.");
    EXPECT_EQ(deckLogLine(record(20, "Kilo", "Cargo")), "01:01:02  Cargo touch\xE9 par Kilo.");
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
        {record(23, "Orque"), "01:01:02  Orque touche le fond."},
        {record(24, "Orque", "", 0, 0, 3), "01:01:02  D\xE9g\xE2ts \xE0 bord d'Orque : mine."},
        {record(24, "Orque", "", 0, 0, 99), "01:01:02  D\xE9g\xE2ts \xE0 bord d'Orque : cause inconnue."},
        {record(24, "Kilo", "", 0, 0, 2), "01:01:02  D\xE9g\xE2ts \xE0 bord de Kilo : grenades anti-sous-marines."},
        {record(77, "Orque"), "01:01:02  \xC9v\xE9nement 77 : Orque."},
        // Values no log should hold are told as nothing rather than as garbage.
        {record(6, "Kilo", "Orque", std::numeric_limits<double>::quiet_NaN(), -90.0),
         "01:01:02  Kilo au contact d'Orque, distance 0 yards, rel\xE8vement 270."},
    };
    expectLines(cases);
    EXPECT_EQ(deckLogLine(record(2, "Orque")), std::nullopt) << "position reports make the track";
}

TEST_F(DeckLog, AMinesBlastAndAnExerciseTorpedosTurnAwayAreToldApartByTheRecordsSubject) {
    // Both count as a hit at the object; a mine is the subject of its blast, the launching boat
    // of its exercise torpedo's turn-away.
    EXPECT_EQ(deckLogLine(record(22, "Mine \xE0 influence", "Orque", 0, 0, 0, kCategoryMine)),
              "01:01:02  Une mine explose au contact d'Orque.");
    EXPECT_EQ(deckLogLine(record(22, "Orque", "Chalutier")), "01:01:02  La torpille d'exercice d'Orque s'\xE9"
                                                             "carte de Chalutier : coup au but.");
    EXPECT_EQ(deckLogLine(record(22, "Kilo", "Orque", 0, 0, 0, kCategorySub)),
              "01:01:02  La torpille d'exercice de Kilo s'\xE9"
              "carte d'Orque : coup au but.");
}

TEST_F(DeckLog, FailuresRepairsAndOptionsAreNamed) {
    // The own boat's equipment by its number; its records name the boat as their object.
    const std::vector<std::pair<int, std::string>> equipment{
        {1, "avarie du p\xE9riscope"},
        {2, "avarie du m\xE2t ESM"},
        {3, "avarie de l'antenne radio"},
        {4, "avarie du m\xE2t radar"},
        {5, "avarie du schnorchel"},
        {6, "avarie de l'antenne remorqu\xE9" "e principale"},
        {7, "avarie de l'antenne remorqu\xE9" "e secondaire"},
        {8, "avarie de l'antenne filaire flottante"},
    };
    for (const auto& [number, words] : equipment)
        EXPECT_EQ(deckLogLine(record(11, "", "Orque", 0, 0, number)), "01:01:02  Orque : " + words + ".");
    // The options on at the start, by the codes they are logged with.
    const std::vector<std::pair<int, std::string>> options{
        {1, "aide automatique de l'\xE9quipage \xE0 l'AMC"},
        {2, "aide automatique de l'\xE9quipage au sonar"},
        {3, "aide automatique de l'\xE9quipage \xE0 la conduite de tir"},
        {4, "coque invuln\xE9rable"},
        {5, "sonar actif renforc\xE9"},
        {6, "antennes passives sensibles"},
        {7, "b\xE2timent rapide, sans immersion de destruction"},
        {8, "m\xE2ts et antennes indestructibles"},
        {9, "armes illimit\xE9" "es"},
    };
    for (const auto& [code, words] : options)
        EXPECT_EQ(deckLogLine(record(17, "Orque", "", 0, 0, code)),
                  "01:01:02  Orque : option active au d\xE9part, " + words + ".");
    expectLines({
        // The wire, the one piece of equipment the crew repairs.
        {record(12, "", "Orque", 0, 0, 8),
         "01:01:02  Orque : avarie de l'antenne filaire flottante r\xE9par\xE9" "e."},
        // Floodings name the hull that floods (the subject) and where.
        {record(11, "Kilo", "Orque", 0, 0, 9), "01:01:02  Kilo : voie d'eau \xE0 l'arri\xE8re."},
        {record(11, "Kilo", "Orque", 0, 0, 10), "01:01:02  Kilo : voie d'eau sur le flanc."},
        {record(11, "Cargo", "Orque", 0, 0, 0), "01:01:02  Cargo : voie d'eau."},
        {record(12, "Orque", "", 0, 0, 9), "01:01:02  Orque : voie d'eau \xE0 l'arri\xE8re r\xE9par\xE9" "e."},
        {record(12, "Orque", "", 0, 0, 10), "01:01:02  Orque : voie d'eau sur le flanc r\xE9par\xE9" "e."},
        // Numbers no record of the program holds, and the last option code, whose field no
        // screen sets, are told by the number.
        {record(11, "", "Orque", 0, 0, 77), "01:01:02  Orque : avarie (77)."},
        {record(17, "Orque", "", 0, 0, 10), "01:01:02  Orque : option 10 active au d\xE9part."},
        // The navigation chart's true display, switched on and off during the mission.
        {record(17, "Orque", "", 0, 0, 12),
         "01:01:02  Orque : la carte de navigation montre la situation r\xE9" "elle."},
        {record(17, "Orque", "", 0, 0, -12),
         "01:01:02  Orque : la carte de navigation ne montre plus la situation r\xE9" "elle."},
    });
}

} // namespace
} // namespace q71
