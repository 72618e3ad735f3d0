// The check after a project load for driver files that are newer than the drivers the
// project carries: same driver name (ignoring blanks, "-", "_", brackets and case) and a
// later publication date.
#pragma once

#include "model/chassis.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

/// The name without blanks, "-", "_", "(" and ")", in upper case.
std::string NormalizedDriverName(std::string_view name);

/// The first driver file (*.TVC) in `driverDir` that holds a newer version of `driver`.
std::optional<std::string> FindNewerDriverFile(const TChassis& driver,
                                               const std::string& driverDir);

/// The question asked before a newer driver file replaces the project's driver.
std::string DriverUpdateQuestion(const TChassis& driver);

} // namespace tavrel
