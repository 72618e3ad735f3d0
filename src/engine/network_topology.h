// The electrical circuit of one crossover network: its part slots turned into a list of
// branches between compact working node numbers, with wires merged away. Built once per
// network job; the per-frequency solve only reads it.
#pragma once

#include "model/weiche.h"

#include <cstdint>
#include <vector>

namespace tavrel {

struct NetworkBranch {
    int slot = 0;             ///< part slot the branch came from
    int nodeA = 0, nodeB = 0; ///< the slot's nod1, nod2 as stored
    int A = 0, B = 0;         ///< working node numbers, 0 .. nodeCount − 1
    std::int16_t typ = 0;     ///< PartResistor .. PartAmpOutput (wires are merged away)
    std::int16_t s = -1;      ///< +1 for reversed polarity, −1 otherwise
    std::int16_t chassisnr = 0;
    double Rvalue = 0.0;
    double value = 0.0;
};

struct NetworkTopology {
    std::vector<NetworkBranch> branches;
    int nodeCount = 0;
    /// One node per connected part of the circuit (the one with most branches), in
    /// ascending order: its voltage is 0, so every separate sub-network has a reference.
    std::vector<int> referenceNodes;
};

/// Turns the slots into branches. Zero values are normalised first (a 0 Ω resistor or a
/// loss-free 0 H inductance is a wire, a 0 F capacitor and unknown types connect nothing),
/// then wires are merged into their first node, then the node numbers are compacted in order
/// of first appearance of the high numbers. Any stored node number is accepted.
NetworkTopology BuildNetworkTopology(const TWeiche& weiche);

/// An amplifier output whose two terminals ended up on the same node (shorted by wires).
bool HasShortedSource(const NetworkTopology& topology);

} // namespace tavrel
