#pragma once
// Game time as the front end shows it: hours, minutes and seconds since the mission began.

#include <string>

namespace q71 {

/// "hh:mm:ss" of a game time in seconds (a negative or unknown time shows as 00:00:00).
std::string gameTimeText(double gameSeconds);

} // namespace q71
