// The eight free wires as the free wires dialog shows them: a tick and two node fields per
// wire, read from the network and written back when the dialog is left with OK.
#pragma once

#include "model/weiche.h"

#include <array>
#include <string>

namespace tavrel {

constexpr int FreeWireCount = WeicheSlots - WeicheFirstFreeWire;

struct FreeWireRow {
    bool on = false;
    std::string from; ///< node number text
    std::string to;
};

using FreeWireRows = std::array<FreeWireRow, FreeWireCount>;

/// Row captions "1st free wire" .. "8th free wire".
std::string FreeWireCaption(int row);

FreeWireRows FreeWireRowsOf(const TWeiche& weiche);

/// Writes the rows into the free-wire slots. A ticked row whose node lies outside the grid
/// (0..98) is refused: nothing changes and the reason is returned; empty on success. An
/// empty field reads as node 0.
std::string ApplyFreeWireRows(TWeiche& weiche, const FreeWireRows& rows);

} // namespace tavrel
