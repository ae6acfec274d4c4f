// The ship book and the reference book: the main menu's frames with the book framed in them and
// the host's stations building the same books, every record of the data set opening with its
// page and model, the model turning on the clock, a page of the data set as a golden image, and
// the names and reading of the books' pages.
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "framework/textmngr/text_manager.h"
#include "frontend/books/book_layout.h"
#include "frontend/books/book_model_view.h"
#include "frontend/books/book_page.h"
#include "frontend/books/books.h"
#include "frontend/books/container_fs.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "frontend_fixture.h"
#include "platform/gdi/colour.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_system.h"
#include "sim/scoring/player_roster.h"
#include "sim/world/object_database.h"
#include "sim/world/object_record.h"
#include "support/golden_image.h"
#include "support/screen_picture.h"
#include "tactical/rwutils/sea_texture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q71 {
namespace {

TEST(BookPage, PagesAreNamedAfterTheKeyAndReadAsParagraphs) {
    const struct {
        std::string key, page, file;
    } names[] = {
        {"Akula", "", "Akula.txt"},
        {"SS-N-22", "", "SS-N-22.txt"},
        {"Q71i", "postes", "Q71i-postes.txt"},
        {"../etc", "", "___etc.txt"},
    };
    for (const auto& n : names)
        EXPECT_EQ(bookPageFileName(n.key, n.page), n.file) << n.key;
    const std::string page = "Premier paragraphe.\r\nSecond, \xE0 la ligne.";
    EXPECT_EQ(bookPageParse({reinterpret_cast<const std::uint8_t*>(page.data()), page.size()}),
              (std::vector<std::string>{"Premier paragraphe.", "Second, \xE0 la ligne."}));
    const std::string bad("deux\0mots", 9);
    EXPECT_FALSE(bookPageParse({reinterpret_cast<const std::uint8_t*>(bad.data()), bad.size()}));
    const std::string huge(kBookPageMaxBytes + 1, 'x');
    EXPECT_FALSE(bookPageParse({reinterpret_cast<const std::uint8_t*>(huge.data()), huge.size()}));
    EXPECT_FALSE(bookPageRead("NoSuchRecord.txt"));
}

class Books : public test::FrontEndFixture {
protected:
    Books() {
        EXPECT_TRUE(objdbLoad());
        EXPECT_EQ(playerDbChoose("Narval", 0), RosterStatus::Ok);
        screenEnterMainMenu();
        pump();
    }
    ~Books() override {
        screenDestroy(kSlotShipBooks);
        screenDestroy(kSlotReferenceBook);
        rwShutdown();
        objdbFree();
    }

    /// Opens a book's frame from the main menu's line, as a player does; its book.
    BookScreen& openFromMenu(int slot) {
        EXPECT_TRUE(clickMainMenuLine(slot)) << "the menu shows the line";
        EXPECT_EQ(screenCurrentIndex(), slot);
        auto* book = dynamic_cast<BookScreen*>(screenGet(slot)->child(0));
        EXPECT_NE(book, nullptr);
        return *book;
    }

    /// What the screen shows of the book's page, 540 by 420 at its place in the frame.
    static BitmapRef bookPicture() {
        using namespace book_layout;
        BitmapRef picture = Bitmap::createCompatible(kWidth, kHeight);
        const PixelSurface out = picture->surface();
        const ScreenSurface& screen = screenSurface();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                out.write(x, y, out.encode(colorFrom565(screen.row(kBookY + y)[kBookX + x])));
        return picture;
    }
};

TEST_F(Books, EveryRecordOfTheDataSetOpensInTheReferenceBookWithItsPageAndModel) {
    BookScreen& book = openFromMenu(kSlotReferenceBook);
    ASSERT_EQ(static_cast<int>(book.entries().size()), objdbCount());
    const std::string missing = textCopy(2937);
    for (int i = 0; i < objdbCount(); ++i) {
        book.choose(i);
        const ObjectRecord& record = *objdbGetByIndex(i);
        EXPECT_EQ(book.entries()[static_cast<std::size_t>(i)].label, record.displayName.view());
        ASSERT_FALSE(book.page().empty());
        EXPECT_NE(book.page().front(), missing) << record.keyName.view() << " has its page";
        EXPECT_EQ(book.modelView()->hasModel(), !record.modelName.view().empty()) << record.keyName.view();
    }
    EXPECT_FALSE(bookFigures(*objdbFindByName("Akula")).empty());
}

TEST_F(Books, APageOfTheReferenceBookWithItsModelAtAFixedAngle) {
    BookScreen& book = openFromMenu(kSlotReferenceBook);
    const auto akula = std::find_if(book.entries().begin(), book.entries().end(), [](const BookEntry& e) {
        return e.record && e.record->keyName.view() == "Akula";
    });
    ASSERT_NE(akula, book.entries().end());
    book.setTurning(false);
    book.choose(static_cast<int>(akula - book.entries().begin()));
    book.modelView()->setHeading(60.0);
    book.modelView()->render();
    pump();
    test::saveScreenPicture("velms");
    EXPECT_TRUE(test::matchesGoldenIn("tests/frontend/golden", *bookPicture(), "velms_akula"));
}

TEST_F(Books, TheModelTurnsWithTheClockAndEscGoesBack) {
    BookScreen& book = openFromMenu(kSlotShipBooks);
    EXPECT_DOUBLE_EQ(book.modelView()->heading(), 0.0);
    run(1000);
    EXPECT_NEAR(book.modelView()->heading(), 30.0, 3.0) << "a whole turn in twelve seconds";
    test::saveScreenPicture("shipbook");
    press(static_cast<std::uint8_t>(VK_ESCAPE), 27);
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    pump();
    EXPECT_EQ(screenGet(kSlotShipBooks), nullptr) << "left, the frame goes";
}

TEST_F(Books, TheShipBookTellsOfTheOwnBoatItsStationsItsWeaponsAndWhatItCarries) {
    BookScreen& book = openFromMenu(kSlotShipBooks);
    ASSERT_GE(book.entries().size(), 3u);
    const ObjectRecord* own = objdbFindByName("Q71i");
    for (int i : {0, 1}) {
        EXPECT_EQ(book.entries()[static_cast<std::size_t>(i)].record, own);
        book.choose(i);
        EXPECT_GT(book.page().size(), 2u) << "the own boat's page " << i;
    }
    EXPECT_NE(book.entries()[0].pageFile, book.entries()[1].pageFile);
    for (std::size_t i = 2; i < book.entries().size(); ++i)
        EXPECT_EQ(book.entries()[i].record->kind, 5u) << book.entries()[i].label << " is a weapon";
}

TEST_F(Books, TheFrameAndTheHostBuildTheSameBook) {
    const struct {
        int slot, station;
        const char* key;
    } books[] = {{kSlotShipBooks, kStationShipBooks, "shipbksScreen"},
                 {kSlotReferenceBook, kStationVelms, "velmsScreen"}};
    booksRegisterStations();
    for (const auto& b : books) {
        BookScreen& framed = openFromMenu(b.slot);
        EXPECT_TRUE(framed.framed());
        const Rect place = windowGetRect(framed.window());
        EXPECT_EQ(place, (Rect{book_layout::kBookX, book_layout::kBookY, book_layout::kBookX + 540,
                               book_layout::kBookY + 420}));
        auto inHost = stationCreate(b.station, screenGet(b.slot)->window());
        auto* hosted = dynamic_cast<BookScreen*>(inHost.get());
        ASSERT_NE(hosted, nullptr);
        EXPECT_EQ(&hosted->kind(), &framed.kind());
        EXPECT_FALSE(hosted->framed());
        EXPECT_EQ(stationKey(b.station), b.key);
        screenSwitch(kSlotMainMenu);
        pump();
    }
    stationRegisterMaker(kStationShipBooks, nullptr);
    stationRegisterMaker(kStationVelms, nullptr);
}

} // namespace
} // namespace q71
