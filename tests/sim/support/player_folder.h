#pragma once
// Points the player's writable folder into a fresh temporary folder for the life of the
// object, so that tests of the roster and the replay log never share files.

#include "support/temp_dir.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace q71::test {

class PlayerFolder {
public:
    PlayerFolder() {
        if (const char* old = std::getenv("XDG_DATA_HOME"))
            old_ = old;
        ::setenv("XDG_DATA_HOME", dir_.path().c_str(), 1);
    }
    ~PlayerFolder() {
        if (old_)
            ::setenv("XDG_DATA_HOME", old_->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }
    PlayerFolder(const PlayerFolder&) = delete;
    PlayerFolder& operator=(const PlayerFolder&) = delete;

    /// The path of a file in the player's folder.
    std::string file(const std::string& name) const { return (dir_.path() / "q71" / name).string(); }

private:
    TempDir dir_;
    std::optional<std::string> old_;
};

} // namespace q71::test
