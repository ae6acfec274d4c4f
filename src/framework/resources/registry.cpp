#include "framework/resources/registry.h"

#include "framework/app/reporter.h"
#include "platform/files/locations.h"

#include <cstdio>
#include <filesystem>

namespace q71 {

char cdInstallPath[kInstallPathSize];
char sfxInstallPath[kInstallPathSize];
char midiInstallPath[kInstallPathSize];
char objectsInstallPath[kInstallPathSize];
char graphicsInstallPath[kInstallPathSize];
char booksInstallPath[kInstallPathSize];
char rootInstallPath[kInstallPathSize];

namespace {

constexpr size_t kKeyNameSize = 100;
char familyKey[kKeyNameSize] = "Velm's Combat Simulations";
char productKey[kKeyNameSize] = "Generic";
char versionKey[kKeyNameSize] = "1.0";

void setKeyName(char (&buffer)[kKeyNameSize], const char* name, const char* fallback) {
    std::snprintf(buffer, sizeof buffer, "%s", name ? name : fallback);
}

struct InstallPath {
    const char* value;
    const char* fallback;
    char* buffer;
};

// In reading order. An empty movie folder would make "\Movies\name" a path at the root of
// the file system, so its default is the current folder.
const InstallPath kInstallPaths[] = {
    {"cdInstallPath", ".", cdInstallPath},
    {"sfxInstallPath", "sfx", sfxInstallPath},
    {"midiInstallPath", "midi", midiInstallPath},
    {"objectsInstallPath", "objects", objectsInstallPath},
    {"graphicsInstallPath", "graphics", graphicsInstallPath},
    {"booksInstallPath", "books", booksInstallPath},
    {"rootInstallPath", ".", rootInstallPath},
};

} // namespace

void regSetFamilyKey(const char* name) { setKeyName(familyKey, name, "Velm's Combat Simulations"); }
void regSetProductKey(const char* name) { setKeyName(productKey, name, "Generic"); }
void regSetVersionKey(const char* name) { setKeyName(versionKey, name, "1.0"); }

long regOpenOrCreate(SettingsKey** out, SettingsKey* parent, const char* name, bool /*writeAccess*/,
                     bool create) {
    return settingsOpenKey(parent, name ? name : "", create, out);
}

long regOpenKeyChain(SettingsKey** out, int scope, bool writeAccess, bool create) {
    if (scope != 0 && scope != 1)
        return kSettingsInvalidParameter;
    SettingsKey* key = settingsRootKey(scope == 0 ? SettingsRoot::LocalMachine : SettingsRoot::CurrentUser);
    for (const char* name : {"Software", static_cast<const char*>(familyKey),
                             static_cast<const char*>(productKey), static_cast<const char*>(versionKey)}) {
        SettingsKey* next = nullptr;
        long status = regOpenOrCreate(&next, key, name, writeAccess, create);
        regCloseKey(key);
        if (status != kSettingsSuccess)
            return status;
        key = next;
    }
    *out = key;
    return kSettingsSuccess;
}

bool regOpenKey(SettingsKey** out, int scope, bool writeAccess) {
    return regOpenKeyChain(out, scope, writeAccess, false) == kSettingsSuccess;
}

int regQueryValue(SettingsKey* key, const char* name, uint32_t* type, std::vector<char>* data, uint32_t* size) {
    uint32_t needed = 0, valueType = 0;
    if (settingsQueryValue(key, name ? name : "", &valueType, nullptr, &needed) != kSettingsSuccess)
        return 0;
    std::vector<char> bytes(needed);
    if (settingsQueryValue(key, name, &valueType, bytes.data(), &needed) != kSettingsSuccess)
        return 0;
    if (type)
        *type = valueType;
    if (size)
        *size = needed;
    if (data)
        *data = std::move(bytes);
    return 1;
}

std::optional<std::string> regReadString(SettingsKey* key, const char* name) {
    uint32_t type = 0;
    std::vector<char> data;
    if (!regQueryValue(key, name, &type, &data, nullptr))
        return std::nullopt;
    if (type != kValueString && type != kValueExpandString)
        return std::nullopt;
    return std::string(data.data()); // the stored text ends with its NUL
}

void regCloseKey(SettingsKey* key) { settingsCloseKey(key); }

void appReadInstallPaths() {
    regSetFamilyKey("Velm's Combat Simulations");
    regSetProductKey("Q71I Varden-Morrow");
    regSetVersionKey("1.0");
    std::string error;
    if (!settingsLoad(error))
        reportWarning(error.c_str(), __LINE__, "registry", 1);
    // Without the key every path takes its default, so that files are still looked for
    // relative to the current folder rather than at the root of the file system.
    SettingsKey* key = nullptr;
    bool opened = regOpenKey(&key, 0, false);
    for (const InstallPath& path : kInstallPaths) {
        std::optional<std::string> value = opened ? regReadString(key, path.value) : std::nullopt;
        std::snprintf(path.buffer, kInstallPathSize, "%s", value ? value->c_str() : path.fallback);
    }
    if (opened)
        regCloseKey(key);
}

std::string appPlayerDataPath() {
    SettingsKey* key = nullptr;
    std::optional<std::string> value;
    if (regOpenKey(&key, 0, false)) {
        value = regReadString(key, "playerDataPath");
        regCloseKey(key);
    }
    if (!value || value->empty())
        return locationUserRoot();
    std::error_code ec;
    std::filesystem::create_directories(*value, ec);
    return *value;
}

} // namespace q71
