// The crossover network solver: per grid frequency, the voltage at every driver an amplifier
// drives and the impedance at the amplifier output, for 1 V at the amplifier.
#pragma once

#include "engine/network_solver.h"
#include "engine/result.h"
#include "model/projekt.h"

#include <memory>
#include <string>

namespace tavrel {

/// Working storage of the network job, kept by each calculation thread and reused for every
/// amplifier and run: the frequency-independent part of the equations and the system that
/// is filled and solved per grid frequency. It grows to the largest network seen and never
/// allocates inside the frequency loop.
struct NetworkScratch {
    LinearSystem constantPart;
    LinearSystem work;
};

inline std::unique_ptr<NetworkScratch> MakeNetworkScratch() {
    return std::make_unique<NetworkScratch>();
}

/// The network job for amplifier a (0-based): writes AmpZ[a] and, for every driver of the
/// network that this amplifier drives according to AmpOfChassis, its ChassisU. Needs
/// AmpOfChassis and ChassisZ of the same pass. Returns "Ok" or the error text; never throws.
/// On an error the grid points already computed keep their new values.
std::string RunNetworkJob(const TProjekt& working, int a, TResult& result, NetworkScratch& scratch);

/// The error text of the network job for amplifier a (0-based).
std::string NetworkErrorText(int a);

} // namespace tavrel
