#pragma once
// The files the front end keeps for each player of the roster (the captain's log, the saved
// missions) are named after the player's key, the books' pages after the object records' keys.
// A key is typed by the player, so only letters, digits and '-' pass into a file name; every
// other character becomes '_' (no path separators, dots or spaces reach a folder).

#include <string>
#include <string_view>

namespace q71 {

/// A key made safe as a file name's stem.
std::string safeFileStem(std::string_view key);

/// The path of the current player's file with that extension (".clg"); "" before login or when
/// the player has no folder.
std::string currentPlayerFilePath(std::string_view extension);

} // namespace q71
