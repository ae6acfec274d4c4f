// The terrain folder and the opening of files in it.
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "platform/files/path.h"
#include "sim/world/dem_database.h"

namespace q71 {

const char* demDatabaseDir() {
    static const std::string folder = [] {
        std::string result = "Database";
        SettingsKey* key = nullptr;
        if (regOpenKey(&key, 0, false)) {
            if (std::optional<std::string> dem = regReadString(key, "DemDirectory"))
                result = *dem;
            else if (std::optional<std::string> cd = regReadString(key, "cdInstallPath"))
                result = *cd + "\\Database";
            regCloseKey(key);
        }
        return result;
    }();
    return folder.c_str();
}

std::string demPath(std::string_view name) {
    return makePath(demDatabaseDir(), std::string(name));
}

std::unique_ptr<DemDatabase> demOpen(std::string_view name, std::string* error) {
    std::FILE* file = fileOpen(demPath(name), "rb");
    if (!file) {
        if (error)
            *error = "the terrain database " + demPath(name) + " does not open";
        return nullptr;
    }
    return demOpenStream(file, error);
}

} // namespace q71
