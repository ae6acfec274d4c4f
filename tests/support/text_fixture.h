#pragma once
// Loads a text table made by the test (and only that) as the program's texts, for the life of
// the object. Header-only, so that only tests of the framework and above link the text manager.

#include "framework/textmngr/text_manager.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace q71::test {

class TextFixture {
public:
    /// `table` is the text table in its file form ("id\ttext" lines).
    explicit TextFixture(const std::string& table) {
        const char* old = std::getenv("Q71_DATA");
        hadData_ = old != nullptr;
        if (old)
            oldData_ = old;
        dir_.write("textdllf.txt", table);
        ::setenv("Q71_DATA", dir_.path().c_str(), 1);
        textClose();
        if (!textOpen())
            throw std::runtime_error("the test's text table does not load");
    }
    ~TextFixture() {
        textClose();
        if (hadData_)
            ::setenv("Q71_DATA", oldData_.c_str(), 1);
        else
            ::unsetenv("Q71_DATA");
    }
    TextFixture(const TextFixture&) = delete;
    TextFixture& operator=(const TextFixture&) = delete;

    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
    bool hadData_ = false;
    std::string oldData_;
};

} // namespace q71::test
