// The keys of one driver inside a store, shared by driver files and project files. The two
// file kinds differ in a few defaults, in the version numbers at which the old conversions stop
// and in which marker/date/order keys they carry; ChassisKeyRules names those differences.
#pragma once

#include "foundation/my_ini_file.h"
#include "model/chassis.h"

#include <string>

namespace tavrel {

enum class ChassisFileKind { DriverFile, ProjectFile };

/// Converts a phase in radians to the degrees written into files (rounded to 0.001 degree).
double PhaseToFileDegrees(double radians);
/// Converts degrees read from a file to radians.
double FileDegreesToPhase(double degrees);

/// Writes every stored key of `driver` into `section` in file order. `hst` decides whether the
/// maker marker key is written (three blanks) or deleted; `pubdate` is the date text written.
void WriteChassisKeys(const TChassis& driver, TMyIniFile& store, const std::string& section,
                      ChassisFileKind kind, bool hst, std::string_view pubdate);

/// Reads every stored key of a driver from `section` with the defaults and version conversions
/// of the file kind. Measured frequency lists always end up terminated (the entry after the
/// last one read and entry 600 are 0).
void ReadChassisKeys(TChassis& driver, TMyIniFile& store, const std::string& section, int version,
                     ChassisFileKind kind);

/// Oldest-format drivers carry no voice-coil substitutes: computes Rms, Cms and Lms from the
/// Thiele-Small values and fits Re2 and Le2 to the measured impedance.
void CompleteOldestFormatDriver(TChassis& driver);

} // namespace tavrel
