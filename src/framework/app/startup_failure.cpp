#include "framework/app/startup_failure.h"

#include "framework/app/reporter.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "platform/files/path.h"
#include "platform/text/cp1252.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace q71 {
namespace {

// The group names of a folder: its "<name>.ndx" files, in name order.
std::vector<std::string> groupsIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.path().extension() == ".ndx")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

void reportDamaged(const std::string& file, const std::string& member) {
    std::string text = "Le jeu de donn\xE9" "es est endommag\xE9 : ";
    text += member.empty() ? "l'index du groupe ne se lit pas." : "le membre " + member + " ne se lit pas.";
    reportStartupFailure(text + "\n\n" + startupFileText(file) + "\n" + kDataSetAdvice);
}

} // namespace

std::string startupFileText(const std::string& path) {
    std::string shown;
    std::size_t bad = 0;
    if (!utf8ToCp1252(path, shown, bad))
        shown = path;
    return "Fichier : " + shown;
}

bool appCheckDataSet() {
    std::error_code ec;
    const std::string folder = std::filesystem::absolute(fileResolvePath(graphicsInstallPath), ec).string();
    grpSetFolder(graphicsInstallPath);
    const std::vector<std::string> groups = groupsIn(folder);
    if (groups.empty()) {
        reportStartupFailure("Le jeu de donn\xE9" "es ne contient aucun groupe d'images.\n\n" +
                             startupFileText(folder + "/*.ndx") + "\n" + kDataSetAdvice);
        return false;
    }
    bool good = true;
    for (const std::string& group : groups) {
        if (!grpOpenGroup(group.c_str())) {
            reportDamaged(folder + "/" + group + ".ndx", "");
            good = false;
            break;
        }
        for (const std::string& name : grpListEntries()) {
            ResourceRef ref;
            ref.name = name.c_str();
            const bool read = grpRead(ref, true, true);
            grpRefFree(ref);
            if (!read) {
                reportDamaged(folder + "/" + group + ".grp", name);
                good = false;
                break;
            }
        }
        if (!good)
            break;
    }
    grpFreeAll();
    return good;
}

} // namespace q71
