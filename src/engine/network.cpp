// The network job: sets up the branch-current and node-voltage equations of one amplifier's
// crossover network and solves them at every grid frequency.
//
// Unknowns 0 .. nP−1 are the branch currents, nP .. nP+nN−1 the node voltages. A branch row
// reads Z·I + s·(V_A − V_B) = 0, an amplifier row s·(V_A − V_B) = −1 (so with normal
// polarity, s = −1, the output holds node A at +1 V against node B); node rows are
// Kirchhoff's current law, except one node per connected part whose row holds its voltage at 0.
#include "engine/network.h"

#include "engine/network_topology.h"

#include <array>
#include <cmath>
#include <exception>
#include <numbers>

namespace tavrel {
namespace {

constexpr TComplex One{1.0, 0.0};
constexpr TComplex TinyCurrent{1e-100, 0.0};
constexpr TComplex OpenOutput{1e100, 0.0};

bool isFinite(TComplex z) {
    return std::isfinite(z.Re) && std::isfinite(z.Im);
}

bool chassisIndexValid(int d) {
    return d >= 0 && d < ChassisSlots;
}

bool driversValid(const NetworkTopology& topology) {
    for (const NetworkBranch& branch : topology.branches) {
        if (branch.typ == PartDriver && !chassisIndexValid(branch.chassisnr)) {
            return false;
        }
    }
    return true;
}

void addTo(TComplex& entry, double value) {
    entry.Re += value;
}

/// Everything of the equations that does not depend on frequency: the voltage terms of the
/// branch rows, the amplifiers' right-hand sides, the current law and the reference nodes.
void buildConstantPart(const NetworkTopology& topology, LinearSystem& system) {
    const int nP = static_cast<int>(topology.branches.size());
    system.reset(nP + topology.nodeCount);
    for (int m = 0; m < nP; ++m) {
        const NetworkBranch& branch = topology.branches[m];
        const double s = branch.s;
        if (branch.typ == PartAmpOutput) {
            system.rhs(m) = TComplex{-1.0, 0.0};
        }
        addTo(system.at(m, nP + branch.A), s);
        addTo(system.at(m, nP + branch.B), -s);
        addTo(system.at(nP + branch.A, m), s);
        addTo(system.at(nP + branch.B, m), -s);
    }
    // The current-law rows of one connected part add up to zero, so one of them is
    // replaced by fixing that part's reference voltage.
    for (const int node : topology.referenceNodes) {
        const int row = nP + node;
        for (int column = 0; column <= system.size(); ++column) {
            system.at(row, column) = TComplex{};
        }
        system.at(row, row) = One;
    }
}

TComplex branchImpedance(const NetworkBranch& branch, double omega, const TResult& result, int k) {
    switch (branch.typ) {
    case PartResistor:
        return {branch.value, 0.0};
    case PartCapacitor:
        return {0.0, -1.0 / (omega * branch.value)};
    case PartInductance:
        return {branch.Rvalue, omega * branch.value};
    case PartDriver:
        return result.ChassisZ[branch.chassisnr][k];
    default:
        return {};
    }
}

void fillSystem(const NetworkTopology& topology, const TResult& result, int k, double f,
                NetworkScratch& scratch) {
    scratch.work.copyFrom(scratch.constantPart);
    const double omega = 2.0 * std::numbers::pi * f;
    for (int m = 0; m < static_cast<int>(topology.branches.size()); ++m) {
        const NetworkBranch& branch = topology.branches[m];
        if (branch.typ != PartAmpOutput) {
            scratch.work.at(m, m) = branchImpedance(branch, omega, result, k);
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

bool evaluatePoint(const NetworkTopology& topology, const TResult& result, int a, int k,
                   const LinearSystem& system, PointResult& point) {
    point = PointResult{};
    for (int m = 0; m < static_cast<int>(topology.branches.size()); ++m) {
        const NetworkBranch& branch = topology.branches[m];
        TComplex current = system.solution(m);
        if (branch.typ == PartDriver && result.AmpOfChassis[branch.chassisnr] == a) {
            // A driver that occurs twice keeps the value of its later branch.
            point.chassisU[branch.chassisnr] = CMul(result.ChassisZ[branch.chassisnr][k], current);
            point.drives[branch.chassisnr] = true;
            if (!isFinite(point.chassisU[branch.chassisnr])) {
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
    buildConstantPart(topology, scratch.constantPart);
    PointResult point;
    for (int k = 0; k < GridSize && working.f[k] > 0; ++k) {
        fillSystem(topology, result, k, working.f[k], scratch);
        scratch.work.solve();
        if (!solutionFinite(scratch.work) ||
            !evaluatePoint(topology, result, a, k, scratch.work, point)) {
            return false;
        }
        storePoint(point, a, k, result);
    }
    return true;
}

} // namespace

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
