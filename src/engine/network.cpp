// The network job: sets up the equations of one amplifier's crossover network and solves
// them at every grid frequency.
//
// Every branch m obeys Z·I + s·(V_A − V_B) = 0, an amplifier output s·(V_A − V_B) = −1 (so
// with normal polarity, s = −1, the output holds node A at +1 V against node B), and every
// node Kirchhoff's current law Σ ±s·I = 0. Drivers and amplifier outputs keep their current
// as an unknown (a driver's voltage is Z·I, and its impedance may be 0); the currents of
// resistors, capacitors and inductances are folded into the node rows as admittances, which
// keeps the system small: unknowns are those currents first, then the node voltages. One
// node per connected part is the reference at 0 V and has neither unknown nor row.
#include "engine/network.h"

#include "engine/helper_thread.h"
#include "engine/network_topology.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <exception>
#include <numbers>
#include <numeric>
#include <thread>

namespace tavrel {
namespace {

constexpr TComplex One{1.0, 0.0};
constexpr TComplex TinyCurrent{1e-100, 0.0};
constexpr TComplex OpenOutput{1e100, 0.0};

bool isFinite(TComplex z) {
    return std::isfinite(z.Re) && std::isfinite(z.Im);
}

bool driversValid(const NetworkTopology& topology) {
    for (const NetworkBranch& branch : topology.branches) {
        if (branch.typ == PartDriver &&
            (branch.chassisnr < 0 || branch.chassisnr >= ChassisSlots)) {
            return false;
        }
    }
    return true;
}

bool keepsCurrentUnknown(const NetworkBranch& branch) {
    return branch.typ == PartDriver || branch.typ == PartAmpOutput;
}

/// Where each quantity sits in the system. Reference nodes have no unknown (their voltage is
/// 0); the other node voltages follow the currents, nodes with few branches first, so that
/// the hubs every section hangs on are eliminated last and the equations stay sparse.
struct EquationLayout {
    std::vector<int> currentOf; ///< per branch: unknown of its current, −1 when folded in
    std::vector<int> voltageOf; ///< per node: unknown of its voltage, −1 for a reference
    int unknowns = 0;
};

std::vector<int> nodesByDegree(const NetworkTopology& topology) {
    std::vector<int> degree(static_cast<std::size_t>(topology.nodeCount), 0);
    for (const NetworkBranch& branch : topology.branches) {
        ++degree[static_cast<std::size_t>(branch.A)];
        ++degree[static_cast<std::size_t>(branch.B)];
    }
    std::vector<int> nodes(degree.size());
    std::iota(nodes.begin(), nodes.end(), 0);
    std::stable_sort(nodes.begin(), nodes.end(), [&degree](int x, int y) {
        return degree[static_cast<std::size_t>(x)] < degree[static_cast<std::size_t>(y)];
    });
    return nodes;
}

EquationLayout layoutOf(const NetworkTopology& topology) {
    EquationLayout layout;
    layout.currentOf.assign(topology.branches.size(), -1);
    for (std::size_t m = 0; m < topology.branches.size(); ++m) {
        if (keepsCurrentUnknown(topology.branches[m])) {
            layout.currentOf[m] = layout.unknowns++;
        }
    }
    layout.voltageOf.assign(static_cast<std::size_t>(topology.nodeCount), -1);
    for (const int node : nodesByDegree(topology)) {
        const bool reference =
            std::find(topology.referenceNodes.begin(), topology.referenceNodes.end(), node) !=
            topology.referenceNodes.end();
        if (!reference) {
            layout.voltageOf[static_cast<std::size_t>(node)] = layout.unknowns++;
        }
    }
    return layout;
}

/// Adds value at (row, column) unless one of them belongs to a reference node.
void addTo(LinearSystem& system, int row, int column, TComplex value) {
    if (row >= 0 && column >= 0) {
        TComplex& entry = system.at(row, column);
        entry = CAdd(entry, value);
    }
}

/// The frequency-independent part: the voltage terms and right-hand sides of the driver and
/// amplifier rows, and their currents in the node rows.
void buildConstantPart(const NetworkTopology& topology, const EquationLayout& layout,
                       LinearSystem& system) {
    system.reset(layout.unknowns);
    for (std::size_t m = 0; m < topology.branches.size(); ++m) {
        const int row = layout.currentOf[m];
        if (row < 0) {
            continue;
        }
        const NetworkBranch& branch = topology.branches[m];
        const TComplex s{static_cast<double>(branch.s), 0.0}, minusS{-s.Re, 0.0};
        if (branch.typ == PartAmpOutput) {
            system.rhs(row) = TComplex{-1.0, 0.0};
        }
        const int voltageA = layout.voltageOf[static_cast<std::size_t>(branch.A)];
        const int voltageB = layout.voltageOf[static_cast<std::size_t>(branch.B)];
        addTo(system, row, voltageA, s);
        addTo(system, row, voltageB, minusS);
        addTo(system, voltageA, row, s);
        addTo(system, voltageB, row, minusS);
    }
}

TComplex passiveImpedance(const NetworkBranch& branch, double omega) {
    switch (branch.typ) {
    case PartResistor:
        return {branch.value, 0.0};
    case PartCapacitor:
        return {0.0, -1.0 / (omega * branch.value)};
    default:
        return {branch.Rvalue, omega * branch.value};
    }
}

/// I = −s·(V_A − V_B)/Z enters the current law of A with +s and of B with −s.
void stampAdmittance(const EquationLayout& layout, const NetworkBranch& branch, TComplex y,
                     LinearSystem& system) {
    const TComplex minusY{-y.Re, -y.Im};
    const int voltageA = layout.voltageOf[static_cast<std::size_t>(branch.A)];
    const int voltageB = layout.voltageOf[static_cast<std::size_t>(branch.B)];
    addTo(system, voltageA, voltageA, minusY);
    addTo(system, voltageA, voltageB, y);
    addTo(system, voltageB, voltageA, y);
    addTo(system, voltageB, voltageB, minusY);
}

void fillSystem(const NetworkTopology& topology, const EquationLayout& layout,
                const TResult& result, int k, double f, const LinearSystem& constantPart,
                LinearSystem& system) {
    system.copyFrom(constantPart);
    const double omega = 2.0 * std::numbers::pi * f;
    for (std::size_t m = 0; m < topology.branches.size(); ++m) {
        const NetworkBranch& branch = topology.branches[m];
        const int row = layout.currentOf[m];
        if (branch.typ == PartDriver) {
            system.at(row, row) = result.ChassisZ[branch.chassisnr][k];
        } else if (row < 0 && branch.A != branch.B) {
            stampAdmittance(layout, branch, CDiv(One, passiveImpedance(branch, omega)), system);
        }
    }
}

bool solutionFinite(const LinearSystem& system) {
    for (int i = 0; i < system.size(); ++i) {
        if (!isFinite(system.solution(i))) {
            return false;
        }
    }
    return true;
}

/// Results of one grid point, checked before anything is written.
struct PointResult {
    TComplex ampZ = OpenOutput;
    std::array<TComplex, ChassisSlots> chassisU{};
    std::array<bool, ChassisSlots> drives{};
};

bool evaluatePoint(const NetworkTopology& topology, const EquationLayout& layout,
                   const TResult& result, int a, int k, const LinearSystem& system,
                   PointResult& point) {
    point = PointResult{};
    for (std::size_t m = 0; m < topology.branches.size(); ++m) {
        const NetworkBranch& branch = topology.branches[m];
        if (layout.currentOf[m] < 0) {
            continue;
        }
        TComplex current = system.solution(layout.currentOf[m]);
        const int d = branch.chassisnr;
        if (branch.typ == PartDriver && result.AmpOfChassis[d] == a) {
            // A driver that occurs twice keeps the value of its later branch.
            point.chassisU[d] = CMul(result.ChassisZ[d][k], current);
            point.drives[d] = true;
            if (!isFinite(point.chassisU[d])) {
                return false;
            }
        } else if (branch.typ == PartAmpOutput) {
            if (CAbs(current) == 0.0) {
                current = TinyCurrent;
            }
            // Several outputs combine like parallel admittances.
            point.ampZ = CDiv(One, CAdd(CDiv(One, point.ampZ), current));
        }
    }
    return isFinite(point.ampZ);
}

void storePoint(const PointResult& point, int a, int k, TResult& result) {
    result.AmpZ[a][k] = point.ampZ;
    for (int d = 0; d < ChassisSlots; ++d) {
        if (point.drives[d]) {
            result.ChassisU[d][k] = point.chassisU[d];
        }
    }
}

bool solveAllPoints(const TProjekt& working, int a, TResult& result, NetworkScratch& scratch) {
    const NetworkTopology topology = BuildNetworkTopology(working.Amps[a].Weiche);
    if (topology.branches.empty()) {
        return true;
    }
    if (HasShortedSource(topology) || !driversValid(topology)) {
        return false;
    }
    const EquationLayout layout = layoutOf(topology);
    buildConstantPart(topology, layout, scratch.constantPart);
    int points = 0;
    while (points < GridSize && working.f[points] > 0) {
        ++points;
    }
    // The points are independent: this thread and its helper take chunks of them, each
    // solving in its own system.
    constexpr int PointChunk = 64;
    const std::thread::id owner = std::this_thread::get_id();
    std::atomic<bool> solved{true};
    ShareWithHelperThread(points, PointChunk, [&](int from, int to) noexcept {
        LinearSystem& system =
            std::this_thread::get_id() == owner ? scratch.work : scratch.helperWork;
        PointResult point;
        for (int k = from; k < to && solved; ++k) {
            fillSystem(topology, layout, result, k, working.f[k], scratch.constantPart, system);
            system.solve();
            if (!solutionFinite(system) ||
                !evaluatePoint(topology, layout, result, a, k, system, point)) {
                solved = false;
                return;
            }
            storePoint(point, a, k, result);
        }
    });
    return solved;
}

TComplex nodeVoltage(const EquationLayout& layout, const LinearSystem& system, int node) {
    const int unknown = layout.voltageOf[static_cast<std::size_t>(node)];
    return unknown < 0 ? TComplex{} : system.solution(unknown);
}

/// The current from A to B of branch m: a kept unknown, or V/Z of a folded-in part.
TComplex branchCurrent(const NetworkBranch& branch, int unknown, TComplex voltage,
                       const LinearSystem& system, double omega) {
    if (unknown >= 0) {
        const TComplex i = system.solution(unknown);
        // Z·I + s·(V_A − V_B) = 0: with s = −1 the unknown flows from A to B.
        return branch.s < 0 ? i : TComplex{-i.Re, -i.Im};
    }
    return CDiv(voltage, passiveImpedance(branch, omega));
}

void recordFlows(const NetworkTopology& topology, const EquationLayout& layout,
                 const LinearSystem& system, double f, std::vector<BranchFlow>& flows) {
    const double omega = 2.0 * std::numbers::pi * f;
    for (std::size_t m = 0; m < topology.branches.size(); ++m) {
        const NetworkBranch& branch = topology.branches[m];
        const TComplex voltage =
            CSub(nodeVoltage(layout, system, branch.A), nodeVoltage(layout, system, branch.B));
        flows[m].voltage.push_back(voltage);
        flows[m].current.push_back(
            branchCurrent(branch, layout.currentOf[m], voltage, system, omega));
    }
}

} // namespace

std::vector<BranchFlow> SolveBranchFlows(const TProjekt& working, int a, const TResult& result,
                                         int points) {
    if (a < 0 || a >= MaxAmps) {
        return {};
    }
    const NetworkTopology topology = BuildNetworkTopology(working.Amps[a].Weiche);
    if (topology.branches.empty() || HasShortedSource(topology) || !driversValid(topology)) {
        return {};
    }
    std::vector<BranchFlow> flows;
    for (const NetworkBranch& branch : topology.branches) {
        flows.push_back({branch.slot, branch.typ, branch.A, branch.B, {}, {}});
    }
    const EquationLayout layout = layoutOf(topology);
    NetworkScratch scratch;
    buildConstantPart(topology, layout, scratch.constantPart);
    for (int k = 0; k < points && k < GridSize && working.f[k] > 0; ++k) {
        fillSystem(topology, layout, result, k, working.f[k], scratch.constantPart, scratch.work);
        scratch.work.solve();
        if (!solutionFinite(scratch.work)) {
            return {};
        }
        recordFlows(topology, layout, scratch.work, working.f[k], flows);
    }
    return flows;
}

std::string NetworkErrorText(int a) {
    return "Error: Crossover network at amp " + std::to_string(a + 1) + " cannot be calculated" +
           " .";
}

std::string RunNetworkJob(const TProjekt& working, int a, TResult& result,
                          NetworkScratch& scratch) {
    if (a < 0 || a >= MaxAmps) {
        return NetworkErrorText(a);
    }
    try {
        return solveAllPoints(working, a, result, scratch) ? "Ok" : NetworkErrorText(a);
    } catch (const std::exception&) {
        return NetworkErrorText(a);
    }
}

} // namespace tavrel
