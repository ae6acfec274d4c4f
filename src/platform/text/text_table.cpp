#include "platform/text/text_table.h"

#include "platform/files/path.h"
#include "platform/text/cp1252.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace q71 {
namespace {

// Undoes the escapes of one text; false on an unknown escape or a back-slash at the end.
bool unescape(std::string_view in, std::string& out, std::string& message) {
    out.clear();
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out += in[i];
            continue;
        }
        if (++i == in.size()) {
            message = "back-slash at the end of the text";
            return false;
        }
        switch (in[i]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default:
            message = std::string("unknown escape \\") + in[i];
            return false;
        }
    }
    return true;
}

} // namespace

std::string TextTableError::describe() const {
    return file + ":" + std::to_string(line) + ": " + message;
}

bool TextTable::parse(std::string_view contents, std::string_view fileName, TextTableError& error) {
    if (contents.substr(0, 3) == "\xEF\xBB\xBF")
        contents.remove_prefix(3);
    std::unordered_map<int, std::string> added;
    int lineNumber = 0;
    auto fail = [&](std::string message) {
        error = {std::string(fileName), lineNumber, std::move(message)};
        return false;
    };
    while (!contents.empty()) {
        ++lineNumber;
        size_t end = contents.find('\n');
        std::string_view line = contents.substr(0, end);
        contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line[0] == '#')
            continue;

        size_t digits = 0;
        long id = 0;
        while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9' && digits < 6)
            id = id * 10 + (line[digits++] - '0');
        if (digits == 0 || id > 65535)
            return fail("expected an id from 0 to 65535 at the start of the line");
        if (digits < line.size() && line[digits] != '\t' && line[digits] != ' ')
            return fail("expected a tab or a space after the id");
        // One tab, or a run of spaces, separates the id from the text.
        std::string_view rest = line.substr(digits);
        if (!rest.empty() && rest[0] == '\t')
            rest.remove_prefix(1);
        else
            rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(' ')));

        std::string unescaped, message, cp1252;
        if (!unescape(rest, unescaped, message))
            return fail(message);
        size_t badOffset = 0;
        if (!utf8ToCp1252(unescaped, cp1252, badOffset))
            return fail("text is not UTF-8 of characters that Windows-1252 has (byte " +
                        std::to_string(badOffset) + " of the text)");
        if (cp1252.size() > kMaxTextBytes)
            return fail("text is longer than " + std::to_string(kMaxTextBytes) + " bytes");
        if (texts_.count(static_cast<int>(id)) || !added.emplace(static_cast<int>(id), cp1252).second)
            return fail("id " + std::to_string(id) + " is given twice");
    }
    texts_.merge(added);
    return true;
}

bool TextTable::load(const std::string& path, TextTableError& error) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(fileOpen(path, "rb"), std::fclose);
    if (!f) {
        error = {path, 0, "cannot open the text table"};
        return false;
    }
    std::string contents;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0)
        contents.append(buffer, n);
    if (std::ferror(f.get())) {
        error = {path, 0, "cannot read the text table"};
        return false;
    }
    return parse(contents, path, error);
}

const std::string* TextTable::find(int id) const {
    auto it = texts_.find(id);
    return it == texts_.end() ? nullptr : &it->second;
}

std::string textTableFormat(const std::map<int, std::string>& entries) {
    std::string out;
    for (const auto& [id, text] : entries) {
        out += std::to_string(id);
        out += '\t';
        for (char c : cp1252ToUtf8(text)) {
            switch (c) {
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\\': out += "\\\\"; break;
            default: out += c;
            }
        }
        out += '\n';
    }
    return out;
}

} // namespace q71
