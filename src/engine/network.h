// The crossover network solver: per grid frequency, the voltage at every driver an amplifier
// drives and the impedance at the amplifier output, for 1 V at the amplifier.
#pragma once

#include "engine/network_solver.h"
#include "engine/result.h"
#include "model/projekt.h"

#include <memory>
#include <string>
#include <vector>

namespace tavrel {

/// Working storage of the network job, kept by each calculation thread and reused for every
/// amplifier and run: the frequency-independent part of the equations and the systems that
/// are filled and solved per grid frequency, one for each of the two threads that share the
/// points. It grows to the largest network seen and never allocates inside the frequency loop.
struct NetworkScratch {
    LinearSystem constantPart;
    LinearSystem work;
    LinearSystem helperWork; ///< the system of the helper thread's share of the points
};

inline std::unique_ptr<NetworkScratch> MakeNetworkScratch() {
    return std::make_unique<NetworkScratch>();
}

/// The network job for amplifier a (0-based): writes AmpZ[a] and, for every driver of the
/// network that this amplifier drives according to AmpOfChassis, its ChassisU. Needs
/// AmpOfChassis and ChassisZ of the same pass. Returns "Ok" or the error text; never throws.
/// On an error the grid points already computed keep their new values.
std::string RunNetworkJob(const TProjekt& working, int a, TResult& result, NetworkScratch& scratch);

/// One branch of a solved network: the voltage across it (node A against node B) and the
/// current through it from A to B, per grid point, for 1 V at the amplifier output.
struct BranchFlow {
    int slot = 0;
    int typ = 0;
    int A = 0, B = 0; ///< working node numbers (wires merged away)
    std::vector<TComplex> voltage, current;
};

/// The branches of amplifier a's network solved at the first `points` grid points with the
/// driver impedances of `result`; empty when the network cannot be solved (see RunNetworkJob).
std::vector<BranchFlow> SolveBranchFlows(const TProjekt& working, int a, const TResult& result,
                                         int points);

/// The error text of the network job for amplifier a (0-based).
std::string NetworkErrorText(int a);

} // namespace tavrel
