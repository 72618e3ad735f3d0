// The texts of a tolerance analysis: the table of spreads per grid frequency that the command
// line writes, and the summaries of the pair matching and of the judgement.
#pragma once

#include "tolerance/tolerance_stats.h"

#include <string>

namespace tavrel {

/// One line per grid frequency: frequency, the speaker's level nominal, min, 5 %, 50 %, 95 %,
/// max, then the same six for each amplifier's impedance; tab separated, or comma separated
/// under a header line with `csv`. Ten significant digits, decimal point.
std::string FormatToleranceTable(const ToleranceResult& result, bool csv);

/// "Pairs differ by at most 0.8 dB in half of all builds, 1.6 dB in 95 %", or why there are
/// no pair figures.
std::string PairSummaryText(const ToleranceResult& result);

/// The spread of the total judgement: nominal, 5 %, 50 % and 95 %.
std::string JudgementSpreadText(const ToleranceResult& result);

/// Runs that calculated, and those that did not when there are any.
std::string RunCountText(const ToleranceResult& result);

} // namespace tavrel
