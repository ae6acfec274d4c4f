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

// The scenario file box: the name (1001) before the list (1000) so that it has the focus, the
// switches between the player's two endings (1002, 1003) and the data set's scenarios (1004,
// shown only by a box that opens and offers them); the caption and OK's text are the caller's.
constexpr DialogItemTemplate kScenarioFile[] = {
    {"STATIC", "Nom du fichier", 1100, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 9, 60, 9},
    {"EDIT", "", 1001, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 70, 7, 173, 12},
    {"LISTBOX", "", 1000, WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, 7, 24, 236, 92},
    {"BUTTON", "Solo (.scu)", 1002, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 7, 121, 70, 10},
    {"BUTTON", "Multijoueur (.scm)", 1003, WS_VISIBLE | BS_AUTORADIOBUTTON, 80, 121, 90, 10},
    {"BUTTON", "Missions du jeu", 1004, WS_VISIBLE | BS_AUTORADIOBUTTON, 173, 121, 70, 10},
    {"BUTTON", "OK", 1, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 133, 137, 52, 14},
    {"BUTTON", "Annuler", 2, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 191, 137, 52, 14},
};

// The mission editor's boxes: an object's fields (edits 1000-1018 in the editor's field order,
// their labels 1100-1118), a route point's (edits 1000-1003: latitude, longitude, depth, speed) and
// the mission's texts and environment (edits 1000-1004 the texts, 1005-1008 time, sea, sound
// profile and bottom, 1010-1014 the grade thresholds).
constexpr DialogItemTemplate kEditorObject[] = {
    {"STATIC", "Latitude", 1100, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 9, 72, 9},
    {"EDIT", "", 1000, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 82, 7, 52, 12},
    {"STATIC", "Longitude", 1101, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 142, 9, 72, 9},
    {"EDIT", "", 1001, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 217, 7, 52, 12},
    {"STATIC", "Nom ou fiche", 1102, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 25, 70, 9},
    {"EDIT", "", 1002, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 80, 23, 180, 12},
    {"STATIC", "Camp (1-4)", 1103, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 41, 72, 9},
    {"EDIT", "", 1003, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 82, 39, 52, 12},
    {"STATIC", "Niveau (1-4)", 1104, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 142, 41, 72, 9},
    {"EDIT", "", 1004, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 217, 39, 52, 12},
    {"STATIC", "Cap (\xB0" ")", 1105, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 57, 72, 9},
    {"EDIT", "", 1005, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 82, 55, 52, 12},
    {"STATIC", "Immersion (pieds)", 1106, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 142, 57, 72, 9},
    {"EDIT", "", 1006, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 217, 55, 52, 12},
    {"STATIC", "Vitesse (n\x9C" "uds)", 1107, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 73, 72, 9},
    {"EDIT", "", 1007, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 82, 71, 52, 12},
    {"STATIC", "Mode de patrouille", 1108, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 142, 73, 72, 9},
    {"EDIT", "", 1008, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 217, 71, 52, 12},
    {"STATIC", "Zone ouest (yards)", 1109, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 89, 72, 9},
    {"EDIT", "", 1009, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 82, 87, 52, 12},
    {"STATIC", "Zone sud (yards)", 1110, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 142, 89, 72, 9},
    {"EDIT", "", 1010, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 217, 87, 52, 12},
    {"STATIC", "Zone est (yards)", 1111, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 105, 72, 9},
    {"EDIT", "", 1011, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 82, 103, 52, 12},
    {"STATIC", "Zone nord (yards)", 1112, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 142, 105, 72, 9},
    {"EDIT", "", 1012, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 217, 103, 52, 12},
    {"STATIC", "Bou\xE9" "es", 1113, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 121, 72, 9},
    {"EDIT", "", 1013, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 82, 119, 52, 12},
    {"STATIC", "D\xE9" "lai d'entr\xE9" "e (min)", 1114, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 142, 121, 72, 9},
    {"EDIT", "", 1014, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 217, 119, 52, 12},
    {"STATIC", "Larg. d\xE9" "part (yards)", 1115, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 137, 72, 9},
    {"EDIT", "", 1015, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 82, 135, 52, 12},
    {"STATIC", "Haut. d\xE9" "part (yards)", 1116, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 142, 137, 72, 9},
    {"EDIT", "", 1016, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 217, 135, 52, 12},
    {"STATIC", "But n\xB0" " (d\xE9" "truire)", 1117, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 153, 72, 9},
    {"EDIT", "", 1017, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 82, 151, 52, 12},
    {"STATIC", "Second but n\xB0", 1118, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 142, 153, 72, 9},
    {"EDIT", "", 1018, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 217, 151, 52, 12},
    {"BUTTON", "OK", 1, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 150, 171, 52, 14},
    {"BUTTON", "Annuler", 2, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 210, 171, 52, 14},
};
constexpr DialogItemTemplate kEditorWaypoint[] = {
    {"STATIC", "Latitude", 1100, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 9, 90, 9},
    {"EDIT", "", 1000, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 100, 7, 70, 12},
    {"STATIC", "Longitude", 1101, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 25, 90, 9},
    {"EDIT", "", 1001, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 100, 23, 70, 12},
    {"STATIC", "Immersion (pieds)", 1102, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 41, 90, 9},
    {"EDIT", "", 1002, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 100, 39, 70, 12},
    {"STATIC", "Vitesse (n\x9C" "uds)", 1103, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 57, 90, 9},
    {"EDIT", "", 1003, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 100, 55, 70, 12},
    {"BUTTON", "OK", 1, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 60, 75, 52, 14},
    {"BUTTON", "Annuler", 2, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 118, 75, 52, 14},
};

constexpr DialogItemTemplate kEditorSettings[] = {
    {"STATIC", "Description (une ligne)", 1100, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 5, 200, 9},
    {"EDIT", "", 1000, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 14, 306, 12},
    {"STATIC", "Nom de la mission", 1101, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 29, 200, 9},
    {"EDIT", "", 1001, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 38, 306, 12},
    {"STATIC", "Briefing de mission", 1102, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 53, 200, 9},
    {"EDIT", "", 1002, WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE, 7, 62, 306, 40},
    {"STATIC", "Renseignement", 1103, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 105, 200, 9},
    {"EDIT", "", 1003, WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE, 7, 114, 306, 28},
    {"STATIC", "Ordres", 1104, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 145, 200, 9},
    {"EDIT", "", 1004, WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE, 7, 154, 306, 28},
    {"STATIC", "Heure (1 jour, 3 soir, 4 aube)", 1105, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 187, 110, 9},
    {"EDIT", "", 1005, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 122, 185, 36, 12},
    {"STATIC", "Mer (\xE9tat 0-5)", 1106, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 162, 187, 110, 9},
    {"EDIT", "", 1006, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 277, 185, 36, 12},
    {"STATIC", "C\xE9l\xE9rit\xE9 (0 fond, 1 iso, 2 prof.)", 1107, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 202, 110, 9},
    {"EDIT", "", 1007, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 122, 200, 36, 12},
    {"STATIC", "Fond (0 sable, 1 vase, 2 roche)", 1108, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 162, 202, 110, 9},
    {"EDIT", "", 1008, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 277, 200, 36, 12},
    {"STATIC", "Seuils des notes 1 \xE0 5", 1109, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 217, 80, 9},
    {"EDIT", "", 1010, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 90, 215, 40, 12},
    {"EDIT", "", 1011, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 135, 215, 40, 12},
    {"EDIT", "", 1012, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 180, 215, 40, 12},
    {"EDIT", "", 1013, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 225, 215, 40, 12},
    {"EDIT", "", 1014, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 270, 215, 40, 12},
    {"BUTTON", "OK", 1, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 200, 233, 52, 14},
    {"BUTTON", "Annuler", 2, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 260, 233, 52, 14},
};

// The mission's goals: the list (1000), a goal's fields (1001-1008 in the editor's order: the
// kind a drop-down list of its names, the others edits; labels 1100-1107), the new, delete and apply buttons (1020-1022) and the centre's (1023).
constexpr DialogItemTemplate kEditorGoals[] = {
    {"LISTBOX", "", 1000, WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, 7, 7, 286, 80},
    {"BUTTON", "Nouveau", 1020, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 7, 91, 60, 14},
    {"BUTTON", "Supprimer", 1021, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 73, 91, 60, 14},
    {"BUTTON", "Appliquer", 1022, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 139, 91, 60, 14},
    {"BUTTON", "Centre sur la carte", 1023, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 205, 91, 88, 14},
    {"STATIC", "Genre", 1100, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 113, 80, 9},
    {"COMBOBOX", "", 1001, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 90, 111, 80, 60},
    {"STATIC", "Points", 1101, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 128, 80, 9},
    {"EDIT", "", 1002, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 90, 126, 55, 12},
    {"STATIC", "Requis (0 ou 1)", 1102, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 155, 128, 80, 9},
    {"EDIT", "", 1003, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 238, 126, 55, 12},
    {"STATIC", "Sous le but n\xB0 (0 aucun)", 1103, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 143, 80, 9},
    {"EDIT", "", 1004, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 90, 141, 55, 12},
    {"STATIC", "Rayon de la zone (m)", 1104, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 155, 143, 80, 9},
    {"EDIT", "", 1005, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 238, 141, 55, 12},
    {"STATIC", "Latitude du centre", 1105, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 158, 80, 9},
    {"EDIT", "", 1006, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 90, 156, 55, 12},
    {"STATIC", "Longitude du centre", 1106, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 155, 158, 80, 9},
    {"EDIT", "", 1007, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 238, 156, 55, 12},
    {"STATIC", "Message", 1107, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 173, 80, 9},
    {"EDIT", "", 1008, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 90, 171, 203, 12},
    {"BUTTON", "Fermer", 1, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 241, 190, 52, 14},
};

constexpr DialogTemplate kTemplates[] = {
    {101, kBoxStyle, 0, 0, 250, 158, "Fichier de sc\xE9nario", "Liberation Sans", 9, kScenarioFile},
    {113, kBoxStyle, 0, 0, 200, 66, "Chargement", "Liberation Sans", 9, kProgressWithButton},
    {114, kBoxStyle, 0, 0, 200, 45, "Chargement", "Liberation Sans", 9, kProgressWithoutButton},
    {120, kBoxStyle, 0, 0, 270, 192, "Objet de la mission", "Liberation Sans", 9, kEditorObject},
    {122, kBoxStyle, 0, 0, 320, 252, "Textes et conditions", "Liberation Sans", 9, kEditorSettings},
    {123, kBoxStyle, 0, 0, 300, 211, "Buts de la mission", "Liberation Sans", 9, kEditorGoals},
    {121, kBoxStyle, 0, 0, 180, 96, "Point de route", "Liberation Sans", 9, kEditorWaypoint},
};

} // namespace

const DialogTemplate* dialogTemplateFind(int id) {
    for (const DialogTemplate& t : kTemplates)
        if (t.id == id)
            return &t;
    return nullptr;
}

} // namespace q71
