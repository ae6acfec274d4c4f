#include "framework/resources/group_archive.h"

#include "framework/dibutils/dib_utils.h"
#include "framework/resources/group_archive_state.h"
#include "framework/resources/resource_names.h"
#include "platform/files/path.h"

#include <cstdio>

namespace q71 {
namespace {

// The whole content of a small file; nullopt when it cannot be read.
std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path) {
    std::FILE* f = fileOpen(path, "rb");
    if (!f)
        return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t piece[4096];
    size_t got;
    while ((got = std::fread(piece, 1, sizeof piece, f)) > 0)
        bytes.insert(bytes.end(), piece, piece + got);
    bool failed = std::ferror(f);
    std::fclose(f);
    return failed ? std::nullopt : std::optional(std::move(bytes));
}

} // namespace

GroupReaderState& grpState() {
    static GroupReaderState state;
    return state;
}

void grpReset() {
    grpState() = GroupReaderState{};
}

void grpSetFolder(const char* folder) {
    GroupReaderState& s = grpState();
    if (folder && *folder)
        s.folder = std::string(folder) + '\\';
    else
        s.folder.reset();
}

std::string grpFolder() {
    const std::optional<std::string>& folder = grpState().folder;
    return folder ? folder->substr(0, folder->size() - 1) : std::string();
}

int grpOpenGroup(const char* name) {
    GroupReaderState& s = grpState();
    if (!name)
        return 0;
    for (size_t i = 0; i < s.groups.size(); ++i) {
        if (namesEqualIgnoringCase(s.groups[i].name, name)) {
            s.selected = static_cast<int>(i);
            return 1;
        }
    }
    std::optional<std::vector<uint8_t>> bytes = readWholeFile(s.folder.value_or("") + name + ".ndx");
    std::optional<std::vector<GroupIndexEntry>> entries;
    if (!bytes || !(entries = grpParseIndex(*bytes)))
        return 0;
    s.groups.push_back({name, s.folder, std::move(*entries)});
    s.selected = static_cast<int>(s.groups.size() - 1);
    return 1;
}

std::string grpSelectedName() {
    const GroupReaderState& s = grpState();
    return s.selected < 0 ? std::string() : s.groups[static_cast<size_t>(s.selected)].name;
}

std::vector<std::string> grpListEntries() {
    GroupReaderState& s = grpState();
    std::vector<std::string> names;
    if (s.selected < 0)
        return names;
    for (const GroupIndexEntry& entry : s.groups[s.selected].entries)
        names.push_back(entry.name);
    return names;
}

int grpMakeDib(ResourceRef& ref) {
    return dibRawCheck(ref);
}

void grpRefInit(ResourceRef& ref) {
    ref.name = nullptr;
    ref.data = nullptr;
    ref.dibHeader = {};
    ref.dibBits = {};
    ref.delivered.store(0);
    ref.size = 0;
}

void grpRefFree(ResourceRef& ref) {
    grpCancelRead(&ref.delivered);
    delete[] ref.data;
    const char* name = ref.name;
    grpRefInit(ref);
    ref.name = name;
}

void grpFreeAll() {
    grpCancelAll();
    GroupReaderState& s = grpState();
    s.groups.clear();
    s.selected = -1;
    s.lastFound = -1;
}

int grpGetError() {
    return grpState().error;
}

std::string makePath(const std::string& folder, const std::string& name) {
    bool rooted =
        name.find(':') != std::string::npos || (!name.empty() && (name[0] == '\\' || name[0] == '/'));
    if (rooted || folder.empty())
        return name;
    return name.empty() ? folder : folder + '\\' + name;
}

} // namespace q71
