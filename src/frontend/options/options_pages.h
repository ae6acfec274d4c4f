#pragma once
// The options screen's pages and their lines: which fields of the options record each line
// edits and how a click moves its value on. Display: 3-D textures (field 0), detailed surfaces
// (1), shaded charts (2), chart cell size 1 to 16 (3, kept less one), pop-up texts (22), the 3-D
// control room from the next mission (23). Crew: spoken reports (18) and, for each of the three
// assisted stations, off, by rank (19 to 21) or automatic (4 to 6), at most one of the two set.
// Realism: the six switches 7 to 12. No other field is touched.

#include "frontend/options/options_record.h"

#include <span>
#include <vector>

namespace q71 {

enum class OptionsPage : int { Display = 0, Crew = 1, Realism = 2 };
inline constexpr int kOptionsPageCount = 3;

enum class OptionLineKind { Switch, CellSize, ReportLevel, CrewAssist };

struct OptionLine {
    int labelText;
    OptionLineKind kind;
    int field; ///< the field; for CrewAssist the station 0 to 2
};

/// The lines of a page, top to bottom.
std::span<const OptionLine> optionsPageLines(OptionsPage page);
/// The fields a page writes.
std::vector<int> optionsPageFields(OptionsPage page);
/// The value a line shows, as an index into its words (0 off, 1 on; the cell size 1 to 16;
/// crew assistance 0 off, 1 by rank, 2 automatic).
int optionLineValue(const OptionsRecord& record, const OptionLine& line);
/// Moves a line's value on by one, wrapping, in the record.
void optionLineCycle(OptionsRecord& record, const OptionLine& line);
/// Copies the fields of a page from one record into another.
void optionsCopyPage(OptionsRecord& into, const OptionsRecord& from, OptionsPage page);

} // namespace q71
