// ToleranceStats: the figures of a tolerance analysis, collected run by run in run order. Per
// grid frequency it keeps one QuantileSketch for the speaker's on-axis level and one per
// amplifier impedance, and no run's curves beyond the first curve of the pair being built.
// Memory: each sketch keeps at most 1000 values (8 KB), so a project of 599 points and six
// amplifiers needs at most about 34 MB, reached at 1000 runs; beyond that every sketch holds
// nine markers and the memory stays fixed however many runs follow. The total judgement and
// the pair differences are single numbers per run and are kept whole for exact percentiles.
#pragma once

#include "engine/result.h"
#include "tolerance/quantile_sketch.h"

#include <vector>

namespace tavrel {

/// Pair differences are taken over this band, where a listener hears them most.
constexpr double PairBandLow = 200.0;
constexpr double PairBandHigh = 10000.0;

/// One curve's nominal value and spread at every grid frequency.
struct CurveSpread {
    std::vector<double> nominal, min, p5, p50, p95, max;
};

struct ToleranceResult {
    std::vector<double> freq;
    CurveSpread level;                  ///< whole speaker on axis, dB
    std::vector<CurveSpread> impedance; ///< |Z| at each amplifier, ohm
    double judgementNominal = 0;
    Percentiles judgement;               ///< total judgement of the runs
    std::vector<double> pairDifferences; ///< per pair, largest level difference in dB
    Percentiles pairs;                   ///< of pairDifferences
    int runs = 0;                        ///< runs that calculated
    int failedRuns = 0;                  ///< runs whose calculation reported an error
};

/// What the statistics need of one run's results.
struct RunCurves {
    bool ok = false; ///< the calculation succeeded and every value is finite
    std::vector<double> level;
    std::vector<std::vector<double>> impedance;
    double judgement = 0;
};

/// The curves of a finished calculation; `ok` is the calculation's success.
RunCurves ExtractRunCurves(const TResult& result, double judgement, bool ok);

class ToleranceStats {
public:
    /// `nominal`: the curves of the project as designed.
    ToleranceStats(const TResult& nominal, double nominalJudgement);

    /// False when a nominal value is not a finite number: there is nothing to compare with.
    bool NominalOk() const { return m_nominal.ok; }
    /// The next run; runs 2j and 2j + 1 form a pair.
    void Add(const RunCurves& run);
    ToleranceResult Result() const;

private:
    void addPair(const std::vector<double>& level);

    std::vector<double> m_freq;
    RunCurves m_nominal;
    std::vector<QuantileSketch> m_level;
    std::vector<std::vector<QuantileSketch>> m_impedance;
    std::vector<double> m_judgements;
    std::vector<double> m_pairs;
    std::vector<double> m_pairFirst; ///< level of the even run waiting for its partner
    bool m_pairFirstOk = false;
    int m_added = 0;
    int m_failed = 0;
};

} // namespace tavrel
