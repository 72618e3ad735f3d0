// The crossover network solver: per grid frequency, the voltage at every driver an amplifier
// drives and the impedance at the amplifier output, for 1 V at the amplifier.
#pragma once

#include "engine/result.h"
#include "model/projekt.h"

#include <memory>
#include <string>

namespace tavrel {

/// Scratch matrix of the network job (400 × 402 complex values), kept by the calculation
/// thread so the job allocates nothing per run.
struct NetworkScratch;
std::unique_ptr<NetworkScratch> MakeNetworkScratch();
void DestroyNetworkScratch(NetworkScratch* scratch);

/// The network job for amplifier a: writes ChassisU of its drivers and AmpZ[a]. Needs
/// AmpOfChassis and ChassisZ of the same pass. Returns the status text.
std::string RunNetworkJob(const TProjekt& working, int a, TResult& result, NetworkScratch& scratch);

} // namespace tavrel
