// The texts of the crossover schematic: part values with their units, the two label lines of
// a slot, the split of a long driver name for the print view, and which nodes get a dot.
// Texts are Windows-1252 store text like every record ("\xB5" is µ).
#pragma once

#include "model/weiche.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace tavrel {

struct TProjekt;

std::string ResistanceText(double ohm);
std::string CapacitanceText(double farad);
std::string InductanceText(double henry);

/// A driver name of 9 or more characters split into two balanced lines; shorter names stay
/// on the first line.
std::pair<std::string, std::string> SplitDriverName(std::string_view name);

/// Second label line of resistors, capacitors and inductances: the series resistance of an
/// inductance ("R value") or the comment ("Denomination").
enum class LabelMode { RValue, Denomination };

struct SchematicView {
    bool printView = false;
    LabelMode labels = LabelMode::RValue;
};

/// The two label lines of a slot; a driver's name comes from `projekt`.
std::pair<std::string, std::string> SlotLabels(const TWeichePart& part, const TProjekt& projekt,
                                               const SchematicView& view);

/// Nodes that get a dot: all of them in the edit view; in the print view only those where
/// more than two part ends meet.
std::array<bool, WeicheNodes> NodeDots(const TWeiche& weiche, bool printView);

} // namespace tavrel
