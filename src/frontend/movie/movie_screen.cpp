#include "frontend/movie/movie_screen.h"

#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "media/movie/movie_player.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"

namespace q71 {
namespace {

constexpr std::uintptr_t kWaitTimer = 1;
constexpr std::uint32_t kWaitMs = 100;

} // namespace

MovieScreen::MovieScreen(const char* movie, WindowHandle parent, const char* secondMovie)
    : FrontEndScreen(movie, parent) {
    movies_.emplace_back(movie);
    if (secondMovie)
        movies_.emplace_back(secondMovie);
}

MovieScreen::MovieScreen(std::string_view key, WindowHandle parent, std::vector<std::string> movies)
    : FrontEndScreen(key, parent), movies_(std::move(movies)) {}

MovieScreen::~MovieScreen() {
    if (playing_)
        stop_movie();
}

LResult MovieScreen::windowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message != WM_PAINT)
        return FrontEndScreen::windowProc(window, message, wParam, lParam);
    PaintStruct paint = beginPaint(window);
    paint.dc->fillRect(Rect{0, 0, width_, height_}, stockBrush(StockObject::BlackBrush));
    endPaint(window, paint);
    return 0;
}

void MovieScreen::activate() {
    const bool wasActive = activeFullScreen() == this;
    FrontEndScreen::activate();
    if (wasActive)
        return;
    next_ = 0;
    finished_ = false;
    appSetIdleHook(appIdleNone);
    if (open_movie(window_) != 0) {
        finish();
        return;
    }
    playNext();
}

void MovieScreen::deactivate() {
    // Left before its end (the quit question, a death): the movie stops and the idle hook runs again.
    if (playing_) {
        playing_ = false;
        stop_movie();
    }
    if (!finished_) {
        finished_ = true;
        appSetIdleHook(appIdleRun);
    }
    timerKill(window_, kWaitTimer);
    FrontEndScreen::deactivate();
}

void MovieScreen::playNext() {
    while (next_ < movies_.size()) {
        const std::string path = makePath(makePath(cdInstallPath, "Movies"), movies_[next_++]);
        if (play_movie(path.c_str()) == 0) {
            playing_ = true;
            return;
        }
    }
    finish();
}

bool MovieScreen::skip() {
    next_ = movies_.size();
    if (playing_)
        abort_movie(); // the player's end notification finishes
    else
        finish();
    return true;
}

void MovieScreen::finish() {
    playing_ = false;
    if (finished_)
        return;
    finished_ = true;
    close_movie();
    appSetIdleHook(appIdleRun);
    moveOn();
}

void MovieScreen::moveOn() {
    moveOnWhenReady();
}

void MovieScreen::moveOnWhenReady() {
    if (screenGet(nextScreenSlot_)) {
        timerKill(window_, kWaitTimer);
        screenSwitch(nextScreenSlot_);
    } else {
        timerSet(window_, kWaitTimer, kWaitMs);
    }
}

int MovieScreen::onCommand(WParam wParam, LParam lParam) {
    if (wParam != kMovieEndCommand)
        return FrontEndScreen::onCommand(wParam, lParam);
    // The end of a movie stopped because the screen was left goes nowhere; while the program is
    // minimised no further movie starts unseen.
    if (playing_) {
        playing_ = false;
        if (appIsMinimized())
            next_ = movies_.size();
        playNext();
    }
    return 1;
}

LResult MovieScreen::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_TIMER && wParam == kWaitTimer) {
        moveOnWhenReady();
        return 0;
    }
    return FrontEndScreen::handleMessage(window, message, wParam, lParam);
}

} // namespace q71
