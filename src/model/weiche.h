// One amplifier's passive crossover network: 186 part slots on an 11 × 9 node grid plus
// eight free wires. Slots 0..89 are horizontal, 90..177 vertical, 178..185 free wires.
#pragma once

#include "foundation/fixed_string.h"

#include <array>
#include <cstdint>

namespace tavrel {

enum WeichePartType : std::int16_t {
    PartNone = 0,
    PartWire = 1,
    PartResistor = 2,
    PartCapacitor = 3,
    PartInductance = 4,
    PartDriver = 5,
    PartAmpOutput = 6,
};

struct TWeichePart {
    std::int16_t typ = 0;
    std::int16_t verpolt = 0;   ///< < 1 normal polarity, >= 1 reversed
    std::int16_t chassisnr = 0; ///< 0-based driver index of a driver part
    double value = 1.0;         ///< ohm, farad or henry
    double Rvalue = 0.0;        ///< series resistance of an inductance, ohm
    FixedString<16> bem{};
    std::int32_t nod1 = 0;
    std::int32_t nod2 = 0;
    bool bOpti = false;

    bool operator==(const TWeichePart&) const = default;
};

constexpr int WeicheSlots = 186;
constexpr int WeicheGridSlots = 178;
constexpr int WeicheFirstFreeWire = 178;
constexpr int WeicheNodes = 99;
constexpr int WeicheColumns = 11;
constexpr int WeicheRows = 9;

using TWeiche = std::array<TWeichePart, WeicheSlots>;

inline bool IsReversed(const TWeichePart& part) {
    return part.verpolt >= 1;
}

/// Node numbers of a grid slot (0..177) from its position.
inline void GridNodes(int slot, std::int32_t& nod1, std::int32_t& nod2) {
    if (slot < 90) {
        const int r = slot / 10, c = slot % 10;
        nod1 = r * WeicheColumns + c;
        nod2 = r * WeicheColumns + c + 1;
    } else {
        const int k = slot - 90, r = k / 11, c = k % 11;
        nod1 = r * WeicheColumns + c;
        nod2 = (r + 1) * WeicheColumns + c;
    }
}

/// All slots to their defaults with node numbers 0, then grid slots get their position's nodes.
inline void ResetWeiche(TWeiche& weiche) {
    for (int slot = 0; slot < WeicheSlots; ++slot) {
        weiche[slot] = TWeichePart{};
        if (slot < WeicheGridSlots) {
            GridNodes(slot, weiche[slot].nod1, weiche[slot].nod2);
        }
    }
}

} // namespace tavrel
