#pragma once
// Where the program finds its read-only data set and where it keeps what the player makes.

#include <string>

namespace q71 {

/// The data set: $Q71_DATA when set, else the folder "data" beside the executable.
std::string locationDataRoot();

/// The player's writable folder ($XDG_DATA_HOME/q71, else ~/.local/share/q71), created when missing.
/// Returns "" when it cannot be created.
std::string locationUserRoot();

} // namespace q71
