// The aircraft against its contacts: the rating of what it finds, evasion, an aeroplane's and a
// helicopter's prosecution of a submarine, and the weapon run with the break-away after it.
#include "aircraft_fixture.h"
#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/world/object_database.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71::test {
namespace {

constexpr double kNear = 1e-6;

class AircraftContacts : public AircraftWorld {};

TEST_F(AircraftContacts, ASubmarineInReachIsClosedByALegShortOfIt) {
    Entity& plane = aircraft("Orion", {10000, 10000, 300}, kStateBoxPatrol);
    Entity& sub = submarine({10000, 10000 + 5000 * kYardsToMetres, -50});
    setClock(20.0);
    ContactRecord& contact = contactOn(plane, sub);
    EXPECT_EQ(contact.reaction, kReactionClose);
    EXPECT_EQ(contact.classifyTime, 20.0);
    EXPECT_EQ(crewOf(plane).dipTimer, 1.0);
    const ControllerOrder& leg = currentOrderOf(plane);
    EXPECT_EQ(leg.type, kAircraftTransit);
    EXPECT_EQ(leg.parameter, sub.id);
    EXPECT_NEAR(leg.y, 10000 + 3500 * kYardsToMetres, 0.1); // yards and metres convert with a hair's loss
    EXPECT_EQ(leg.dueTime, 320.0);
    EXPECT_EQ(loggedOfKind(kEventMeeting).size(), 1u);
}

TEST_F(AircraftContacts, ASubmarineCloseByIsAttackedAtOnce) {
    Entity& helo = aircraft("Seasprite", {10000, 10000, 100}, kAircraftDippingSearch);
    Entity& plane = aircraft("Orion", {20000, 10000, 300}, kStateBoxPatrol);
    Entity& sub = submarine({10000, 10500, -50});
    Entity& second = submarine({20000, 10500, -50});
    setClock(5.0);
    EXPECT_EQ(contactOn(helo, sub).reaction, kReactionAttack);
    EXPECT_EQ(helo.motion->orderedSpeed, 30.0);
    EXPECT_EQ(crewOf(helo).attackTimer, 125.0);
    EXPECT_EQ(contactOn(plane, second).reaction, kReactionAttack);
    EXPECT_EQ(plane.motion->orderedSpeed, 200.0);
}

TEST_F(AircraftContacts, AFarSubmarineReportedByAFriendIsSearchedForAroundTheAircraft) {
    Entity& plane = aircraft("Orion", {50000, 50000, 300}, kStateBoxPatrol);
    Entity& sub = submarine({50000, 70000, -50});
    contactOn(plane, sub, 1, true);
    const std::vector<ControllerOrder> orders = ordersOf(plane);
    ASSERT_FALSE(orders.empty());
    for (const ControllerOrder& order : orders)
        EXPECT_EQ(order.type, 9);
    EXPECT_EQ(orders.back().x, 50000.0); // the pattern starts where the aircraft is
    EXPECT_EQ(orders.back().y, 50000.0);
}

TEST_F(AircraftContacts, WhatTheAircraftCannotFightItEvades) {
    Entity& plane = aircraft("Orion", {10000, 10000, 300}, kStateBoxPatrol);
    plane.weaponCount[1] = 0;
    Entity& sub = submarine({10000, 15000, -50});
    Entity& ship = body(2, "Frigate", kKindSurface, {15000, 10000, 0});
    Entity& fighter = body(2, "Patrol", kKindAir, {5000, 10000, 300});
    EXPECT_EQ(contactOn(plane, sub).reaction, kReactionEvade);
    EXPECT_EQ(contactOn(plane, ship).reaction, kReactionClose); // it has missiles for ships
    EXPECT_EQ(contactOn(plane, fighter).reaction, kReactionEvade);
}

TEST_F(AircraftContacts, FriendsWeaponsAndContactsMadeInTransitAreNotRated) {
    Entity& plane = aircraft("Orion", {10000, 10000, 300}, kStateBoxPatrol);
    Entity& friendly = body(1, "Hunter", kKindSubsurface, {10000, 12000, -50});
    Entity& torpedo = body(2, "Fish", kKindWeapon, {10000, 13000, -50});
    EXPECT_EQ(contactOn(plane, friendly).reaction, kReactionNone);
    EXPECT_EQ(contactOn(plane, torpedo).reaction, kReactionNone);
    Entity& ferry = aircraft("Orion", {30000, 10000, 300}, kAircraftTransit);
    Entity& sub = submarine({30000, 12000, -50});
    EXPECT_EQ(contactOn(ferry, sub).reaction, kReactionNone);
    for (const ReplayEvent& meeting : loggedOfKind(kEventMeeting))
        EXPECT_NE(meeting.subjectId, ferry.id); // (the patrol it told of the submarine did rate it)
}

TEST_F(AircraftContacts, AnAircraftPassesWhatItFindsToTheNearestFriendlyShip) {
    Entity& ship = body(1, "Frigate", kKindSurface, {10000, 5000, 0});
    Entity& plane = aircraft("Orion", {10000, 10000, 300}, kStateBoxPatrol);
    Entity& sub = submarine({10000, 15000, -50});
    contactOn(plane, sub);
    const ContactRecord* relayed = ship.findContact(sub.id);
    ASSERT_NE(relayed, nullptr);
    EXPECT_EQ(relayed->fixes[0].newest().sensorType, kSensorRelayed);
}

TEST_F(AircraftContacts, EvasionTurnsAHundredDegreesAwayFromTheContact) {
    Entity& plane = aircraft("Orion", {10000, 10000, 300}, kStateBoxPatrol);
    plane.weaponCount[1] = 0;
    plane.motion->orderedCourse = 0.0;
    Entity& sub = submarine({10000 + 1000, 10000 + 1000 * std::sqrt(3.0), -50}); // bearing 30
    contactOn(plane, sub);
    passAt(plane, 10.0);
    EXPECT_EQ(crewOf(plane).state, kReactionEvade);
    EXPECT_NEAR(plane.motion->orderedCourse, 290.0, 1e-6);
}

class Prosecution : public AircraftWorld {};

TEST_F(Prosecution, AnAeroplaneNearAWellTrackedSubmarineBeginsItsAttackRun) {
    Entity& plane = aircraft("Orion", {10000, 10000, 300}, kStateBoxPatrol);
    Entity& sub = submarine({10000, 10000 + 3500 * kYardsToMetres, -50});
    setClock(100.0);
    ContactRecord& contact = contactOn(plane, sub, 3);
    contact.reaction = kReactionClose;
    contact.range = 3500.0;
    passAt(plane, 100.0);
    EXPECT_EQ(contact.reaction, kReactionAttack);
    EXPECT_EQ(crewOf(plane).attackTimer, 130.0);
    EXPECT_EQ(plane.motion->orderedDepth, 75.0);
    EXPECT_EQ(plane.motion->orderedSpeed, 200.0);
    EXPECT_NEAR(plane.motion->orderedCourse, 0.0, kNear);
}

TEST_F(Prosecution, ACarefulCrewPassesANearSubmarineOnItsLeftAndALesserOneFliesAtIt) {
    Entity& careful = aircraft("Orion", {10000, 10000, 300}, kStateBoxPatrol, 3);
    Entity& lesser = aircraft("Orion", {30000, 10000, 300}, kStateBoxPatrol, 2);
    Entity& sub = submarine({10000, 10000 + 4500 * kYardsToMetres, -50});
    Entity& other = submarine({30000, 10000 + 4500 * kYardsToMetres, -50});
    setClock(10.0);
    contactOn(careful, sub).reaction = kReactionClose;
    contactOn(lesser, other).reaction = kReactionClose;
    passAt(careful, 10.0);
    passAt(lesser, 10.0);
    EXPECT_NEAR(careful.motion->orderedCourse, 85.0, kNear);
    EXPECT_EQ(careful.motion->orderedSpeed, 200.0);
    EXPECT_NEAR(lesser.motion->orderedCourse, 0.0, kNear);
    EXPECT_EQ(lesser.motion->orderedSpeed, 330.0);
}

TEST_F(Prosecution, AnAeroplaneOnAFieldTaskLaysABuoyByASubmarineUnlessOneLiesNear) {
    Entity& plane = aircraft("Orion", {10000, 10000, 300}, kAircraftSonobuoyDrop);
    Entity& sub = submarine({10000, 11500, -50});
    setClock(10.0);
    ContactRecord& contact = contactOn(plane, sub);
    contact.reaction = kReactionClose;
    plane.addSensor(new Sensor(plane, 1.0f)); // what the aircraft carries moves with it
    passAt(plane, 10.0);
    EXPECT_EQ(sensorsOf(plane, kSensorDropped).size(), 1u);
    moveTo(plane, {10000, 10900, 0});
    passAt(plane, 11.0);
    EXPECT_EQ(sensorsOf(plane, kSensorDropped).size(), 1u); // the first buoy lies 900 m off
    moveTo(plane, {10000, 11100, 0});
    passAt(plane, 12.0);
    EXPECT_EQ(sensorsOf(plane, kSensorDropped).size(), 2u);
}

TEST_F(Prosecution, AHelicopterAtItsPointHoversLowThenDipsEveryTwentySecondsForThreeMinutes) {
    Entity& helo = aircraft("Seasprite", {10000, 10000, 60}, kStateBoxPatrol, 3);
    Entity& sub = submarine({10000, 13000, -50});
    setClock(10.0);
    ContactRecord& contact = contactOn(helo, sub);
    contact.reaction = kReactionClose;
    crewOf(helo).queueOrder(kAircraftProsecute, sub.id, 0.0, 10000, 10000, 0.0, 0.0); // where it is
    passAt(helo, 11.0);
    EXPECT_EQ(helo.motion->orderedSpeed, 0.0);
    EXPECT_EQ(helo.motion->orderedDepth, 9.144);
    EXPECT_EQ(crewOf(helo).dipTimer, 0.0);
    // Not down yet, and nothing fresh heard: nothing more.
    contact.lastUpdate = 100.0;
    helo.motion->speed = 0.0;
    passAt(helo, 12.0);
    EXPECT_TRUE(sensorsOf(helo, kSensorActive).empty());
    helo.motion->z = 9.2;
    passAt(helo, 13.0);
    EXPECT_EQ(pingInterval(helo), 20);
    EXPECT_EQ(crewOf(helo).dipTimer, 193.0);
    // When the dip ends the sonar comes up and it tries elsewhere.
    passAt(helo, 192.0);
    EXPECT_EQ(helo.motion->orderedSpeed, 0.0);
    passAt(helo, 193.0);
    EXPECT_EQ(pingInterval(helo), -1);
    EXPECT_EQ(helo.motion->orderedSpeed, 150.0);
    EXPECT_EQ(helo.motion->orderedDepth, 66.0);
    EXPECT_EQ(crewOf(helo).dipTimer, 0.0);
    const ControllerOrder& next = currentOrderOf(helo);
    EXPECT_EQ(next.type, kAircraftProsecute);
    EXPECT_EQ(next.dueTime, 793.0);
}

TEST_F(Prosecution, AHelicopterWithAFreshFixFliesToIt) {
    Entity& helo = aircraft("Seasprite", {10000, 10000, 60}, kStateBoxPatrol, 3);
    Entity& sub = submarine({10000, 10000 + 3000 * kYardsToMetres, -50});
    setClock(10.0);
    ContactRecord& contact = contactOn(helo, sub);
    contact.reaction = kReactionClose;
    crewOf(helo).dipTimer = 0.0;
    passAt(helo, 10.0);
    EXPECT_EQ(helo.motion->orderedSpeed, 150.0);
    const ControllerOrder& leg = currentOrderOf(helo);
    EXPECT_EQ(leg.type, kAircraftProsecute);
    EXPECT_EQ(leg.parameter, sub.id);
    EXPECT_NEAR(leg.y, 10000 + 2000 * kYardsToMetres, 0.1);
}

class WeaponRun : public AircraftWorld {};

TEST_F(WeaponRun, AnAeroplaneDropsALeadingTorpedoAndBreaksAwayBeyondTheTarget) {
    Entity& plane = aircraft("Orion", {10000, 10000, 75}, kStateBoxPatrol, 3);
    plane.addSensor(new Sensor(plane, 1.0f));
    plane.sensors.tail()->item->type = kSensorActive;
    Entity& sub = submarine({10000, 10000 + 800 * kYardsToMetres, -50});
    setClock(50.0);
    ContactRecord& contact = contactOn(plane, sub);
    contact.speed = 10.0;
    contact.course = 90.0;
    passAt(plane, 170.0); // the run-in of 120 s: still closing
    EXPECT_EQ(releasedBy(plane, kEntityTorpedo), nullptr);
    passAt(plane, 171.0);
    Entity* torpedo = releasedBy(plane, kEntityTorpedo);
    ASSERT_NE(torpedo, nullptr);
    EXPECT_EQ(torpedo->recordId, kRecordTorpedo);
    EXPECT_EQ(torpedo->side, plane.side);
    EXPECT_EQ(plane.weaponCount[1], 5);
    EXPECT_EQ(worldPoint(*torpedo).x, 10000.0); // dropped where the aircraft is
    EXPECT_EQ(worldPoint(*torpedo).z, 75.0);
    // 800 yards at 60 units: 24 s of run, in which the boat crossing east moves ahead of it.
    const double run = contact.range / (60.0 * 0.508);
    const double lead = std::atan(10.0 * 0.508 * run / contact.range) * kRadiansToDegrees;
    const GuidanceController& presets = guidanceOf(*torpedo);
    EXPECT_NEAR(presets.presetCourse, lead, 1e-9);
    EXPECT_NEAR(torpedo->motion->orderedCourse, lead, 1e-9);
    EXPECT_EQ(presets.searchPattern, 1);
    EXPECT_NEAR(presets.enableRange, contact.range * 0.5 * kYardsToMetres, 1e-9);
    EXPECT_EQ(presets.presetSpeed, 70.0);
    EXPECT_EQ(presets.searchSpeed, 50.0);
    EXPECT_NEAR(presets.searchDepth, -100.0 * kFeetToMetres, 1e-9); // the depth as a tube launch takes it
    EXPECT_EQ(presets.seekerMode, kSensorActive);
    EXPECT_NEAR(crewOf(plane).attackTimer, 171.0 + run + 30.0, 1e-9);
    // Then on along the bearing, 1000 to 2000 yards beyond, at full speed, the sonar stowed.
    EXPECT_EQ(contact.reaction, kReactionClose);
    EXPECT_EQ(plane.motion->orderedSpeed, 330.0);
    EXPECT_TRUE(sensorsOf(plane, kSensorActive).empty());
    const ControllerOrder& away = currentOrderOf(plane);
    EXPECT_EQ(away.type, kAircraftTransit);
    EXPECT_NEAR(away.x, 10000.0, 1e-6);
    EXPECT_GE(away.y, 10000 + 1000 * kYardsToMetres - 1e-6);
    EXPECT_LE(away.y, 10000 + 2000 * kYardsToMetres + 1e-6);
}

TEST_F(WeaponRun, AFastHelicopterSlowsBeforeItDrops) {
    Entity& helo = aircraft("Seasprite", {10000, 10000, 30}, kStateBoxPatrol, 3);
    Entity& sub = submarine({10000, 10500, -50});
    setClock(10.0);
    contactOn(helo, sub);
    helo.motion->speed = 60.0;
    passAt(helo, 200.0);
    EXPECT_EQ(releasedBy(helo, kEntityTorpedo), nullptr);
    EXPECT_EQ(helo.motion->orderedSpeed, 10.0);
    EXPECT_EQ(helo.weaponCount[1], 2);
    helo.motion->speed = 20.0;
    passAt(helo, 201.0);
    Entity* torpedo = releasedBy(helo, kEntityTorpedo);
    ASSERT_NE(torpedo, nullptr);
    EXPECT_EQ(guidanceOf(*torpedo).searchPattern, 0); // a good helicopter crew snakes even close in
}

TEST_F(WeaponRun, AnAeroplaneDropsDepthChargesOnASubmarineAndRatesItAgainLater) {
    Entity& plane = aircraft("Bomber", {10000, 10000, 75}, kStateBoxPatrol, 3);
    Entity& sub = submarine({10000, 10300, -50});
    setClock(10.0);
    ContactRecord& contact = contactOn(plane, sub);
    passAt(plane, 200.0);
    Entity* charge = releasedBy(plane, kEntityDepthCharge);
    ASSERT_NE(charge, nullptr);
    EXPECT_EQ(charge->recordId, kRecordCharge);
    EXPECT_EQ(plane.weaponCount[1], 5);
    EXPECT_EQ(contact.classifyTime, 230.0);
    EXPECT_EQ(contact.heldTime, -30.0);
    EXPECT_EQ(contact.reaction, kReactionClose);
    EXPECT_EQ(currentOrderOf(plane).type, kAircraftTransit); // breaking away
}

TEST_F(WeaponRun, AnAeroplaneFiresAMissileAtAShip) {
    Entity& plane = aircraft("Orion", {10000, 10000, 300}, kStateBoxPatrol, 3);
    Entity& ship = body(2, "Frigate", kKindSurface, {10000 + 20000 * kYardsToMetres, 10000, 0});
    setClock(10.0);
    ContactRecord& contact = contactOn(plane, ship);
    contact.reaction = kReactionAttack;
    passAt(plane, 11.0);
    Entity* missile = releasedBy(plane, kEntityTorpedo2);
    ASSERT_NE(missile, nullptr);
    EXPECT_EQ(missile->recordId, kRecordSkimmer);
    const GuidanceController& guidance = guidanceOf(*missile);
    EXPECT_NEAR(guidance.presetCourse, 90.0, kNear);
    EXPECT_EQ(guidance.designatedKind, kKindSurface);
    // A run of 60000 yards (30 units of 2000), armed after 20000 x 0.00025 = 5 units.
    EXPECT_NEAR(guidance.runEndTime, 11.0 + 30.0 * 1828.8 / (560 * 0.508), 1e-6);
    EXPECT_NEAR(guidance.enableRange, 5.0 * 1828.8, 1.0);
    // Away from under a wing: 3.3 m to one side of the aircraft, 48 m ahead.
    EXPECT_NEAR(std::fabs(worldPoint(*missile).x - 10000.0), 3.3, 0.01);
    EXPECT_NEAR(worldPoint(*missile).y - 10000.0, 48.0, 0.2);
    EXPECT_EQ(plane.weaponCount[0], 1);
}

TEST_F(WeaponRun, BeforeTheRunInEndsAnAeroplaneClosesOrPassesTheFix) {
    Entity& plane = aircraft("Orion", {10000, 10000, 300}, kStateBoxPatrol, 3);
    Entity& sub = submarine({10000, 10000 + 6000 * kYardsToMetres, -50});
    setClock(10.0);
    ContactRecord& contact = contactOn(plane, sub);
    contact.reaction = kReactionAttack;
    crewOf(plane).attackTimer = 100.0;
    passAt(plane, 20.0);
    EXPECT_NEAR(plane.motion->orderedCourse, 0.0, kNear);
    EXPECT_EQ(plane.motion->orderedSpeed, 330.0);
    moveTo(plane, {10000, 10000 + 2000 * kYardsToMetres, 0});
    passAt(plane, 21.0);
    EXPECT_NEAR(plane.motion->orderedCourse, 85.0, kNear);
    EXPECT_EQ(plane.motion->orderedSpeed, 200.0);
    EXPECT_EQ(releasedBy(plane, kEntityTorpedo), nullptr);
}

} // namespace
} // namespace q71::test
