#pragma once
// What the start-up says when the data set is missing or damaged: which file, where it was
// looked for, and what to do. The texts are the program's own (no text table may be loaded),
// in Windows-1252.

#include <string>

namespace q71 {

/// How a player gets a data set that works.
inline constexpr const char* kDataSetAdvice =
    "Le dossier du jeu de donn\xE9" "es est celui de Q71_DATA, sinon data/ \xE0 c\xF4t\xE9 du programme : "
    "d\xE9" "finissez Q71_DATA, ou lancez scripts/play pour reconstruire le jeu de donn\xE9" "es.";

/// "Fichier : <path>" with the path (UTF-8 on disk) in Windows-1252.
std::string startupFileText(const std::string& path);

/// Reads every member of every group archive of the graphics folder; on the first that cannot
/// be read, reports it (reportStartupFailure) and returns false.
bool appCheckDataSet();

} // namespace q71
