#include "platform/display/sdl_backend.h"

#include "platform/display/letterbox.h"
#include "platform/display/sdl_keymap.h"
#include "platform/text/cp1252.h"
#include "platform/window/virtual_keys.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

namespace q71 {

struct SdlBackend::Handles {
    SDL_Window* window = nullptr;
    SDL_Cursor* cursor = nullptr;
    Uint32 wakeEvent = 0;

    ~Handles() {
        if (cursor)
            SDL_FreeCursor(cursor);
        if (window) {
            settle();
            SDL_DestroyWindow(window);
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // SDL wakes a wait for events by a message to the window through a second connection to the
    // X server, and after a wait that ran out it owes the window one such message, sent at the
    // next event. Should it reach the server after the window has gone, the server refuses it
    // and Xlib ends the program with a failure. Hidden, the window is no longer one SDL wakes;
    // an event pushed now pays what is owed, and a frame's time lets the server take it first.
    void settle() {
        SDL_HideWindow(window);
        SDL_Event owed{};
        owed.type = wakeEvent;
        SDL_PushEvent(&owed);
        SDL_Delay(kSettleMilliseconds);
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    static constexpr Uint32 kSettleMilliseconds = 16;
};

namespace {

// The largest whole multiple of the screen that fits on the desktop, so pixels stay square.
int initialScale() {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0)
        return 1;
    int scale =
        std::min(usable.w * 9 / 10 / ScreenSurface::kWidth, usable.h * 9 / 10 / ScreenSurface::kHeight);
    return std::max(scale, 1);
}

// The character the layout gave a key-down: the text event SDL queues right behind it.
int layoutCharacter(const SDL_KeyboardEvent& key) {
    SDL_Event next;
    if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
        next.type == SDL_TEXTINPUT) {
        SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
        std::string converted;
        size_t errorAt = 0;
        if (utf8ToCp1252(next.text.text, converted, errorAt) && converted.size() == 1)
            return static_cast<unsigned char>(converted[0]);
        return -1;
    }
    // No text comes with Alt held; the key's own symbol stands in, as Alt+letter needs it.
    SDL_Keycode sym = key.keysym.sym;
    if ((key.keysym.mod & KMOD_ALT) && sym >= ' ' && sym <= '~') {
        bool upper = (key.keysym.mod & KMOD_SHIFT) && sym >= 'a' && sym <= 'z';
        return upper ? sym - 'a' + 'A' : sym;
    }
    return -1;
}

} // namespace

namespace {

constexpr const char* kNoDisplayAdvice =
    ".\nStart q71 from a desktop session, or set Q71_DISPLAY=headless to run it without a window.";

} // namespace

std::unique_ptr<SdlBackend> SdlBackend::open(std::string& error) {
    // The program switches the screen saver off and on itself, as the desktop setting allows.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // The window's pixels are sent to the display server as they are (on X11 through shared
    // memory), a changed part alone: drawing them through a 3-D texture instead would send the
    // whole window each frame and, where the 3-D driver is software, scale it on the processor.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The click that brings the window to the front counts, as it does on Windows.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("cannot open a window: ") + SDL_GetError() + kNoDisplayAdvice;
        return nullptr;
    }
    // Without a desktop, SDL falls back on drivers that show nothing: the program would run on
    // unseen. Only a driver asked for by name may be one of those.
    const std::string_view driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    if ((driver == "offscreen" || driver == "dummy") && !std::getenv("SDL_VIDEODRIVER")) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        error = "no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)" +
                std::string(kNoDisplayAdvice);
        return nullptr;
    }
    auto h = std::make_unique<Handles>();
    int scale = initialScale();
    h->window =
        SDL_CreateWindow("q71", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, ScreenSurface::kWidth * scale,
                         ScreenSurface::kHeight * scale, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (h->window)
        SDL_SetWindowMinimumSize(h->window, ScreenSurface::kWidth / 2, ScreenSurface::kHeight / 2);
    h->wakeEvent = SDL_RegisterEvents(1);
    if (!h->window || h->wakeEvent == static_cast<Uint32>(-1)) {
        error = std::string("cannot open a window: ") + SDL_GetError();
        return nullptr;
    }
    SDL_StartTextInput();
    std::unique_ptr<SdlBackend> backend(new SdlBackend(std::move(h)));
    if (!backend->attachPixels()) {
        error = backend->pixelsError_;
        return nullptr;
    }
    return backend;
}

SdlBackend::SdlBackend(std::unique_ptr<Handles> handles) : sdl_(std::move(handles)) {
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(std::max(SDL_GetWindowDisplayIndex(sdl_->window), 0), &mode) == 0 &&
        mode.refresh_rate > 0)
        frameInterval_ = std::chrono::milliseconds(std::max(1000 / mode.refresh_rate, 1));
    surface_.markChanged(); // the first idle pass shows the (black) screen
}

SdlBackend::~SdlBackend() = default;

Rect SdlBackend::shownInWindow() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(sdl_->window, &w, &h);
    return letterboxRect(w, h);
}

bool SdlBackend::pollEvent(InputEvent& event) {
    if (pending_) {
        event = *pending_;
        pending_.reset();
        return true;
    }
    // Another copy's knock is looked for a few times a second, not at every poll: each look is a
    // call to the system.
    if (const Uint64 now = SDL_GetTicks64(); now >= nextKnockLook_) {
        nextKnockLook_ = now + kKnockLookInterval;
        if (instance_.takeRaiseRequest()) {
            SDL_RestoreWindow(sdl_->window); // a restore comes back as an event and ends the program's pause
            SDL_RaiseWindow(sdl_->window);
        }
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (translate(&e, event))
            return true;
    }
    return false;
}

bool SdlBackend::translate(const void* sdlEvent, InputEvent& event) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(sdlEvent);
    if (e.type == sdl_->wakeEvent) {
        wakePending_ = false;
        return false;
    }
    switch (e.type) {
    case SDL_QUIT:
        event = InputEvent::windowChange(InputKind::CloseRequested);
        return true;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_MINIMIZED:
            event = InputEvent::windowChange(InputKind::Minimized);
            return true;
        case SDL_WINDOWEVENT_RESTORED:
            event = InputEvent::windowChange(InputKind::Restored);
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            applyCursor();
            pixelsStale_ = true; // the window's pixels are made anew at its size
            surface_.markChanged();
            return false;
        case SDL_WINDOWEVENT_EXPOSED:
            windowLost_ = true; // the window lost its picture: show it all again
            surface_.markChanged();
            return false;
        default:
            return false;
        }
    case SDL_MOUSEMOTION:
        event = InputEvent::moveTo(letterboxToScreen({e.motion.x, e.motion.y}, shownInWindow()));
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        MouseButton button;
        if (e.button.button == SDL_BUTTON_LEFT)
            button = MouseButton::Left;
        else if (e.button.button == SDL_BUTTON_RIGHT)
            button = MouseButton::Right;
        else if (e.button.button == SDL_BUTTON_MIDDLE)
            button = MouseButton::Middle;
        else
            return false;
        InputKind kind = e.type == SDL_MOUSEBUTTONDOWN ? InputKind::ButtonDown : InputKind::ButtonUp;
        event =
            InputEvent::buttonAt(kind, button, letterboxToScreen({e.button.x, e.button.y}, shownInWindow()));
        return true;
    }
    case SDL_MOUSEWHEEL: {
        int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        if (notches == 0)
            return false;
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        event = InputEvent::wheelAt(letterboxToScreen({x, y}, shownInWindow()), notches * 120);
        return true;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return translateKey(&e, event);
    default:
        return false;
    }
}

bool SdlBackend::translateKey(const void* sdlEvent, InputEvent& event) {
    const SDL_KeyboardEvent& key = static_cast<const SDL_Event*>(sdlEvent)->key;
    bool down = key.type == SDL_KEYDOWN;
    InputKind kind = down ? InputKind::KeyDown : InputKind::KeyUp;
    if (key.keysym.sym == SDLK_MODE) {
        // AltGr is Ctrl+Alt to the program, as on Windows: pressed Ctrl first, released Ctrl last.
        if (key.repeat)
            return false;
        event = InputEvent::keyOf(kind, down ? VK_LCONTROL : VK_RMENU);
        pending_ = InputEvent::keyOf(kind, down ? VK_RMENU : VK_LCONTROL);
        return true;
    }
    std::uint8_t vk = virtualKeyFromSdl(key.keysym.sym, key.keysym.scancode);
    if (vk == 0)
        return false;
    event = InputEvent::keyOf(kind, vk, down ? layoutCharacter(key) : -1);
    return true;
}

void SdlBackend::waitForEvents(std::chrono::milliseconds timeout) {
    if (pending_)
        return;
    SDL_WaitEventTimeout(nullptr, static_cast<int>(std::clamp<std::int64_t>(timeout.count(), 0, 1000)));
}

void SdlBackend::wake() {
    // One wake event in the queue is enough, however many threads post.
    if (wakePending_.exchange(true))
        return;
    SDL_Event e{};
    e.type = sdl_->wakeEvent;
    if (SDL_PushEvent(&e) != 1)
        wakePending_ = false;
}

bool SdlBackend::attachPixels() {
    SDL_Surface* pixels = SDL_GetWindowSurface(sdl_->window);
    if (!pixels) {
        pixelsError_ = std::string("cannot draw in the window: ") + SDL_GetError();
        return false;
    }
    const SDL_PixelFormat& f = *pixels->format;
    if (!scaler_.setTarget(pixels->w, pixels->h, {f.BytesPerPixel, f.Rmask, f.Gmask, f.Bmask})) {
        pixelsError_ = "cannot draw in a window of " + std::to_string(f.BitsPerPixel) + " bits per pixel";
        return false;
    }
    pixelsStale_ = false;
    windowLost_ = true;
    return true;
}

void SdlBackend::present() {
    surface_.takeChanged();
    std::vector<Rect> changed;
    {
        std::lock_guard lock(surface_.lock); // a movie may be writing its frame from its thread
        changed = frame_.takeChanges(surface_);
    }
    if (pixelsStale_ && !attachPixels())
        return;
    SDL_Surface* pixels = SDL_GetWindowSurface(sdl_->window);
    if (!pixels || (SDL_MUSTLOCK(pixels) && SDL_LockSurface(pixels) != 0)) {
        windowLost_ = true; // the changes just taken are shown with the whole picture next time
        return;
    }
    const WindowPixels target{static_cast<std::uint8_t*>(pixels->pixels), pixels->pitch, pixels->w,
                              pixels->h};
    std::vector<SDL_Rect> sent;
    if (windowLost_) {
        scaler_.drawAll(frame_.pixels(), target);
    } else {
        for (const Rect& area : changed)
            if (const Rect out = scaler_.draw(frame_.pixels(), area, target); !out.isEmpty())
                sent.push_back({out.left, out.top, out.width(), out.height()});
    }
    if (SDL_MUSTLOCK(pixels))
        SDL_UnlockSurface(pixels);
    if (std::exchange(windowLost_, false))
        SDL_UpdateWindowSurface(sdl_->window);
    else if (!sent.empty())
        SDL_UpdateWindowSurfaceRects(sdl_->window, sent.data(), static_cast<int>(sent.size()));
}

void SdlBackend::setCursor(const CursorImage* image) {
    if (!image) {
        cursorImage_.reset();
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    cursorImage_ = *image;
    cursorScale_ = 0;
    applyCursor();
}

void SdlBackend::applyCursor() {
    if (!cursorImage_)
        return;
    // The cursor grows with the screen, in whole steps so its pixels stay square.
    int scale = std::max(1, (shownInWindow().width() + ScreenSurface::kWidth / 2) / ScreenSurface::kWidth);
    if (scale == cursorScale_)
        return;
    const CursorImage& image = *cursorImage_;
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, image.width * scale, image.height * scale, 32,
                                                          SDL_PIXELFORMAT_ARGB8888);
    if (!picture)
        return;
    for (int y = 0; y < picture->h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(picture->pixels) + y * picture->pitch);
        for (int x = 0; x < picture->w; ++x)
            row[x] = image.argb[static_cast<size_t>(y / scale) * image.width + x / scale];
    }
    SDL_Cursor* cursor = SDL_CreateColorCursor(picture, image.hotSpot.x * scale, image.hotSpot.y * scale);
    SDL_FreeSurface(picture);
    if (!cursor)
        return;
    SDL_SetCursor(cursor);
    SDL_ShowCursor(SDL_ENABLE);
    if (sdl_->cursor)
        SDL_FreeCursor(sdl_->cursor);
    sdl_->cursor = cursor;
    cursorScale_ = scale;
}

void SdlBackend::warpPointer(Point position) {
    Point at = letterboxToWindow(position, shownInWindow());
    SDL_WarpMouseInWindow(sdl_->window, at.x, at.y);
}

void SdlBackend::setMinimized(bool minimized) {
    if (minimized)
        SDL_MinimizeWindow(sdl_->window);
    else
        SDL_RestoreWindow(sdl_->window);
}

void SdlBackend::raise() {
    SDL_RaiseWindow(sdl_->window);
}

void SdlBackend::setTitle(std::string_view title) {
    SDL_SetWindowTitle(sdl_->window, cp1252ToUtf8(title).c_str());
}

bool SdlBackend::screenSaverEnabled() const {
    return SDL_IsScreenSaverEnabled() == SDL_TRUE;
}

void SdlBackend::setScreenSaverEnabled(bool enabled) {
    if (enabled)
        SDL_EnableScreenSaver();
    else
        SDL_DisableScreenSaver();
}

} // namespace q71
