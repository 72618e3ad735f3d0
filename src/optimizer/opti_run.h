// OptiRun: one optimizer run. It collects the marked values, moves each up and down by its
// step in two trial evaluations, keeps whatever lowers the total judgement, extrapolates the
// way the values have travelled, and fixes one part at a time to its final value when the
// judgement stops falling. The evaluations are done by an OptiEvaluator (the three
// calculation engines, or a plain function in tests); questions go to injected handlers.
#pragma once

#include "optimizer/opti_settings.h"
#include "optimizer/opti_value.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace tavrel {

/// The centre (the best project so far) and two trials, evaluated to their judgement.
class OptiEvaluator {
public:
    enum Trial { Plus, Minus };
    virtual ~OptiEvaluator() = default;
    /// Evaluates `project` as the centre and prepares both trials from it; false when the
    /// evaluation did not finish in time.
    virtual bool StartAll(const TProjekt& project) = 0;
    /// Evaluates the given trials in parallel (nullptr: not needed); false on timeout.
    virtual bool EvaluateTrials(const TProjekt* plus, const TProjekt* minus) = 0;
    virtual double TrialJudgement(Trial trial) const = 0;
    /// The trial becomes the centre.
    virtual void AcceptTrial(Trial trial) = 0;
    /// Evaluates a changed centre; false on timeout.
    virtual bool RecalculateCentre(const TProjekt& project) = 0;
    virtual const TProjekt& CentreProject() const = 0;
    virtual const TJudgement& CentreJudgement() const = 0;
    virtual const TResult& CentreResult() const = 0;
};

/// What a run shows after its first evaluation (iteration 0) and after every iteration.
struct OptiReport {
    int iteration = 0;
    int partsLeft = 0;
    std::string fixation; ///< what was fixed in this iteration, empty when nothing
    const TJudgement& judgement;
    const TResult& result;
};

/// A part to be fixed by hand: `part` is the slot in the centre project; the handler may
/// replace it and returns true, or returns false to keep the optimized value.
struct FixationRequest {
    const TOptiValue& value;
    TWeichePart& part;
};
using FixationHandler = std::function<bool(const FixationRequest& request)>;

enum class OptiOutcome {
    NothingToDo, ///< no marked parts
    Finished,    ///< ended by itself
    Aborted,
    TimedOut, ///< an evaluation did not finish in time
};

struct OptiRunHooks {
    std::function<void(const OptiReport&)> report;
    FixationHandler fixByHand; ///< empty: the optimized value is kept
};

class OptiRun {
public:
    /// `progress` receives 0..1000 per step (and −1 at the end), `abort` is read between steps.
    OptiRun(OptiEvaluator& evaluator, const TOptiSettings& settings, OptiRunHooks hooks,
            std::atomic<int>& progress, const std::atomic<bool>& abort);

    OptiOutcome Run(const TProjekt& initial);

private:
    bool iterate(int m);
    bool trialStep(int m, int k, int i, bool& success);
    bool fixOne(std::string& text);
    void report(int iteration, const std::string& fixation);
    double centreJudgement() const { return m_eval.CentreJudgement().J[12]; }

    OptiEvaluator& m_eval;
    const TOptiSettings m_settings;
    const OptiRunHooks m_hooks;
    std::atomic<int>& m_progress;
    const std::atomic<bool>& m_abort;
    OptiValues m_values;
    double m_jBar = 100;
    std::unique_ptr<TProjekt> m_plus, m_minus;
};

/// "C = 5,6 µF"-style text of an entry's value.
std::string OptiValueText(const TOptiValue& entry, double value);

} // namespace tavrel
