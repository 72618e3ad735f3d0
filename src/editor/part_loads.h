// The load of every crossover part and driver at a programme level: per grid frequency the rms
// voltage across a part, the rms current through it and the power it dissipates, their
// programme figures (the largest sine value and the pink-noise average) and the rating a
// builder should order.
#pragma once

#include "engine/result.h"
#include "model/projekt.h"

#include <optional>
#include <string>
#include <vector>

namespace tavrel {

/// A figure for a sine sweep (the largest value over the grid) and for pink noise of the same
/// rms level (the average over the grid points from 20 Hz to 20 kHz).
struct ProgrammeFigure {
    double sine = 0;
    double pink = 0;
};

struct PartLoad {
    int amp = 0;  ///< 0-based
    int slot = 0; ///< part slot in the amplifier's network
    int typ = 0;
    std::string name;                       ///< as the tuning panel names it: R1, C2, L1 ...
    bool wire = false;                      ///< value 0: a plain connection with no load of its own
    std::vector<double> volts, amps, watts; ///< rms per grid point (empty for a wire)
    ProgrammeFigure voltage, current, power;
    double peakHz = 0;        ///< where the power (a capacitor: the voltage) is largest
    std::string rating;       ///< what to order, e.g. "20 W", "100 V", "2.1 A"
    bool overComment = false; ///< the load exceeds the rating the part's comment names
};

struct DriverLoad {
    int driver = 0; ///< 0-based
    int amp = 0;
    std::vector<double> volts, amps, watts; ///< watts: real power into the driver
    ProgrammeFigure voltage, current, power;
    double peakHz = 0;
    double pmax = 0; ///< the driver's rated power
};

struct NetworkLoads {
    std::vector<PartLoad> parts;
    std::vector<DriverLoad> drivers;
};

/// The loads of every network of `project` at `volts` rms at each amplifier's input, ahead of
/// its active filter, from the results of a full calculation. Networks that cannot be solved
/// contribute nothing.
NetworkLoads ComputeLoads(const TProjekt& project, const TResult& result, double volts);

/// The rating to order: resistors by power, capacitors by peak voltage, coils by current.
std::string SuggestedRating(int typ, const ProgrammeFigure& voltage, const ProgrammeFigure& current,
                            const ProgrammeFigure& power);

/// One line per programme for a tooltip: "R1: sine 6.49 V, 2.95 A, 19.2 W at 10890 Hz ...".
std::string LoadSummary(const PartLoad& load);

/// The summary of the part in `slot` of amplifier `amp` of the calculated `project` at `volts`,
/// empty for a slot without a part.
std::string PartLoadSummary(const TProjekt& project, const TResult& result, int amp, int slot,
                            double volts);

/// A rating the comment names ("10W", "100 V", "3A"), as value and unit letter.
struct CommentRating {
    double value = 0;
    char unit = 'W';
};
std::optional<CommentRating> RatingInComment(const std::string& comment);

/// The index (0-based) of the part called `name` ("R1") in `loads` for amplifier `amp`.
std::optional<std::size_t> FindPart(const NetworkLoads& loads, int amp, const std::string& name);

} // namespace tavrel
