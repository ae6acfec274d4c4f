#pragma once
// Loads a text table made by the test as the program's texts, for the life of the object: a table
// of its own (and only that), or the data set's with some texts replaced. Header-only, so that only
// tests of the framework and above link the text manager.

#include "framework/textmngr/text_manager.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

namespace q71::test {

/// Points Q71_DATA at a folder for the life of the object, then back to what it was.
class DataFolderSwitch {
public:
    explicit DataFolderSwitch(const std::string& folder) {
        const char* old = std::getenv("Q71_DATA");
        hadData_ = old != nullptr;
        if (old)
            oldData_ = old;
        ::setenv("Q71_DATA", folder.c_str(), 1);
    }
    ~DataFolderSwitch() {
        if (hadData_)
            ::setenv("Q71_DATA", oldData_.c_str(), 1);
        else
            ::unsetenv("Q71_DATA");
    }
    DataFolderSwitch(const DataFolderSwitch&) = delete;
    DataFolderSwitch& operator=(const DataFolderSwitch&) = delete;

    /// The folder Q71_DATA named before ("" when unset).
    const std::string& previous() const { return oldData_; }

private:
    bool hadData_ = false;
    std::string oldData_;
};

/// Writes a text table into a folder and loads it as the program's texts.
inline void loadTextTable(const TempDir& dir, const std::string& table) {
    dir.write("textdllf.txt", table);
    textClose();
    if (!textOpen())
        throw std::runtime_error("the test's text table does not load");
}

class TextFixture {
public:
    /// `table` is the text table in its file form ("id\ttext" lines).
    explicit TextFixture(const std::string& table) : data_(dir_.path().string()) { loadTextTable(dir_, table); }
    ~TextFixture() { textClose(); }
    TextFixture(const TextFixture&) = delete;
    TextFixture& operator=(const TextFixture&) = delete;

    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
    DataFolderSwitch data_;
};

/// The data set's texts with some of them replaced, while the rest of the data set stays where it
/// is; the data set's own texts are loaded again afterwards.
class DataSetTextsWith {
public:
    explicit DataSetTextsWith(const std::map<int, std::string>& replaced) {
        std::string table;
        {
            DataFolderSwitch data(dir_.path().string());
            std::istringstream lines(readFile(std::filesystem::path(data.previous()) / "textdllf.txt"));
            for (std::string line; std::getline(lines, line);) {
                const auto replacement = replaced.find(std::atoi(line.c_str()));
                if (replacement != replaced.end() && line.find('\t') != std::string::npos)
                    line = std::to_string(replacement->first) + '\t' + replacement->second;
                table += line + '\n';
            }
            loadTextTable(dir_, table);
        }
    }
    ~DataSetTextsWith() {
        textClose();
        textOpen();
    }
    DataSetTextsWith(const DataSetTextsWith&) = delete;
    DataSetTextsWith& operator=(const DataSetTextsWith&) = delete;

private:
    TempDir dir_;
};

} // namespace q71::test
