#include "editor/free_wires.h"

#include "foundation/number_text.h"

namespace tavrel {

std::string FreeWireCaption(int row) {
    static const char* const ordinals[FreeWireCount] = {"1st", "2nd", "3rd", "4th",
                                                        "5th", "6th", "7th", "8th"};
    return std::string(ordinals[row]) + " free wire";
}

FreeWireRows FreeWireRowsOf(const TWeiche& weiche) {
    FreeWireRows rows;
    for (int k = 0; k < FreeWireCount; ++k) {
        const TWeichePart& wire = weiche[WeicheFirstFreeWire + k];
        rows[k] = {wire.typ == PartWire, std::to_string(wire.nod1), std::to_string(wire.nod2)};
    }
    return rows;
}

std::string ApplyFreeWireRows(TWeiche& weiche, const FreeWireRows& rows) {
    for (int k = 0; k < FreeWireCount; ++k) {
        for (const std::string& text : {rows[k].from, rows[k].to}) {
            const std::int32_t node = TextToInt(text);
            if (rows[k].on && (node < 0 || node >= WeicheNodes)) {
                return "The " + FreeWireCaption(k) + " leads to node " + std::to_string(node) +
                       ", but the nodes are numbered 0 to 98.";
            }
        }
    }
    for (int k = 0; k < FreeWireCount; ++k) {
        TWeichePart& wire = weiche[WeicheFirstFreeWire + k];
        wire.typ = rows[k].on ? PartWire : PartNone;
        wire.nod1 = TextToInt(rows[k].from);
        wire.nod2 = TextToInt(rows[k].to);
    }
    return {};
}

} // namespace tavrel
