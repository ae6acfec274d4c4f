#pragma once
// Texts by numeric id from the text table (the program's language library), formatting with
// format strings taken by id, key bindings written as texts, the tool-tip switch, player
// colours, and the optional on-screen message log.

#include "framework/textmngr/checked_format.h"

#include <cstdint>
#include <span>
#include <string>

namespace q71 {

/// Loads the text table if not yet loaded; 1 on success, 0 (after a warning box) on failure.
int textOpen();
/// Frees the text table.
void textClose();
/// The Windows-1252 text of an id in one shared 256-byte buffer ("" when missing); null when no table is loaded.
const char* textGetString(int id);
/// A copy of the text of an id ("" when missing or no table is loaded): safe to hold while other
/// texts are looked up, which reuse the shared buffer.
std::string textCopy(int id);

/// Formats with the text of an id as format string into the caller's buffer. The buffer gets
/// "" when no table is loaded, the text is missing, or its conversions do not match the arguments.
template <class... Args>
void textFormat(std::span<char> buffer, int id, const Args&... args) {
    if (buffer.empty())
        return;
    const char* format = textGetString(id);
    if (!format) {
        buffer[0] = '\0';
        return;
    }
    formatCheckedArgs(buffer, format, args...);
}

/// The text of an id formatted with the arguments, as textFormat gives it, in a string of at most
/// 511 bytes.
template <class... Args> std::string textFormatted(int id, const Args&... args) {
    char text[512];
    textFormat(text, id, args...);
    return text;
}

/// True when text 486 exists and begins with "1".
bool textToolTipsEnabled();

/// A key binding: kind 100 plain character, 101 Alt + character, 102 Ctrl + character,
/// 103 special key (virtual-key code).
struct KeyBinding {
    int32_t kind = 0;
    uint8_t key = 0;
};
enum : int32_t { kKeyPlain = 100, kKeyAlt = 101, kKeyCtrl = 102, kKeySpecial = 103 };

/// Parses the text of an id into a key-binding record (the Alt and Ctrl prefixes are texts 489
/// and 490).
void textGetKeyBinding(int id, KeyBinding& record);
/// The binding a text names, given the Alt and Ctrl prefixes.
KeyBinding keyBindingParse(const std::string& text, const std::string& alt, const std::string& ctrl);

/// The colour (0x00BBGGRR) of player `index` modulo 8, the remainder taken as non-negative.
uint32_t playerColour(int index);
/// The network lobby's own texts (builtinText): their arguments in brackets.
enum : int {
    kTextPlayerJoined = 16,    ///< (name)
    kTextPlayerLeftLobby = 17, ///< (name)
    kTextLinkLost = 18,        ///< (name)
    kTextChooseScenario = 19,
    kTextTooFewStarts = 20,  ///< (starts, players), for two starts or more
    kTextLacksScenario = 21, ///< (name, scenario)
    kTextAlone = 22,
    kTextOnlyHostStarts = 23,
    kTextScenarioChosen = 24,     ///< (scenario)
    kTextScenarioMissing = 26,    ///< (scenario)
    kTextHosting = 27,            ///< (port)
    kTextMissionRefused = 28,     ///< (reason)
    kTextNoStartForPlayers = 29,  ///< (players)
    kTextOneStartForPlayers = 30, ///< (players)
};
/// The texts the program carries itself, in Windows-1252: 14 the host left the game, 15 a player
/// left it (one integer, the player's number), 16 to 30 but 25 the network lobby's; "" for other ids.
const char* builtinText(int id);

/// Where the message log writes: the text box of the widget library implements it.
class MessageLogTarget {
public:
    virtual ~MessageLogTarget() = default;
    virtual void addLine(const char* line) = 0;
    virtual void addLineColoured(const char* line, uint32_t colour) = 0;
    virtual void scrollToEnd() = 0;
};

/// The colour marker that means "the box's default colour".
constexpr uint32_t kDefaultLogColour = 0xFF000000;

/// Sets the log's on flag and target.
void msgLogSetTarget(bool on, MessageLogTarget* target);
/// Clears the log's on flag and target.
void msgLogDetach();
/// Adds a line in a colour (or the default colour marker) when the log is on; scrolls to the end.
void msgLogAddColoured(uint32_t colour, const char* line);
/// Adds a line in the default colour.
void msgLogAdd(const char* line);
/// Formats a line of at most 255 characters and adds it.
void msgLogPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// Formats a line with the text of an id (checked against the arguments) and adds it.
template <class... Args>
void msgLogPrintfId(int id, const Args&... args) {
    char line[256];
    textFormat(line, id, args...);
    msgLogAdd(line);
}

} // namespace q71
