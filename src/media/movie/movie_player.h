#pragma once
// The movie player: a procedural library that owns the display the program's 640 by 480 by 16
// screen is opened through, and plays movie files full screen or clipped, with their sound,
// on a playback thread of its own. The movie screens of the front end and the start-up code
// call it; while a movie plays the main loop's idle hook does nothing.
//
// Calls come from the main thread. The end of a movie (its last frame, a stop request, or a
// failure while playing) is told to the notify window with WM_COMMAND kMovieEndCommand.
// Failures return 1 (or a negative value from the play calls); success returns 0.

#include "media/movie/movie_playback.h"
#include "platform/window/window_types.h"

#include <cstdint>

namespace q71 {

class SoundBuffer;
class SoundDevice;

/// Starts the player for the window with the sound manager's device and primary buffer (or,
/// given none, a device of its own) and creates the display on the window system's screen.
int init_movie_player(WindowHandle window, SoundDevice* device, SoundBuffer* primary);
/// Stops any movie and releases the display and the player's own device.
void close_movie_player();

/// Sets the display mode (the screen has one: 640 by 480 at 16 bits); 0 without a display, else 1.
int set_display_mode(int width, int height, int depth);
/// Makes the display surface and its clipper ready; 0 on success.
int init_display();
/// Brings the window to the front, limits the display to it and fills it with black; 0 on success.
int open_display(WindowHandle window);
/// Lets the display reach the whole screen again; 0.
int detach_clipper();
/// The whole screen black.
void clear_display();
/// The display's first pixel, or null when there is no display.
void* restore_display();

/// Remembers the movie window (notified by full-screen play) and opens the display on it; 0, or
/// -1 (after close_movie) on failure.
int open_movie(WindowHandle window);
/// Plays a file full screen, twice as wide on every second row; 0 when it started, -1 when the
/// file cannot be opened or there is no display, -2 when no thread can be started.
int play_movie(const char* file);
/// Plays a file one to one at x, y, within the notify window, with its sound when `sound` is set.
int play_movie_clipped(const char* file, WindowHandle notify, int x, int y, int sound);
/// Asks the playing movie to stop at its next frame (it still notifies).
void abort_movie();
/// abort_movie, then close_movie.
void stop_movie();
/// Stops a movie still playing and waits for its thread, releases the player's own device (never
/// a lent one) and forgets the movie window.
void close_movie();

/// True while a movie's playback thread runs.
bool movie_is_playing();

} // namespace q71
