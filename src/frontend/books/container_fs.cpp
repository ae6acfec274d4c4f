#include "frontend/books/container_fs.h"

#include "framework/app/key_matching.h"
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "framework/widgets/simple_button.h"
#include "frontend/books/book_layout.h"
#include "frontend/books/books.h"
#include "frontend/screen_art.h"

namespace q71 {
namespace {

constexpr int kBackId = 1;
constexpr int kEscape = 27;
// The books' last argument: framed in the main menu's screen, or standing in the host.
constexpr int kFramed = 1;
constexpr int kInHost = 0;

std::unique_ptr<FullScreen> makeFrame(const ScreenRequest& request, const char* key, const char* bookKey,
                                      const BookKind& book, int slot) {
    using namespace book_layout;
    auto frame = std::make_unique<ContainerFS>(key, request.mainWindow, book.group, slot);
    frame->setChild(std::make_unique<BookScreen>(bookKey, frame->window(), kWidth, kHeight, kBookX, kBookY,
                                                 kFramed, book));
    return frame;
}

std::unique_ptr<FullScreen> makeShipBooks(const ScreenRequest& request) {
    return makeFrame(request, "ShipBooks", "ShipBooksScreen", kShipBook, kSlotShipBooks);
}

std::unique_ptr<FullScreen> makeVelms(const ScreenRequest& request) {
    return makeFrame(request, "Velms", "velmsScreen", kReferenceBook, kSlotReferenceBook);
}

template <const BookKind& Book>
std::unique_ptr<SubScreen> makeStationBook(std::string_view key, WindowHandle parent, int width, int height,
                                           int x, int y) {
    return std::make_unique<BookScreen>(key, parent, width, height, x, y, kInHost, Book);
}

} // namespace

ContainerFS::ContainerFS(std::string_view key, WindowHandle parent, const char* group, int slot)
    : FrontEndScreen(key, parent), group_(group), slot_(slot) {}

ContainerFS::~ContainerFS() = default;

void ContainerFS::setChild(std::unique_ptr<SubScreen> child) {
    setChildCount(1);
    FullScreen::setChild(0, std::move(child));
    currentChild_ = 0;
}

void ContainerFS::open() {
    using namespace book_layout;
    frontEndSelectGroup(group_);
    frontEndLoadBackground(background_);
    back_ = frontEndPushButton(window_, kBackId, kBackX, kBackY, kBackWidth, kBackHeight);
}

void ContainerFS::close() {
    back_.reset();
    background_.free();
}

int ContainerFS::onCommand(WParam wParam, LParam lParam) {
    if (static_cast<int>(wParam) == kBackId) {
        leave();
        return 1;
    }
    return FrontEndScreen::onCommand(wParam, lParam);
}

int ContainerFS::onKey(int key, int category) {
    if (category == kKeyChar && key == kEscape) {
        leave();
        return 1;
    }
    SubScreen* book = child(0);
    return book ? book->onKey(key, category) : 0;
}

void ContainerFS::leave() {
    screenSwitch(kSlotMainMenu);
    screenDestroyLater(slot_);
}

void booksRegisterScreens() {
    screenRegisterMaker(kSlotShipBooks, makeShipBooks);
    screenRegisterMaker(kSlotReferenceBook, makeVelms);
}

void booksRegisterStations() {
    stationRegisterMaker(kStationShipBooks, makeStationBook<kShipBook>);
    stationRegisterMaker(kStationVelms, makeStationBook<kReferenceBook>);
}

} // namespace q71
