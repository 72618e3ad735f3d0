#include "tolerance/tolerance_stats.h"

#include "charts/chart_views.h"
#include "foundation/complex.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

bool allFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

CurveSpread spreadOf(const std::vector<QuantileSketch>& sketches,
                     const std::vector<double>& nominal) {
    CurveSpread s;
    s.nominal = nominal;
    for (const QuantileSketch& sketch : sketches) {
        const Percentiles p = sketch.Result();
        s.min.push_back(p.min);
        s.p5.push_back(p.p5);
        s.p50.push_back(p.p50);
        s.p95.push_back(p.p95);
        s.max.push_back(p.max);
    }
    return s;
}

} // namespace

RunCurves ExtractRunCurves(const TResult& result, double judgement, bool ok) {
    RunCurves run;
    const int n = std::clamp(result.nFreq, 0, GridSize - 1);
    const int amps = std::clamp(result.nAmps, 0, MaxAmps);
    run.level.resize(static_cast<std::size_t>(n));
    run.impedance.assign(static_cast<std::size_t>(amps), std::vector<double>(run.level.size()));
    for (int k = 0; k < n; ++k) {
        run.level[k] = LevelOf(result.SpeakerDir[k][0]);
        for (int a = 0; a < amps; ++a) {
            run.impedance[a][k] = CAbs(result.AmpZ[a][k]);
        }
    }
    run.judgement = judgement;
    run.ok = ok && std::isfinite(judgement) && allFinite(run.level) &&
             std::all_of(run.impedance.begin(), run.impedance.end(), allFinite);
    return run;
}

ToleranceStats::ToleranceStats(const TResult& nominal, double nominalJudgement)
    : m_nominal(ExtractRunCurves(nominal, nominalJudgement, true)) {
    m_freq.assign(nominal.Freq.begin(), nominal.Freq.begin() + m_nominal.level.size());
    m_level.resize(m_freq.size());
    m_impedance.resize(m_nominal.impedance.size());
    for (auto& amp : m_impedance) {
        amp.resize(m_freq.size());
    }
}

void ToleranceStats::Add(const RunCurves& run) {
    const bool first = m_added % 2 == 0;
    ++m_added;
    const bool usable =
        run.ok && run.level.size() == m_freq.size() && run.impedance.size() == m_impedance.size();
    if (!usable) {
        ++m_failed;
        m_pairFirstOk = false;
        return;
    }
    for (std::size_t k = 0; k < m_freq.size(); ++k) {
        m_level[k].Add(run.level[k]);
        for (std::size_t a = 0; a < m_impedance.size(); ++a) {
            m_impedance[a][k].Add(run.impedance[a][k]);
        }
    }
    m_judgements.push_back(run.judgement);
    if (first) {
        m_pairFirst = run.level;
        m_pairFirstOk = true;
    } else if (m_pairFirstOk) {
        addPair(run.level);
    }
}

/// The largest level difference of the pair within the pair band; none when the grid has no
/// point there.
void ToleranceStats::addPair(const std::vector<double>& level) {
    double largest = -1;
    for (std::size_t k = 0; k < m_freq.size(); ++k) {
        if (m_freq[k] >= PairBandLow && m_freq[k] <= PairBandHigh) {
            largest = std::max(largest, std::abs(level[k] - m_pairFirst[k]));
        }
    }
    if (largest >= 0) {
        m_pairs.push_back(largest);
    }
    m_pairFirstOk = false;
}

ToleranceResult ToleranceStats::Result() const {
    ToleranceResult r;
    r.freq = m_freq;
    r.level = spreadOf(m_level, m_nominal.level);
    for (std::size_t a = 0; a < m_impedance.size(); ++a) {
        r.impedance.push_back(spreadOf(m_impedance[a], m_nominal.impedance[a]));
    }
    r.judgementNominal = m_nominal.judgement;
    r.judgement = ExactPercentiles(m_judgements);
    r.pairDifferences = m_pairs;
    r.pairs = ExactPercentiles(m_pairs);
    r.runs = m_added - m_failed;
    r.failedRuns = m_failed;
    return r;
}

} // namespace tavrel
