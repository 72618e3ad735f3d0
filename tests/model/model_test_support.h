// Shared helpers of the model tests: records with every stored field set to a non-default value
// that the 10-character number text holds exactly, stores built from plain text.
#pragma once

#include "foundation/my_ini_file.h"
#include "model/chassis.h"
#include "model/projekt.h"
#include "support/scratch_dir.h"

#include <filesystem>
#include <memory>
#include <string>

namespace tavrel::test {

/// A driver with every stored field non-default; derived fields 0.
std::unique_ptr<TChassis> FullDriver(int seed);
/// A project with 6 amplifiers, 8 drivers and every stored field non-default.
std::unique_ptr<TProjekt> FullProjekt();
/// Clears the fields that no file stores, so that records can be compared whole.
void ClearDerived(TChassis& driver);

/// A store loaded from plain text; `body` is everything after the header line.
TMyIniFile PlainStore(const std::string& body);

} // namespace tavrel::test
