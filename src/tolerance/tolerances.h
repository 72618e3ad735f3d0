// TTolerances: how far the parts of a built speaker may lie from their nominal values — a
// tolerance in percent per kind of crossover part and per driver parameter — and how the
// deviations are distributed, with the number of built copies and the seed of the draws.
// Also their texts, their check and their place in the settings file.
#pragma once

#include "foundation/my_ini_file.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrel {

enum class TolKind {
    Resistor,
    Capacitor,
    Inductance,
    SeriesR, ///< series resistance of an inductance
    Fs,
    Qes,
    Qms,
    Vas,
    Rdc,
    RadiatorMass, ///< mass added to passive radiators
    RadiatorQms,  ///< mechanical Q of passive radiators
};
constexpr int TolKindCount = 11;

struct TTolerances {
    /// Percent per TolKind: parts from the usual ±5 % and ±3 % ranges, drivers ±10 % in fs,
    /// Q and Vas as data sheets rarely keep better; a radiator's added mass is weighed, its Q
    /// is as loose as a driver's.
    std::array<double, TolKindCount> percent{5, 5, 3, 5, 10, 10, 10, 10, 5, 3, 10};
    /// false: uniform within ±tolerance; true: normal with σ = tolerance / 2, cut at ±tolerance.
    bool normal = false;
    int runs = 500;
    std::uint64_t seed = 1;

    double& operator[](TolKind kind) { return percent[static_cast<std::size_t>(kind)]; }
    double operator[](TolKind kind) const { return percent[static_cast<std::size_t>(kind)]; }
    bool operator==(const TTolerances&) const = default;
};

constexpr int MinTolRuns = 2;
constexpr int MaxTolRuns = 1000000;

/// Short name of a kind, as options and settings keys use it: "r", "c", "l", "dcr", "fs",
/// "qes", "qms", "vas", "rdc", "prmadd", "prqms".
std::string_view TolKindName(TolKind kind);
/// Caption of a kind in the window ("Resistors", ..., "Driver Rdc").
std::string_view TolKindCaption(TolKind kind);

/// Empty when `percent` is a usable tolerance (0..100), else why not.
std::string CheckTolerancePercent(double percent);

/// The tolerances kept in section "Tolerance" of the settings store; missing keys keep the
/// defaults and unusable values are ignored.
TTolerances ReadTolerances(TMyIniFile& store);
void WriteTolerances(TMyIniFile& store, const TTolerances& tolerances);

} // namespace tavrel
