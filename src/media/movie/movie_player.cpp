#include "media/movie/movie_player.h"

#include "platform/sound/sound_device.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"

#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

namespace q71 {

namespace {

struct MoviePlayer {
    SoundDevice* device = nullptr;
    SoundBuffer* primary = nullptr;
    std::unique_ptr<SoundDevice> ownDevice; ///< released by close_movie; a lent one never
    std::unique_ptr<MovieDisplay> display;
    bool surfaceReady = false;
    std::atomic<int> stopRequest{0};
    std::atomic<bool> playing{false};
    WindowHandle movieWindow{};
    std::thread playback;
};

MoviePlayer* g_player = nullptr;

// The one mode the platform's screen has.
bool setMode(int width, int height, int depth) { return width == 640 && height == 480 && depth == 16; }

// The movie's thread has ended: the main thread owns the screen's pixels again.
void joinPlayback() {
    g_player->playback.join();
    if (windowSystemRunning())
        screenClaim(std::nullopt);
}

// A movie still playing is stopped and its thread waited for, so that nothing it uses is
// released under it.
void finishPlayback() {
    if (!g_player->playback.joinable())
        return;
    g_player->stopRequest.exchange(1);
    joinPlayback();
}

// The area a movie draws on is its own while it plays: the windows' painting leaves it out, so
// that the screen's pixels have one writer at a time.
void claimFor(WindowHandle window) {
    screenClaim(windowIsValid(window) ? windowVisibleRegion(window) : Region(ScreenSurface::bounds()));
}

int startPlayback(const char* file, WindowHandle notify, std::uint32_t flags, int x, int y) {
    // The movie draws within the window it tells of its end (the movie window when full screen).
    finishPlayback();
    std::unique_ptr<MoviePlayback> playback = movieOpenPlayback(file ? file : "", g_player->device, flags);
    if (!playback)
        return -1;
    playback->display = g_player->display.get();
    playback->notify = notify;
    playback->x = x;
    playback->y = y;
    playback->stopRequest = &g_player->stopRequest;
    g_player->stopRequest.exchange(0);
    claimFor(notify);
    try {
        g_player->playing = true;
        g_player->playback = std::thread([p = std::move(playback)]() mutable {
            movieRunPlayback(std::move(p));
            g_player->playing = false;
        });
    } catch (const std::system_error&) {
        g_player->playing = false;
        screenClaim(std::nullopt);
        return -2;
    }
    return 0;
}

} // namespace

int init_movie_player(WindowHandle /*window: the screen and the devices are the program's*/, SoundDevice* device,
                      SoundBuffer* primary) {
    if (!g_player)
        g_player = new MoviePlayer;
    finishPlayback(); // started again: nothing may go on playing on what is replaced
    if (device) {
        g_player->device = device;
        g_player->primary = primary;
    } else {
        g_player->ownDevice = soundOpenDefaultDevice();
        if (!g_player->ownDevice)
            return 1; // the sound device could not be made
        g_player->device = g_player->ownDevice.get();
        g_player->primary = nullptr;
    }
    if (!windowSystemRunning())
        return 1; // no screen to show movies on
    g_player->display = std::make_unique<MovieDisplay>(screenSurface());
    return 0;
}

void close_movie_player() {
    if (!g_player)
        return;
    finishPlayback();
    delete g_player;
    g_player = nullptr;
}

int set_display_mode(int width, int height, int depth) {
    if (!g_player || !g_player->display)
        return 0;
    if (setMode(width, height, depth))
        return 1;
    // The modes tried in turn when the one asked for cannot be set; after each mode that can be
    // set, the one asked for is tried again.
    static constexpr int kModes[10][3] = {{640, 480, 16}, {800, 600, 16}, {1024, 768, 16}, {640, 480, 32},
                                          {800, 600, 32}, {1024, 768, 32}, {640, 480, 8},  {800, 600, 8},
                                          {1024, 768, 8}, {320, 200, 8}};
    for (const auto& mode : kModes)
        if (setMode(mode[0], mode[1], mode[2]) && setMode(width, height, depth))
            break;
    return 1;
}

int init_display() {
    if (!g_player || !g_player->display)
        return 1;
    g_player->surfaceReady = true;
    return 0;
}

int open_display(WindowHandle window) {
    if (!g_player || !g_player->display || !g_player->surfaceReady || !windowIsValid(window))
        return 1;
    windowSetPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    g_player->display->setClip(windowVisibleRegion(window));
    g_player->display->fillBlack(windowGetRect(window));
    return 0;
}

int detach_clipper() {
    if (g_player && g_player->display)
        g_player->display->setClip(std::nullopt);
    return 0;
}

void clear_display() {
    if (g_player && g_player->display)
        g_player->display->clear();
}

void* restore_display() {
    if (!g_player || !g_player->display || !g_player->surfaceReady)
        return nullptr;
    return g_player->display->pixels();
}

int open_movie(WindowHandle window) {
    if (!g_player)
        return -1;
    g_player->movieWindow = window;
    if (open_display(window) != 0) {
        close_movie();
        return -1;
    }
    return 0;
}

int play_movie(const char* file) {
    // With no display to show it on, nothing would ever tell the caller that the movie ended:
    // that is a failure, not a movie played.
    if (!restore_display())
        return -1;
    std::uint32_t flags = 0x3030060;
    if (g_player->device)
        flags |= kPlayHasDirectSound | kPlaySound;
    if (g_player->primary)
        flags |= kPlayHasPrimaryBuffer;
    clear_display();
    return startPlayback(file, g_player->movieWindow, flags, 0, 0);
}

int play_movie_clipped(const char* file, WindowHandle notify, int x, int y, int sound) {
    if (!restore_display())
        return -1;
    std::uint32_t flags = 0x3030003;
    if (sound) {
        flags |= kPlaySound;
        if (g_player->device)
            flags |= kPlayHasDirectSound;
        if (g_player->primary)
            flags |= kPlayHasPrimaryBuffer;
    }
    // The clipped form plays within its window, brought to the front; the window system is the
    // main thread's, so this is done here rather than on the playback thread.
    if (windowIsValid(notify)) {
        windowSetPos(notify, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        g_player->display->setClip(windowVisibleRegion(notify));
    }
    return startPlayback(file, notify, flags, x, y);
}

void abort_movie() {
    if (g_player)
        g_player->stopRequest.exchange(1);
}

void stop_movie() {
    abort_movie();
    close_movie();
}

void close_movie() {
    if (!g_player)
        return;
    // A movie still playing stops at its next frame and its thread is waited for, so that it
    // never plays on after the device it plays on is released.
    finishPlayback();
    if (g_player->ownDevice) {
        g_player->ownDevice.reset();
        g_player->device = nullptr;
    }
    g_player->movieWindow = {};
}

bool movie_is_playing() {
    if (!g_player)
        return false;
    // A movie that ended by itself gives the screen back as soon as anyone asks.
    if (!g_player->playing && g_player->playback.joinable())
        joinPlayback();
    return g_player->playing;
}

} // namespace q71
