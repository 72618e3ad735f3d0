// The records from which the bundled example files in data/examples are written: the
// designs are kept as code, reviewed as the plain files make_examples writes from them.
#pragma once

#include "model/chassis.h"
#include "model/projekt.h"

#include <memory>
#include <string>
#include <vector>

namespace tavrel::examples {

struct ExampleDriver {
    std::string fileName; ///< NAME.TVC, stored in data/examples as NAME.TVC.plain
    std::unique_ptr<TChassis> driver;
};

struct ExampleProject {
    std::string fileName; ///< NAME.TVP, stored in data/examples as NAME.TVP.plain
    std::unique_ptr<TProjekt> projekt;
};

std::vector<ExampleDriver> ExampleDrivers();
/// Every bundled example project, Default.TVP first.
std::vector<ExampleProject> ExampleProjects();

/// Two-way speaker: 17 cm woofer in a vented box, 25 mm dome tweeter, passive second-order
/// crossover at about 2.5 kHz.
std::unique_ptr<TProjekt> DefaultProjekt();
/// Three-way in closed boxes with one passive network: bass 20 cm, mid-woofer 13 cm, tweeter
/// behind an L-pad; two branches reach ground through free wires.
std::unique_ptr<TProjekt> ClosedThreeWayProjekt();
/// Two-way driven by two amplifiers with active Linkwitz-Riley filters (4th order at 2 kHz).
std::unique_ptr<TProjekt> BiAmpedProjekt();
std::unique_ptr<TProjekt> ActiveTwoWayProjekt();
/// Subwoofer in a 4th-order bandpass (closed rear chamber, vented front chamber).
std::unique_ptr<TProjekt> BandpassProjekt();
/// Subwoofer in a 6th-order bandpass (both chambers vented, rear port on the back).
std::unique_ptr<TProjekt> BiventedBandpassProjekt();
/// Compact subwoofer: the 10 inch driver in 20 l with two passive radiators tuned to 30 Hz.
std::unique_ptr<TProjekt> PassiveRadiatorProjekt();
/// A large project for timing the calculation: 8 drivers on 6 amplifiers.
std::unique_ptr<TProjekt> Bench8x6Projekt();

/// Grid points of the timing project: the finest grid the program offers.
constexpr int BenchFileGridPoints = 599;

// Building blocks shared by the example projects.

/// Every field at what reading a missing project file gives.
std::unique_ptr<TProjekt> FreshProjekt();
std::unique_ptr<TChassis> WooferDriver();
std::unique_ptr<TChassis> MidWooferDriver();
std::unique_ptr<TChassis> TweeterDriver();
std::unique_ptr<TChassis> BassDriver();
/// Puts `driver` into slot d; a project keeps the diaphragm shape with the baffle.
void PutDriver(TProjekt& projekt, int d, const TChassis& driver);

} // namespace tavrel::examples
