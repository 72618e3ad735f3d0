// The records from which the bundled example files in data/examples were written. Keeping
// them in code lets a test check that the checked-in files are exactly what the writer makes.
#pragma once

#include "model/chassis.h"
#include "model/projekt.h"

#include <memory>
#include <string>
#include <vector>

namespace tavrel::test {

struct ExampleDriver {
    std::string fileName; ///< NAME.TVC, stored in data/examples as NAME.TVC.plain
    std::unique_ptr<TChassis> driver;
};

std::vector<ExampleDriver> ExampleDrivers();
/// Two-way speaker: 17 cm woofer in a vented box, 25 mm dome tweeter, passive second-order
/// crossover at about 2.5 kHz.
std::unique_ptr<TProjekt> DefaultProjekt();

} // namespace tavrel::test
