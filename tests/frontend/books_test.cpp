// The ship book and the reference book: the main menu's frames with the book framed in them and
// the host's stations building the same books, every record of the data set opening with its
// page and model, every name and figure standing whole in letters a player reads, the list's
// bar with its arrows, the model turning on the clock, a page of the data set as a golden image,
// and the names and reading of the books' pages.
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell_fonts.h"
#include "framework/app/station_table.h"
#include "framework/resources/group_archive.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/line_scroller.h"
#include "framework/widgets/scroller.h"
#include "framework/widgets/scroller_parts.h"
#include "framework/widgets/widget_bitmap.h"
#include "frontend/books/book_layout.h"
#include "frontend/books/book_model_view.h"
#include "frontend/books/book_page.h"
#include "frontend/books/books.h"
#include "frontend/books/container_fs.h"
#include "frontend/glass_list.h"
#include "frontend/glass_text.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "frontend_fixture.h"
#include "platform/display/input_event.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/pixel_surface.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_system.h"
#include "sim/scoring/player_roster.h"
#include "sim/world/object_database.h"
#include "sim/world/object_record.h"
#include "support/golden_image.h"
#include "support/screen_picture.h"
#include "tactical/rwutils/sea_texture.h"
#include "whole_letters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

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

    /// Chooses each entry of a book in turn, as a click on its row does, and hands it over with the
    /// texts then drawn on the figures' glass.
    void
    forEachEntrysFigures(BookScreen& book,
                         const std::function<void(const BookEntry&, const std::vector<TextDrawn>&)>& check) {
        test::DrawnTexts drawn;
        for (int i = 0; i < static_cast<int>(book.entries().size()); ++i) {
            drawn.clear();
            book.choose(i);
            pump();
            check(book.entries()[static_cast<std::size_t>(i)], drawn.in(book_layout::kFiguresGlass));
        }
    }

    /// A rectangle of the book's page where the frame puts it on the screen.
    static Rect onScreen(const Rect& onPage) { return onPage.offsetBy(book_layout::kBookX, book_layout::kBookY); }

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

using test::DrawnTexts;
using test::inside;
using test::lettersNotWhole;
using test::spellOut;

TEST_F(Books, EveryNameAndFigureStandsWholeInLettersAPlayerReads) {
    std::map<FontRef, std::string> lettersByFont;
    for (const int slot : {kSlotShipBooks, kSlotReferenceBook}) {
        BookScreen& book = openFromMenu(slot);
        test::expectRowsWholeAndLegible(*book.list(), [this] { pump(); });
        // Each figure once, whole on the glass, none over another. The book draws its page in a
        // picture of its own: what is drawn on it stands at the page's places.
        const Rect figures = book_layout::kFiguresGlass;
        forEachEntrysFigures(book, [&](const BookEntry& entry, const std::vector<TextDrawn>& shown) {
            const std::vector<std::string> expected = entry.record ? bookFigures(*entry.record) : std::vector<std::string>{};
            ASSERT_EQ(shown.size(), expected.size()) << entry.label;
            for (std::size_t f = 0; f < shown.size(); ++f) {
                EXPECT_NE(std::find(expected.begin(), expected.end(), shown[f].text), expected.end()) << shown[f].text;
                EXPECT_TRUE(inside(shown[f].ink, figures.inflatedBy(-2, -2))) << shown[f].text << " on its glass";
                for (std::size_t g = 0; g < f; ++g)
                    EXPECT_FALSE(shown[f].ink.intersects(shown[g].ink)) << shown[f].text << " over " << shown[g].text;
                lettersByFont[shown[f].font] += shown[f].text;
            }
        });
        screenSwitch(kSlotMainMenu);
        pump();
    }
    for (const auto& [font, letters] : lettersByFont)
        EXPECT_EQ(lettersNotWhole(*font, letters), "") << font->familyName() << " " << font->metrics().height;
}

TEST_F(Books, EachEntrysFiguresStandInOneRegularFaceTheirColumnsTwoSpacesApart) {
    const bool textIsBold = appInterfaceFont(kTextFont)->metrics().weight >= kFontWeightBold;
    for (const int slot : {kSlotShipBooks, kSlotReferenceBook}) {
        BookScreen& book = openFromMenu(slot);
        forEachEntrysFigures(book, [&](const BookEntry& entry, const std::vector<TextDrawn>& shown) {
            if (shown.empty())
                return;
            const FontRef font = shown.front().font;
            EXPECT_EQ(font->metrics().weight >= kFontWeightBold, textIsBold)
                << entry.label << ": of the weight of the glass's running text";
            const int twoSpaces = font->textWidth("  ");
            for (const TextDrawn& a : shown) {
                EXPECT_EQ(a.font, font) << entry.label << ": \"" << a.text << "\" in the font of the others";
                for (const TextDrawn& b : shown) {
                    const bool sameRow = a.ink.top < b.ink.bottom && b.ink.top < a.ink.bottom;
                    if (sameRow && a.ink.left < b.ink.left) {
                        EXPECT_GE(b.ink.left - a.ink.right, twoSpaces)
                            << entry.label << ": \"" << a.text << "\" and \"" << b.text << "\"";
                    }
                }
            }
        });
        screenSwitch(kSlotMainMenu);
        pump();
    }
}

TEST_F(Books, ARowOfTwoLinesIsChosenOnEitherAndTheLastNameShowsWholeAtTheEnd) {
    BookScreen& book = openFromMenu(kSlotReferenceBook);
    const Rect list = book_layout::kListGlass;
    DrawnTexts drawn;
    // The first name below the first page that takes two lines: scrolled to, a click on its second
    // line chooses it.
    int entry = -1;
    for (int i = book.list()->visibleRows(); i < static_cast<int>(book.entries().size()) && entry < 0; ++i)
        if (book.list()->rowLines(i).size() == 2)
            entry = i;
    ASSERT_GE(entry, 0) << "a name of the data set too long for one line";
    book.choose(0);
    drawn.clear();
    book.list()->scrollTo(entry);
    pump();
    const std::string second = book.list()->rowLines(entry)[1];
    const std::vector<TextDrawn> rows = drawn.in(list);
    const auto line = std::find_if(rows.begin(), rows.end(), [&](const TextDrawn& t) { return t.text == second; });
    ASSERT_NE(line, rows.end());
    const Rect onScreenLine = onScreen(line->ink);
    clickAt({(onScreenLine.left + onScreenLine.right) / 2, (onScreenLine.top + onScreenLine.bottom) / 2});
    EXPECT_EQ(book.chosen(), entry);
    // End: the last entry, whole above the glass's bottom, and the rows above it whole too.
    drawn.clear();
    press(static_cast<std::uint8_t>(VK_END));
    EXPECT_EQ(book.chosen(), static_cast<int>(book.entries().size()) - 1);
    const std::vector<TextDrawn> last = drawn.in(list);
    EXPECT_TRUE(spellOut(last, book.entries().back().label));
    for (const TextDrawn& text : last)
        EXPECT_TRUE(inside(text.ink, list.inflatedBy(-4, -4))) << text.text;
    // Home: back to the first.
    press(static_cast<std::uint8_t>(VK_HOME));
    EXPECT_EQ(book.list()->firstVisible(), 0);
    EXPECT_EQ(book.chosen(), 0);
}

TEST_F(Books, TheListsBarShowsItsArrowsOnTheGlassAndTheyStepTheRows) {
    BookScreen& book = openFromMenu(kSlotReferenceBook);
    pump();
    Scroller* bar = book.list()->scrollBar();
    ASSERT_NE(bar, nullptr) << "more entries than the list shows";
    // A frame of an arrow's strip as the data set holds it: frames of 16 by 16 one above the
    // other, the rows stored from the bottom up with a separator row after each frame.
    const auto frame = [](const char* strip, int index) {
        const GroupSelectionKept bookGroup;
        EXPECT_EQ(grpOpenGroup(kSharedScrollerGroup), 1);
        WidgetBitmap picture;
        EXPECT_TRUE(picture.load(strip)) << strip;
        BitmapRef whole = createDIBitmap(picture.header(), picture.bits());
        EXPECT_NE(whole, nullptr);
        return std::pair{whole, 1 + index * 17};
    };
    // Whether the screen shows that frame in a square of the screen.
    const auto shows = [](const Rect& square, const std::pair<BitmapRef, int>& wanted) {
        const PixelSurface picture = wanted.first->surface();
        for (int y = 0; y < square.height(); ++y)
            for (int x = 0; x < square.width(); ++x)
                if (colorFrom565(screenSurface().row(square.top + y)[square.left + x]) !=
                    picture.decode(picture.read(x, wanted.second + y)))
                    return false;
        return true;
    };
    const Rect up = windowGetRect(bar->decrementArrow()->window());
    const Rect down = windowGetRect(bar->incrementArrow()->window());
    EXPECT_EQ(up.width(), 16);
    EXPECT_TRUE(shows(up, frame("arrowu.bmp", 0))) << "the up arrow, at rest";
    EXPECT_TRUE(shows(down, frame("arrowd.bmp", 0))) << "the down arrow, at rest";
    const Point onDown{(down.left + down.right) / 2, (down.top + down.bottom) / 2};
    display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, onDown));
    pump();
    EXPECT_TRUE(shows(down, frame("arrowd.bmp", 1))) << "held, it shows pressed";
    display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, onDown));
    pump();
    EXPECT_TRUE(shows(down, frame("arrowd.bmp", 0)));
    EXPECT_EQ(book.list()->firstVisible(), 1) << "a click steps one row";
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
