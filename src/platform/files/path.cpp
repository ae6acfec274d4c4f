#include "platform/files/path.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cctype>

namespace q71 {
namespace {

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// The entry of `dir` named `component` in some case; the component itself when no entry is.
std::string matchComponent(const std::string& dir, std::string_view component) {
    if (exists(dir + "/" + std::string(component)))
        return std::string(component);
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return std::string(component);
    std::string found(component);
    while (const dirent* e = ::readdir(d)) {
        if (equalIgnoringAsciiCase(e->d_name, component)) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found;
}

} // namespace

std::string fileResolvePath(std::string_view path) {
    std::string result = !path.empty() && (path[0] == '/' || path[0] == '\\') ? "/" : "";
    bool missing = false; // below a missing component there is nothing to match
    size_t pos = 0;
    while (pos < path.size()) {
        size_t end = path.find_first_of("/\\", pos);
        if (end == std::string_view::npos)
            end = path.size();
        std::string_view component = path.substr(pos, end - pos);
        pos = end + 1;
        if (component.empty())
            continue;
        bool special = component == "." || component == "..";
        std::string name = missing || special ? std::string(component)
                                              : matchComponent(result.empty() ? "." : result, component);
        if (!result.empty() && result.back() != '/')
            result += '/';
        result += name;
        if (!missing && !exists(result))
            missing = true;
    }
    return result;
}

std::FILE* fileOpen(std::string_view path, const char* mode) {
    return std::fopen(fileResolvePath(path).c_str(), mode);
}

int fileOpenDescriptor(std::string_view path, int flags, int mode) {
    return ::open(fileResolvePath(path).c_str(), flags | O_CLOEXEC, mode);
}

bool fileExists(std::string_view path) { return exists(fileResolvePath(path)); }

std::vector<std::string> fileNamesIn(std::string_view folder) {
    const std::string dir = fileResolvePath(folder);
    std::vector<std::string> names;
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return names;
    while (const dirent* e = ::readdir(d)) {
        struct stat st;
        if (::stat((dir + "/" + e->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.emplace_back(e->d_name);
    }
    ::closedir(d);
    return names;
}

} // namespace q71
