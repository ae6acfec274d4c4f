#pragma once
// The port of call's upgrade points, spent from the player's career points on five categories,
// and the crew assistance the stations read from the options and the station levels.

#include <cstdint>

namespace q71 {

/// Starts a visit: the balance is the career points, each counter its station level × 1000.
void upgradePointsBegin();
/// Raises a category by 1000 for 250 points below its earned level, else 1000; the new balance,
/// or −1 (nothing changed) at 4000 or without the points.
std::int32_t upgradePointsBuy(int category);
/// Lowers a category by 1000, refunding 1000 above its earned level, else 250; the new balance,
/// or −1 below 1000.
std::int32_t upgradePointsSell(int category);
/// What buying a level of a category costs as the visit stands; −1 when it is at the top.
std::int32_t upgradePointsBuyCost(int category);
/// What selling a level gives back as the visit stands; −1 when it is at the bottom.
std::int32_t upgradePointsSellRefund(int category);
/// The category's counter / 1000.
std::int32_t upgradePointsLevel(int category);
/// Adds points to the balance; −1 for a negative amount that the balance cannot pay.
std::int32_t upgradePointsAdd(std::int32_t amount);

/// 1 when crew assistance is on for a station (0-2): automatic or by rank in the options.
int crewAssistEnabled(int station);
/// 0 when off, 5 when automatic, else the whole part of the station's level.
int crewAssistLevel(int station);

} // namespace q71
