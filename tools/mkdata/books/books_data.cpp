#include "mkdata/books/books_data.h"

#include "frontend/books/book_page.h"
#include "mkdata/files.h"
#include "mkdata/objects/object_table.h"
#include "platform/text/cp1252.h"

#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

namespace q71::mkdata {
namespace {

// data/books.txt: "[Name]" opens a page (a record's key, or the key and a page: "Q71i-postes"),
// each following line is a paragraph (UTF-8 in the source), "#" starts a comment line.
std::map<std::string, std::string> parsePages(const std::string& text, const std::string& file) {
    std::map<std::string, std::string> pages;
    std::istringstream lines(text);
    std::string line, current;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto fail = [&](const std::string& why) {
            throw std::runtime_error(file + ":" + std::to_string(number) + ": " + why);
        };
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3)
                fail("a page name in brackets");
            current = line.substr(1, line.size() - 2);
            if (!pages.emplace(current, std::string()).second)
                fail("page " + current + " twice");
            continue;
        }
        if (current.empty())
            fail("text before the first page");
        std::string paragraph;
        std::size_t offset = 0;
        if (!utf8ToCp1252(line, paragraph, offset))
            fail("not Windows-1252 text at byte " + std::to_string(offset));
        pages[current] += paragraph + "\n";
    }
    return pages;
}

} // namespace

void generateBooks(const Context& context) {
    const std::filesystem::path source = context.source / "books.txt";
    const std::map<std::string, std::string> pages = parsePages(readSource(source), source.string());
    const std::filesystem::path objects = context.source / "objects.txt";
    std::set<std::string> wanted;
    for (const TableRecord& r : parseObjectTable(readSource(objects), objects.string()))
        wanted.insert(std::string(r.record.keyName.view()));
    // The ship book's own pages of the own boat.
    for (std::string_view page : {kStationsPage, kWeaponsPage})
        wanted.insert("Q71i-" + std::string(page));
    for (const std::string& name : wanted) {
        const auto page = pages.find(name);
        if (page == pages.end() || page->second.empty())
            throw std::runtime_error(source.string() + ": no page for " + name);
        const std::vector<std::uint8_t> bytes(page->second.begin(), page->second.end());
        if (!bookPageParse(bytes))
            throw std::runtime_error(source.string() + ": the page of " + name + " is not a page");
        writeOutput(context.out / "books" / bookPageFileName(name), page->second);
    }
    for (const auto& [name, text] : pages)
        if (!wanted.contains(name))
            throw std::runtime_error(source.string() + ": page " + name + " belongs to no record");
}

} // namespace q71::mkdata
