#pragma once
// The strikes the program added with its font files, and which of them draws a font asked for:
// one of the face named, of its weight (bold or not), at the size asked or, for a size between two
// strikes, the nearest smaller one. A size above the face's largest strike, or below its smallest,
// and any italic, is left to the outlines.

#include "platform/gdi/strike_file.h"

#include <memory>
#include <string>
#include <vector>

namespace q71 {

class StrikeSet {
public:
    /// Adds the strikes of a file; how many it holds. A file added again is counted, not read
    /// again: it stays until it is withdrawn as many times.
    int add(const std::string& file, std::vector<Strike> strikes);
    /// The strikes of a file added before, counted again; 0 when it was not added.
    int addAgain(const std::string& file);
    /// Withdraws a file added before once; false when it was not added.
    bool remove(const std::string& file);
    /// The strike that draws the font described, or null when outlines draw it.
    std::shared_ptr<const Strike> choose(const LogFont& description) const;

private:
    struct Added {
        std::string file;
        int count = 1; ///< times added and not yet withdrawn
        std::vector<std::shared_ptr<const Strike>> strikes;
    };
    std::vector<Added> added_;
};

} // namespace q71
