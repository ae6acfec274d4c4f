#pragma once
// The process's font machinery: one FreeType library and one fontconfig configuration holding
// the system fonts and the outline font files the program adds, and the strikes of the strike
// files it adds. Only the font code includes this.

#include "platform/gdi/font.h"
#include "platform/gdi/strike_set.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct FT_LibraryRec_;

namespace q71 {

/// A font file and the face in it that fontconfig chose.
struct FontMatch {
    std::string file;
    int index = 0;
    std::string family;
    int weight = 0; ///< OpenType scale (400 regular, 700 bold)
    bool italic = false;
};

class FontLibrary {
public:
    /// The one library of the process, made on first use. Every face holds it too, so that it
    /// outlasts the last font whatever order the program's objects are destroyed in at exit.
    static const std::shared_ptr<FontLibrary>& shared();
    static FontLibrary& instance() { return *shared(); }
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    FT_LibraryRec_* freetype() const { return freetype_; }
    /// The best outline face for a description; nullopt when fontconfig knows no font at all.
    std::optional<FontMatch> match(const LogFont& description);
    /// The added strike that draws a description, or null when outlines draw it.
    std::shared_ptr<const Strike> strikeFor(const LogFont& description);
    /// Adds a font file, of outlines or of strikes; returns how many faces or strikes it holds (0:
    /// none added, the file missing or damaged).
    int addFile(const std::string& path);
    /// Withdraws a file added before; false when it was not.
    bool removeFile(const std::string& path);
    /// Serialises FreeType calls (faces are opened and rendered from any thread that draws).
    std::mutex& lock() { return mutex_; }

private:
    FontLibrary();
    void rebuildAppFonts();

    FT_LibraryRec_* freetype_ = nullptr;
    void* config_ = nullptr;
    std::vector<std::string> added_; ///< outline files
    StrikeSet strikes_;
    std::mutex mutex_;
};

} // namespace q71
