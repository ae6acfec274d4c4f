// The program's dialog templates. Each dialog the program shows from a template has its table
// here, under its id.

#include "platform/controls/control_styles.h"
#include "platform/dialogs/dialog_template.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace {

constexpr std::uint32_t kBoxStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_CENTER;

// The progress box of long loads: the message (1001), the place of the level bar (1002, a
// hidden placeholder that the box puts its bar over) and, in 113 only, the button (1).
constexpr DialogItemTemplate kProgressWithButton[] = {
    {"STATIC", "Veuillez patienter...", 1001, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 7, 186, 18},
    {"STATIC", "", 1002, SS_LEFT, 7, 28, 186, 10},
    {"BUTTON", "Annuler", 1, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 72, 45, 56, 14},
};
constexpr DialogItemTemplate kProgressWithoutButton[] = {
    {"STATIC", "Veuillez patienter...", 1001, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 7, 186, 18},
    {"STATIC", "", 1002, SS_LEFT, 7, 28, 186, 10},
};

constexpr DialogTemplate kTemplates[] = {
    {113, kBoxStyle, 0, 0, 200, 66, "Chargement", "Liberation Sans", 9, kProgressWithButton},
    {114, kBoxStyle, 0, 0, 200, 45, "Chargement", "Liberation Sans", 9, kProgressWithoutButton},
};

} // namespace

const DialogTemplate* dialogTemplateFind(int id) {
    for (const DialogTemplate& t : kTemplates)
        if (t.id == id)
            return &t;
    return nullptr;
}

} // namespace q71
