// The parts library: resistors, inductances and capacitors read from the plain text parts
// files of the crossover parts directory, the entry a part editor's values preselect, and the
// part an entry stands for. Lines are "KIND;NAME;VALUE;RESISTANCE" (TAB or ";" between the
// fields) with the value in ohm, mH or µF.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

/// The library's pages, in the order they are shown.
enum class PartsPage { Resistors = 0, Inductances = 1, Capacitors = 2 };
constexpr int PartsPageCount = 3;
constexpr int MaxPartsPerKind = 1001;

extern const char* const PartsSeparatorText;

struct PartsEntry {
    std::string text;        ///< as listed, or the separator text
    double value = 0.0;      ///< ohm, mH or µF as written in the file
    double resistance = 0.0; ///< series resistance of an inductance, ohm
};

struct PartsLists {
    std::array<std::vector<PartsEntry>, PartsPageCount> pages;
    /// Entries beyond MaxPartsPerKind that were not listed, per page.
    std::array<int, PartsPageCount> leftOut{};

    const std::vector<PartsEntry>& page(PartsPage p) const { return pages[static_cast<int>(p)]; }
};

/// Adds the entries of one parts file's text; lines of another kind, overlong lines and lines
/// holding binary bytes are skipped.
void AddPartsText(PartsLists& lists, std::string_view text);

/// Reads every "*.txt" file of `directory` in name order; a missing or unreadable directory
/// gives empty lists.
PartsLists ReadPartsDirectory(const std::string& directory);

/// A part as the part editor exchanges it with the library: kind is the part type (1 wire,
/// 2 resistor, 3 capacitor, 4 inductance, 0 nothing chosen), value in ohm, µF or mH.
struct ChosenPart {
    int kind = 0;
    std::string name;
    double value = 0.0;
    double resistance = 0.0;
};

/// The page of part type 2, 3 or 4; false for other types.
bool PageOfPartType(int typ, PartsPage& page);

/// The part entry `index` of `page` stands for; a separator (value 0 or below) is a wire.
ChosenPart ChooseEntry(const PartsLists& lists, PartsPage page, int index);

/// The entry to select for the wanted part: the last one whose text begins with the wanted
/// name and whose numbers equal the wanted ones exactly; −1 when none does.
int PreselectedEntry(const PartsLists& lists, PartsPage page, const ChosenPart& wanted);

} // namespace tavrel
