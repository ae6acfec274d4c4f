#pragma once
// The program's settings key (Software\family\product\version under a root) and the install
// paths read from it at start-up.

#include "platform/settings/settings_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q71 {

constexpr size_t kInstallPathSize = 264;

/// The install folders, filled by appReadInstallPaths.
extern char cdInstallPath[kInstallPathSize];
extern char sfxInstallPath[kInstallPathSize];
extern char midiInstallPath[kInstallPathSize];
extern char objectsInstallPath[kInstallPathSize];
extern char graphicsInstallPath[kInstallPathSize];
extern char booksInstallPath[kInstallPathSize];
extern char rootInstallPath[kInstallPathSize];

/// Set the family, product and version key names (at most 99 characters; null restores the default).
void regSetFamilyKey(const char* name);
void regSetProductKey(const char* name);
void regSetVersionKey(const char* name);

/// Opens the program's key under scope 0 (machine) or 1 (user); true on success.
bool regOpenKey(SettingsKey** out, int scope, bool writeAccess);
/// Opens (or creates) the program's key level by level; 0, 87 for a bad scope, or the store's code.
long regOpenKeyChain(SettingsKey** out, int scope, bool writeAccess, bool create);
/// Opens (or creates) one level below a parent key; returns the store's code.
long regOpenOrCreate(SettingsKey** out, SettingsKey* parent, const char* name, bool writeAccess, bool create);
/// Reads a value with its type and size; 1 on success. `data` may be null.
int regQueryValue(SettingsKey* key, const char* name, uint32_t* type, std::vector<char>* data, uint32_t* size);
/// A copy of a string value (plain or expandable); nothing for a missing value or another type.
std::optional<std::string> regReadString(SettingsKey* key, const char* name);
/// Closes a key.
void regCloseKey(SettingsKey* key);

/// Reads the settings store and fills the seven install paths.
void appReadInstallPaths();
/// The player's writable folder named by the settings (value playerDataPath), else the default one.
std::string appPlayerDataPath();

} // namespace q71
