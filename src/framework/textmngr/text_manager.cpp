#include "framework/textmngr/text_manager.h"

#include "framework/app/reporter.h"
#include "framework/app/startup_failure.h"
#include "platform/files/locations.h"
#include "platform/text/text_table.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <strings.h>

namespace q71 {
namespace {

// The program's built-in strings: the table's file and the text shown when it cannot be loaded.
constexpr const char* kTextTableFile = "textdllf.txt";
constexpr const char* kTextLoadFailed =
    "Le chargement du texte en fran\xE7" "ais n'a pas pu \xEAtre effectu\xE9.\n"
    " Veuillez ins\xE9rer votre CD dans le lecteur CD-ROM ou r\xE9installez le jeu.";

std::unique_ptr<TextTable> textTable;
char textBuffer[256];

bool msgLogOn = false;
MessageLogTarget* msgLogTarget = nullptr;

constexpr uint32_t kPlayerColours[8] = {0x0000FF, 0xFFCC00, 0x0099FF, 0x00CC00,
                                        0x00FFFF, 0xFF66FF, 0x006699, 0x009966};

struct NamedKey {
    const char* name;
    uint8_t code;
};
constexpr NamedKey kNamedKeys[] = {
    {"Down", 0x28},  {"Up", 0x26},     {"Left", 0x25},  {"Right", 0x27},     {"Home", 0x24},
    {"End", 0x23},   {"Insert", 0x2D}, {"Delete", 0x2E}, {"Return", 0x0D},   {"Space", 0x20},
    {"Tab", 0x09},   {"Backspace", 0x08}, {"Escape", 0x1B}, {"F1", 0x70},    {"F2", 0x71},
    {"F3", 0x72},    {"F4", 0x73},     {"F5", 0x74},    {"F6", 0x75},        {"F7", 0x76},
    {"F8", 0x77},    {"F9", 0x78},     {"F10", 0x79},   {"F11", 0x7A},       {"F12", 0x7B},
};

} // namespace

int textOpen() {
    if (textTable)
        return 1;
    auto table = std::make_unique<TextTable>();
    TextTableError error;
    const std::string path = locationDataRoot() + "/" + kTextTableFile;
    if (!table->load(path, error)) {
        // A missing table gets the program's own message; a damaged one says where it is damaged.
        // Both say where the table was looked for and how to get a good one.
        std::string message = error.line == 0 ? std::string(kTextLoadFailed)
                                              : std::string(kTextLoadFailed) + "\n" + error.describe();
        reportStartupFailure(message + "\n\n" + startupFileText(path) + "\n" + kDataSetAdvice);
        return 0;
    }
    textTable = std::move(table);
    return 1;
}

void textClose() { textTable.reset(); }

const char* textGetString(int id) {
    if (!textTable)
        return nullptr;
    const std::string* text = textTable->find(id);
    std::snprintf(textBuffer, sizeof textBuffer, "%s", text ? text->c_str() : "");
    return textBuffer;
}

std::string textCopy(int id) {
    const char* text = textGetString(id);
    return text ? text : "";
}

bool textToolTipsEnabled() {
    const char* text = textGetString(486);
    return text && text[0] == '1';
}

KeyBinding keyBindingParse(const std::string& s, const std::string& alt, const std::string& ctrl) {
    // The key stands right after the prefix, which is expected at the start of the text.
    auto keyAfter = [&](const std::string& prefix) {
        return static_cast<uint8_t>(prefix.size() < s.size() ? s[prefix.size()] : '\0');
    };
    if (!alt.empty() && s.find(alt) != std::string::npos)
        return {kKeyAlt, keyAfter(alt)};
    if (!ctrl.empty() && s.find(ctrl) != std::string::npos)
        return {kKeyCtrl, keyAfter(ctrl)};
    for (const NamedKey& k : kNamedKeys)
        if (strcasecmp(s.c_str(), k.name) == 0)
            return {kKeySpecial, k.code};
    return {kKeyPlain, static_cast<uint8_t>(s.empty() ? '\0' : s[0])};
}

void textGetKeyBinding(int id, KeyBinding& record) {
    record = keyBindingParse(textCopy(id), textCopy(489), textCopy(490));
}

uint32_t playerColour(int index) {
    int i = index % 8;
    return kPlayerColours[i < 0 ? i + 8 : i];
}

const char* builtinText(int id) {
    // Windows-1252: 0xF4 is o circumflex, 0xE9 e acute.
    switch (id) {
    case 14:
        return "L'h\xF4te a quitt\xE9 le jeu.";
    case 15:
        return "Le joueur num\xE9ro %d a quitt\xE9 le jeu.";
    case kTextPlayerJoined:
        return "%s a rejoint la partie.";
    case kTextPlayerLeftLobby:
        return "%s a quitt\xE9 la partie.";
    case kTextLinkLost:
        return "Liaison perdue avec %s.";
    case kTextChooseScenario:
        return "Choisissez d'abord un sc\xE9nario.";
    case kTextTooFewStarts:
        return "Le sc\xE9nario n'a que %d d\xE9parts pour %d joueurs.";
    case kTextLacksScenario:
        return "%s n'a pas le sc\xE9nario %s.";
    case kTextAlone:
        return "Aucun autre joueur n'a rejoint la partie.";
    case kTextOnlyHostStarts:
        return "Seul l'h\xF4te lance la partie.";
    case kTextScenarioChosen:
        return "L'h\xF4te a choisi le sc\xE9nario %s.";
    case kTextScenarioMissing:
        return "Le sc\xE9nario %s manque ici, ou diff\xE8re de celui de l'h\xF4te.";
    case kTextHosting:
        return "Partie ouverte sur le port %d.";
    case kTextMissionRefused:
        return "La mission ne peut d\xE9marrer : %s";
    case kTextNoStartForPlayers:
        return "Le sc\xE9nario n'a aucun d\xE9part pour %d joueurs.";
    case kTextOneStartForPlayers:
        return "Le sc\xE9nario n'a qu'un d\xE9part pour %d joueurs.";
    default:
        return "";
    }
}

void msgLogSetTarget(bool on, MessageLogTarget* target) {
    msgLogOn = on;
    msgLogTarget = target;
}

void msgLogDetach() { msgLogSetTarget(false, nullptr); }

void msgLogAddColoured(uint32_t colour, const char* line) {
    if (!msgLogOn || !msgLogTarget || !line)
        return;
    if (colour == kDefaultLogColour)
        msgLogTarget->addLine(line);
    else
        msgLogTarget->addLineColoured(line, colour);
    msgLogTarget->scrollToEnd();
}

void msgLogAdd(const char* line) { msgLogAddColoured(kDefaultLogColour, line); }

void msgLogPrintf(const char* format, ...) {
    if (!msgLogOn || !format)
        return;
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    msgLogAdd(line);
}

} // namespace q71
