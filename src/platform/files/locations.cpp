#include "platform/files/locations.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace q71 {

std::string locationDataRoot() {
    if (const char* env = std::getenv("Q71_DATA"); env && *env)
        return env;
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "data";
    return (exe.parent_path() / "data").string();
}

std::string locationUserRoot() {
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "share";
    else
        return "";
    std::filesystem::path dir = base / "q71";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return ec ? "" : dir.string();
}

} // namespace q71
