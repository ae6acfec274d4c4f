#include "frontend/books/books.h"

#include "frontend/books/book_page.h"
#include "frontend/screen_art.h"

#include "framework/textmngr/text_manager.h"
#include "sim/world/object_database.h"
#include "sim/world/object_record.h"

#include <array>

namespace q71 {
namespace {

constexpr int kVelmsTitleText = 2938;
constexpr int kShipBookTitleText = 2939;
constexpr int kStationsLabelText = 2941;
constexpr int kWeaponsLabelText = 2942;

// The own boat's record, and what it carries, in the order of its launchers' types.
constexpr std::string_view kOwnBoatKey = "Q71i";
constexpr std::array<std::string_view, 6> kOwnWeaponKeys{"Adcap",    "slmm",     "Harpoon",
                                                         "Tomahawk", "Counter1", "Counter2"};

BookEntry recordEntry(const ObjectRecord& record) {
    return {&record, bookPageFileName(record.keyName.view()), std::string(record.displayName.view())};
}

std::vector<BookEntry> referenceBookEntries() {
    std::vector<BookEntry> entries;
    for (int i = 0; i < objdbCount(); ++i)
        if (const ObjectRecord* record = objdbGetByIndex(i))
            entries.push_back(recordEntry(*record));
    return entries;
}

std::vector<BookEntry> shipBookEntries() {
    std::vector<BookEntry> entries;
    if (const ObjectRecord* own = objdbFindByName(kOwnBoatKey)) {
        const std::string name(own->displayName.view());
        for (const auto& [page, label] :
             {std::pair{kStationsPage, kStationsLabelText}, std::pair{kWeaponsPage, kWeaponsLabelText}}) {
            char text[160];
            textFormat(text, label, name.c_str());
            entries.push_back({own, bookPageFileName(kOwnBoatKey, page), text});
        }
    }
    for (std::string_view key : kOwnWeaponKeys)
        if (const ObjectRecord* weapon = objdbFindByName(key))
            entries.push_back(recordEntry(*weapon));
    return entries;
}

} // namespace

const BookKind kShipBook{shipBookEntries, kShipBookTitleText, kShipBookGroup};
const BookKind kReferenceBook{referenceBookEntries, kVelmsTitleText, kVelmsGroup};

} // namespace q71
