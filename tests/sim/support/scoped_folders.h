#pragma once
// Points the player's folder or the data set into a fresh temporary folder for the life of the
// object, so that tests of the roster, the replay log and the campaigns never share files and
// read exactly the files they put in.

#include "support/temp_dir.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace q71::test {

/// A temporary folder named by an environment variable while the object lives.
class ScopedFolder {
public:
    explicit ScopedFolder(const char* variable) : variable_(variable) {
        if (const char* old = std::getenv(variable))
            old_ = old;
        ::setenv(variable, dir_.path().c_str(), 1);
    }
    ~ScopedFolder() {
        if (old_)
            ::setenv(variable_, old_->c_str(), 1);
        else
            ::unsetenv(variable_);
    }
    ScopedFolder(const ScopedFolder&) = delete;
    ScopedFolder& operator=(const ScopedFolder&) = delete;

    const TempDir& dir() const { return dir_; }

private:
    const char* variable_;
    TempDir dir_;
    std::optional<std::string> old_;
};

/// The player's writable folder.
class PlayerFolder : public ScopedFolder {
public:
    PlayerFolder() : ScopedFolder("XDG_DATA_HOME") {}
    /// The path of a file in the player's folder.
    std::string file(const std::string& name) const { return dir().file("q71/" + name); }
};

/// The data set.
class DataFolder : public ScopedFolder {
public:
    DataFolder() : ScopedFolder("Q71_DATA") {}
    /// Writes a file into the data set (its folders made as needed) and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const {
        return dir().write(name, bytes);
    }
};

} // namespace q71::test
