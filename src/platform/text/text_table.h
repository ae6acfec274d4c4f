#pragma once
// The text table that stands in for the language library: one text per numeric id.
//
// On disk (UTF-8), one entry per line: the decimal id (0 to 65535), one tab or a run of
// spaces, then the text, in which \n, \t, \r and \\ stand for a line break, a tab, a carriage
// return and a back-slash. Blank lines and lines starting with '#' are ignored. In memory the
// texts are Windows-1252 and at most 255 bytes, as the language library's string table held them.

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

namespace q71 {

struct TextTableError {
    std::string file;
    int line = 0;
    std::string message;
    /// "file:line: message"
    std::string describe() const;
};

class TextTable {
public:
    static constexpr size_t kMaxTextBytes = 255;

    /// Adds the entries of one table text; false (with `error` set, nothing kept of this text) when malformed.
    bool parse(std::string_view contents, std::string_view fileName, TextTableError& error);
    /// Reads and parses a table file; a missing file is an error too.
    bool load(const std::string& path, TextTableError& error);

    /// The Windows-1252 text of an id, or null when the table has none.
    const std::string* find(int id) const;
    size_t size() const { return texts_.size(); }
    /// Every entry, ordered by id.
    std::map<int, std::string> sorted() const { return {texts_.begin(), texts_.end()}; }

private:
    std::unordered_map<int, std::string> texts_;
};

/// The on-disk form of a set of Windows-1252 entries (UTF-8, escaped, ordered by id).
std::string textTableFormat(const std::map<int, std::string>& entries);

} // namespace q71
