#include "optimizer/opti_run.h"

#include "foundation/number_text.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

constexpr double StepGrowth = 1.8;     ///< a step that found a better value grows
constexpr double Extrapolation = 4e-4; ///< per repetition, of the way travelled since the start
constexpr int FirstExtrapolatingIteration = 3;
constexpr int FirstRepeatingIteration = 8; ///< from here a successful step is repeated
constexpr int MaxRepetition = 6;

bool allStepsAtMinimum(const OptiValues& values) {
    return std::all_of(values.begin(), values.end(),
                       [](const TOptiValue& e) { return e.step <= e.minimum; });
}

void shrinkStep(TOptiValue& e, int i) {
    double s = (0.1 * i + 0.6) * e.step;
    if (s < e.minimum) {
        s = e.minimum;
    }
    if (s > 0.4 * e.start) {
        s = 0.4 * e.start;
    }
    if (s > e.maxStep) {
        s = e.maxStep;
    }
    e.step = s;
}

} // namespace

std::string OptiValueText(const TOptiValue& entry, double value) {
    return entry.caption + FloatToWidth(6, value * entry.displayFactor) + entry.unit;
}

OptiRun::OptiRun(OptiEvaluator& evaluator, const TOptiSettings& settings, OptiRunHooks hooks,
                 std::atomic<int>& progress, const std::atomic<bool>& abort)
    : m_eval(evaluator), m_settings(settings), m_hooks(std::move(hooks)), m_progress(progress),
      m_abort(abort), m_plus(std::make_unique<TProjekt>()), m_minus(std::make_unique<TProjekt>()) {}

OptiOutcome OptiRun::Run(const TProjekt& initial) {
    m_values = CollectOptiValues(initial);
    if (m_values.empty()) {
        return OptiOutcome::NothingToDo;
    }
    if (!m_eval.StartAll(initial)) {
        return OptiOutcome::TimedOut;
    }
    report(0, {});
    m_jBar = 100;
    for (int m = 1;; ++m) {
        if (!iterate(m)) {
            return OptiOutcome::TimedOut;
        }
        if (m_abort) {
            report(m, {}); // no fixation after an abort: nobody is asked any more
            return OptiOutcome::Aborted;
        }
        bool stop = allStepsAtMinimum(m_values);
        const double jc = centreJudgement();
        m_jBar = std::min(0.5 * jc + 0.5 * m_jBar, jc + 1);
        std::string fixation;
        if (m_jBar - jc < 0.0003 / AccuracyDivisor(m_settings)) {
            m_jBar += 0.0025;
            if (!stop) {
                if (!fixOne(fixation)) {
                    return OptiOutcome::TimedOut;
                }
                stop = m_values.empty();
            }
        }
        report(m, fixation);
        if (stop) {
            return OptiOutcome::Finished;
        }
    }
}

/// One pass over every entry and the two extrapolation positions; false on timeout.
bool OptiRun::iterate(int m) {
    int k = 0, i = 1;
    while (k <= static_cast<int>(m_values.size()) + 1) {
        bool success = false;
        if (!trialStep(m, k, i, success)) {
            return false;
        }
        if (m_abort) {
            break;
        }
        if (m >= FirstRepeatingIteration && success && i < MaxRepetition) {
            ++i;
        } else {
            ++k;
            i = 1;
        }
    }
    return true;
}

bool OptiRun::trialStep(int m, int k, int i, bool& success) {
    const int n = static_cast<int>(m_values.size());
    m_progress = static_cast<int>(std::lround((k + 1) * 1000.0 / n));
    const TProjekt& centre = m_eval.CentreProject();
    bool plusNeeded = false, minusNeeded = false;
    if (k < n) {
        const TOptiValue& e = m_values[k];
        const double v = OptiValueOf(centre, e);
        *m_plus = centre;
        *m_minus = centre;
        SetOptiValue(*m_plus, e, v + e.step);
        SetOptiValue(*m_minus, e, std::max(v - e.step, e.minimum));
        plusNeeded = v + e.step != v;
        minusNeeded = std::max(v - e.step, e.minimum) != v;
    } else if (m >= FirstExtrapolatingIteration) {
        // Both trials would be the same project: one evaluation decides.
        *m_plus = centre;
        for (const TOptiValue& e : m_values) {
            const double v = OptiValueOf(centre, e);
            const double moved = (1 + Extrapolation * i) * v - Extrapolation * i * e.start;
            SetOptiValue(*m_plus, e, std::max(moved, e.minimum));
        }
        plusNeeded = true;
    }
    // A trial equal to the centre cannot be better than it: it is not evaluated.
    if ((plusNeeded || minusNeeded) &&
        !m_eval.EvaluateTrials(plusNeeded ? m_plus.get() : nullptr,
                               minusNeeded ? m_minus.get() : nullptr)) {
        return false;
    }
    if (k == 0 && centreJudgement() > m_jBar) {
        m_jBar = centreJudgement();
    }
    for (const OptiEvaluator::Trial trial : {OptiEvaluator::Plus, OptiEvaluator::Minus}) {
        const bool needed = trial == OptiEvaluator::Plus ? plusNeeded : minusNeeded;
        if (needed && m_eval.TrialJudgement(trial) < centreJudgement()) {
            m_eval.AcceptTrial(trial);
            success = true;
            if (k < n) {
                m_values[k].step *= StepGrowth;
            }
        }
    }
    if (k < n) {
        shrinkStep(m_values[k], i);
    }
    return true;
}

bool OptiRun::fixOne(std::string& text) {
    const int index = ChooseFixation(m_values);
    if (index < 0) {
        m_values.clear(); // only series resistances are left: nothing a user can pick
        return true;
    }
    const TOptiValue entry = m_values[index];
    auto fixed = std::make_unique<TProjekt>(m_eval.CentreProject());
    TWeichePart& part = fixed->Amps[entry.amplifier].Weiche[entry.part];
    const TWeichePart optimized = part;
    const PartChoice choice = ChoiceFor(m_settings, entry.kind);
    if (choice != PartChoice::Manual) {
        part.value = NearestESeries(part.value, SeriesStep(choice));
        text = "fixed " + OptiValueText(entry, part.value) +
               (choice == PartChoice::E6 ? " (E6)" : " (E12)");
    } else if (m_hooks.fixByHand && m_hooks.fixByHand({entry, part})) {
        text = "fixed " + OptiValueText(entry, part.value) + " (edited)";
    } else {
        part = optimized;
        text = "kept " + OptiValueText(entry, part.value) + " as optimized";
    }
    RemoveFixed(m_values, index);
    return m_eval.RecalculateCentre(*fixed);
}

void OptiRun::report(int iteration, const std::string& fixation) {
    if (m_hooks.report) {
        const auto parts = std::count_if(m_values.begin(), m_values.end(),
                                         [](const TOptiValue& e) { return !e.isSeriesR; });
        m_hooks.report({iteration, static_cast<int>(parts), fixation, m_eval.CentreJudgement(),
                        m_eval.CentreResult()});
    }
}

} // namespace tavrel
