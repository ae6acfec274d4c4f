#include "media/shell_media.h"

#include "media/audio/crew_speech.h"
#include "media/audio/music.h"
#include "media/audio/sound_manager.h"
#include "media/movie/movie_player.h"

namespace q71 {
namespace {

class ShellMedia final : public AppMedia {
public:
    void musicInit(WindowHandle mainWindow) override { q71::musicInit(mainWindow); }
    void soundInit(WindowHandle mainWindow) override { q71::soundInit(mainWindow); }
    int initMoviePlayer(WindowHandle mainWindow) override {
        return init_movie_player(mainWindow, soundGetDirectSound(), soundGetPrimaryBuffer());
    }
    int setDisplayMode(int width, int height, int depth) override {
        return set_display_mode(width, height, depth);
    }
    int initDisplay() override { return init_display(); }
    bool restoreDisplay() override { return restore_display() != nullptr; }
    void abortMovie() override { abort_movie(); }
    void closeMoviePlayer() override { close_movie_player(); }
    void musicShutdown() override { q71::musicShutdown(); }
    void soundShutdown() override {
        // The crew's channels are kept voices of the sound manager: they go before it does.
        crewFreeChannels();
        q71::soundShutdown();
    }
    bool musicIsEnabled() override { return q71::musicIsEnabled(); }
    void musicEnable() override { q71::musicEnable(); }
    void musicDisable() override { q71::musicDisable(); }
    void musicApplyVolume() override { q71::musicApplyVolume(); }
    void musicUnload() override { q71::musicUnload(); }
    void musicLoadAndPlay(const char* name, int loop) override { q71::musicLoadAndPlay(name, loop); }
    void musicNotifyEnd(WindowHandle window, WParam argument) override {
        q71::musicNotifyEnd(window, argument);
    }
    void crewSetReportLevel(int level) override { q71::crewSetReportLevel(level); }
};

} // namespace

AppMedia& mediaShellServices() {
    static ShellMedia services;
    return services;
}

} // namespace q71
