// Branch list, wire merging, node compaction and connected parts of a crossover network.
#include "engine/network_topology.h"

#include <algorithm>
#include <numeric>

namespace tavrel {
namespace {

/// Zero values that make a part a plain connection or no connection at all.
std::int16_t normalisedType(const TWeichePart& part) {
    switch (part.typ) {
    case PartWire:
        return PartWire;
    case PartResistor:
        return part.value == 0 ? std::int16_t{PartWire} : std::int16_t{PartResistor};
    case PartCapacitor:
        return part.value == 0 ? std::int16_t{PartNone} : std::int16_t{PartCapacitor};
    case PartInductance:
        return part.value == 0 && part.Rvalue == 0 ? std::int16_t{PartWire}
                                                   : std::int16_t{PartInductance};
    case PartDriver:
    case PartAmpOutput:
        return part.typ;
    default:
        return PartNone;
    }
}

std::vector<NetworkBranch> collectBranches(const TWeiche& weiche) {
    std::vector<NetworkBranch> branches;
    branches.reserve(WeicheSlots);
    for (int slot = 0; slot < WeicheSlots; ++slot) {
        const TWeichePart& part = weiche[slot];
        if (part.typ <= 0) {
            continue;
        }
        const std::int16_t typ = normalisedType(part);
        if (typ == PartNone) {
            continue;
        }
        NetworkBranch branch;
        branch.slot = slot;
        branch.nodeA = branch.A = part.nod1;
        branch.nodeB = branch.B = part.nod2;
        branch.typ = typ;
        branch.s = IsReversed(part) ? std::int16_t{1} : std::int16_t{-1};
        branch.chassisnr = part.chassisnr;
        branch.Rvalue = part.Rvalue;
        branch.value = part.value;
        branches.push_back(branch);
    }
    return branches;
}

void renameNode(std::vector<NetworkBranch>& branches, int from, int to) {
    for (NetworkBranch& branch : branches) {
        if (branch.A == from) {
            branch.A = to;
        }
        if (branch.B == from) {
            branch.B = to;
        }
    }
}

/// Each wire joins its second node into its first and disappears.
void mergeWires(std::vector<NetworkBranch>& branches) {
    std::size_t i = 0;
    while (i < branches.size()) {
        if (branches[i].typ != PartWire) {
            ++i;
            continue;
        }
        renameNode(branches, branches[i].B, branches[i].A);
        branches.erase(branches.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

bool nodeUsed(const std::vector<NetworkBranch>& branches, int node) {
    return std::any_of(branches.begin(), branches.end(),
                       [node](const NetworkBranch& b) { return b.A == node || b.B == node; });
}

/// A number that still has to move down to the current free number c. Negative numbers
/// (possible only in a damaged record) move down like high ones.
bool outsideCompactRange(int node, int c) {
    return node > c || node < 0;
}

/// Renumbers the nodes to 0 .. count − 1. Numbers already in that range stay; the others
/// move into the gaps in the order in which the branch list first names them.
int compactNodes(std::vector<NetworkBranch>& branches) {
    int c = 0;
    while (true) {
        while (nodeUsed(branches, c)) {
            ++c;
        }
        auto outside = std::find_if(branches.begin(), branches.end(), [c](const NetworkBranch& b) {
            return outsideCompactRange(b.A, c) || outsideCompactRange(b.B, c);
        });
        if (outside == branches.end()) {
            return c;
        }
        const int from = outsideCompactRange(outside->A, c) ? outside->A : outside->B;
        renameNode(branches, from, c);
    }
}

int findRoot(std::vector<int>& parent, int node) {
    while (parent[static_cast<std::size_t>(node)] != node) {
        const int up = parent[static_cast<std::size_t>(node)];
        parent[static_cast<std::size_t>(node)] = parent[static_cast<std::size_t>(up)];
        node = up;
    }
    return node;
}

/// Per connected part the node with the most branches (the highest number among equals):
/// usually the ground, whose elimination would otherwise fill the equations.
std::vector<int> referenceNodesOf(const std::vector<NetworkBranch>& branches, int nodeCount) {
    const auto count = static_cast<std::size_t>(nodeCount);
    std::vector<int> parent(count), degree(count, 0);
    std::iota(parent.begin(), parent.end(), 0);
    for (const NetworkBranch& branch : branches) {
        ++degree[static_cast<std::size_t>(branch.A)];
        ++degree[static_cast<std::size_t>(branch.B)];
        parent[static_cast<std::size_t>(findRoot(parent, branch.A))] = findRoot(parent, branch.B);
    }
    std::vector<int> best(count, -1);
    for (int node = 0; node < nodeCount; ++node) {
        int& chosen = best[static_cast<std::size_t>(findRoot(parent, node))];
        if (chosen < 0 ||
            degree[static_cast<std::size_t>(node)] >= degree[static_cast<std::size_t>(chosen)]) {
            chosen = node;
        }
    }
    std::vector<int> references;
    for (const int node : best) {
        if (node >= 0) {
            references.push_back(node);
        }
    }
    std::sort(references.begin(), references.end());
    return references;
}

} // namespace

NetworkTopology BuildNetworkTopology(const TWeiche& weiche) {
    NetworkTopology topology;
    topology.branches = collectBranches(weiche);
    mergeWires(topology.branches);
    topology.nodeCount = compactNodes(topology.branches);
    topology.referenceNodes = referenceNodesOf(topology.branches, topology.nodeCount);
    return topology;
}

bool HasShortedSource(const NetworkTopology& topology) {
    return std::any_of(topology.branches.begin(), topology.branches.end(),
                       [](const NetworkBranch& b) { return b.typ == PartAmpOutput && b.A == b.B; });
}

} // namespace tavrel
