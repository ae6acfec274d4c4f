#pragma once
// The full-screen movie: plays its movie, then the second one if it has one, through the movie
// player, with the idle hook doing nothing meanwhile; a click or a dismiss key skips what is
// left. At the end it gives the idle hook back and moves on to its next-screen slot as soon as
// that slot holds a screen (the login of the start is made by the start-up timer, which may come
// later than a short movie ends). A movie that cannot be played ends at once.

#include "frontend/front_end_screen.h"

#include <string>
#include <vector>

namespace q71 {

class MovieScreen : public FrontEndScreen {
public:
    /// A movie screen for a movie file of the movies folder and, when not null, a second one.
    MovieScreen(const char* movie, WindowHandle parent, const char* secondMovie);
    /// A movie still playing is stopped.
    ~MovieScreen() override;

    /// The screen is black wherever the movie does not draw.
    LResult windowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;
    /// Starts the movies when the screen comes up.
    void activate() override;
    /// Stops a movie still playing: nothing plays over another screen.
    void deactivate() override;
    /// The movie player's end notification.
    int onCommand(WParam wParam, LParam lParam) override;
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;

    /// True while one of its movies plays.
    bool isPlaying() const { return playing_; }
    /// The movie files it plays, in order.
    const std::vector<std::string>& movies() const { return movies_; }

protected:
    /// A movie screen for a list of movies (none: it ends at once).
    MovieScreen(std::string_view key, WindowHandle parent, std::vector<std::string> movies);
    /// Skips what is left of the movies.
    bool skip() override;
    /// What follows the movies: the base moves on to the next-screen slot.
    virtual void moveOn();
    /// Switches to the next-screen slot once it holds a screen, checking again on a timer until then.
    void moveOnWhenReady();

private:
    /// Plays the next movie that can be played, or finishes.
    void playNext();
    void finish();

    std::vector<std::string> movies_;
    std::size_t next_ = 0;
    bool playing_ = false;
    bool finished_ = true; ///< nothing to finish until activated
};

} // namespace q71
