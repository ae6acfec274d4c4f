#pragma once
// The settings store that stands in for the registry: a tree of keys with typed values,
// read from INI files. The machine hive comes from the data set ("settings.ini", read only);
// the user hive from the player's folder, when the player has one.
//
// INI form (UTF-8): a section names a key path from its root,
//     [HKEY_LOCAL_MACHINE\Software\Family\Product\1.0]
// and each line below gives one value of that key:
//     name = "text"           string (\" and \\ escaped); ${DATA} and ${USER} stand for the
//     name = expand:"text"    data set and player folders; "expand:" marks an expandable string
//     name = dword:1234       32-bit number, decimal or 0x hexadecimal
// Blank lines and lines starting with ';' or '#' are ignored.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace q71 {

// Result codes and value types keep their registry numbers.
enum : long {
    kSettingsSuccess = 0,
    kSettingsNotFound = 2,       // ERROR_FILE_NOT_FOUND
    kSettingsAccessDenied = 5,   // ERROR_ACCESS_DENIED
    kSettingsInvalidParameter = 87,
    kSettingsMoreData = 234,
};
enum : uint32_t { kValueString = 1, kValueExpandString = 2, kValueDword = 4 };

/// The roots keep their registry handle numbers.
enum class SettingsRoot : uint32_t { CurrentUser = 0x80000001, LocalMachine = 0x80000002 };

struct SettingsValue {
    uint32_t type = kValueString;
    std::string data; ///< Windows-1252 text, or the 4 little-endian bytes of a dword
};

struct SettingsNode {
    std::map<std::string, std::unique_ptr<SettingsNode>, std::less<>> children; ///< by lower-case name
    std::map<std::string, SettingsValue, std::less<>> values;                  ///< by lower-case name
};

/// An open key: valid until settingsCloseKey. Keys compare names without regard to case.
struct SettingsKey;

/// Parses settings text into a tree; false with "file:line: message" in `error` when malformed.
bool settingsParse(std::string_view contents, std::string_view fileName, const std::string& dataRoot,
                   const std::string& userRoot, SettingsNode& machine, SettingsNode& user, std::string& error);

/// Loads the hives from the data set and the player's folder (once; later calls do nothing),
/// before any key is opened.
/// Returns false, with the reason, when a settings file exists but is malformed; when that is the
/// player's file, the data set's settings are loaded all the same.
bool settingsLoad(std::string& error);
/// Replaces the hives with the given text (tests).
bool settingsLoadText(std::string_view contents, std::string& error);
/// Forgets the hives, so that the next settingsLoad reads the files again (tests).
void settingsUnload();

/// The key of a root (never fails).
SettingsKey* settingsRootKey(SettingsRoot root);
/// Opens a sub-key; with `create` it is made when missing (in memory). Returns a result code.
long settingsOpenKey(SettingsKey* parent, std::string_view name, bool create, SettingsKey** out);
/// Reads a value: type, and data when `data` is not null and `size` is large enough (else kSettingsMoreData).
long settingsQueryValue(SettingsKey* key, std::string_view name, uint32_t* type, void* data, uint32_t* size);
/// Closes an opened key (roots stay).
void settingsCloseKey(SettingsKey* key);

} // namespace q71
