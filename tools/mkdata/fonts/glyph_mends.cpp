#include "mkdata/fonts/glyph_mends.h"

#include "mkdata/files.h"
#include "platform/text/cp1252.h"

#include <sstream>
#include <stdexcept>
#include <string>

namespace q71::mkdata {
namespace {

class MendsReader {
public:
    MendsReader(const std::filesystem::path& file, const std::string& text) : file_(file), in_(text) {}

    GlyphTable read() {
        GlyphTable table;
        std::string line;
        while (next(line)) {
            if (line.empty() || line[0] == '#')
                continue;
            if (line.rfind("rows ", 0) == 0) {
                std::istringstream numbers(line.substr(5));
                if (!(numbers >> above_ >> below_) || above_ < 1 || below_ < 0)
                    fail("\"rows\" wants the rows above and below the baseline");
            } else if (line.rfind("glyph ", 0) == 0) {
                const char32_t character = characterOf(line.substr(6));
                if (!table.emplace(character, picture()).second)
                    fail("a second picture of the same character");
            } else {
                fail("a line that is neither \"rows\", \"glyph\" nor a comment");
            }
        }
        return table;
    }

private:
    bool next(std::string& line) {
        if (!std::getline(in_, line))
            return false;
        ++lineNumber_;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error(file_.string() + ":" + std::to_string(lineNumber_) + ": " + what);
    }

    char32_t characterOf(const std::string& spec) const {
        if (spec.rfind("U+", 0) == 0 && spec.size() > 2)
            return static_cast<char32_t>(std::stoul(spec.substr(2), nullptr, 16));
        // One character in UTF-8.
        std::size_t end = 0;
        char32_t c = 0;
        if (spec.empty() || !utf8NextCodePoint(spec, end, c) || end != spec.size())
            fail("\"glyph\" wants one character or U+ and its code");
        return c;
    }

    Glyph picture() {
        if (above_ == 0)
            fail("a glyph before \"rows\"");
        Glyph glyph;
        glyph.top = above_;
        glyph.height = above_ + below_;
        std::string row;
        for (int y = 0; y < glyph.height; ++y) {
            if (!next(row))
                fail("the picture ends before its rows do");
            if (y == 0)
                glyph.width = glyph.advance = static_cast<int>(row.size());
            if (static_cast<int>(row.size()) != glyph.width ||
                row.find_first_not_of("#.") != std::string::npos)
                fail("a row of another length, or of marks other than \"#\" and \".\"");
            for (char mark : row)
                glyph.mask.push_back(mark == '#');
        }
        return cutToInk(glyph);
    }

    std::filesystem::path file_;
    std::istringstream in_;
    int lineNumber_ = 0;
    int above_ = 0;
    int below_ = 0;
};

} // namespace

GlyphTable readGlyphMends(const std::filesystem::path& file) {
    return MendsReader(file, readSource(file)).read();
}

} // namespace q71::mkdata
