#pragma once
// The words and faces the pictures are lettered with, taken from the data set's text table, so
// that a label drawn into a bitmap reads as the program's own texts do and is set in the
// interface faces of the shell (texts 528 to 532; the font file of text 527).

#include "mkdata/generator.h"
#include "mkdata/art/lettering.h"
#include "platform/text/text_table.h"

#include <filesystem>
#include <string>

namespace q71::mkdata {

/// Text ids of the interface faces and of the font file.
inline constexpr int kFaceSans = 528;
inline constexpr int kFaceNarrow = 529;
inline constexpr int kFaceMono = 530;
inline constexpr int kFaceSerif = 532;
inline constexpr int kFontFileText = 527;

class ArtTexts {
public:
    /// Reads the data set's text table (the texts generator has written it) and adds the font file it
    /// names; the labels lettered in its fonts are told to the context's recorder.
    explicit ArtTexts(const Context& context);

    /// The Windows-1252 text of an id; throws when the table lacks it.
    const std::string& text(int id) const;
    /// The face named by a text at a character height in pixels.
    LetterFont font(int faceText, int pixels, bool bold) const;

private:
    TextTable table_;
    const LabelRecorder* recorder_;
};

/// A label written in the generators' source (UTF-8) in Windows-1252; throws for a character that
/// has none.
std::string artLabel(const char* utf8);

/// The data set's text table, read from the install tree being written.
TextTable readDataSetTexts(const Context& context);
/// Where in the install tree the font file that the text table names belongs; throws when it names none.
std::filesystem::path dataSetFontFile(const Context& context, const TextTable& table);

} // namespace q71::mkdata
