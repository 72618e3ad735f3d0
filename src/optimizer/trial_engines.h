// TrialEngines: the optimizer's three calculation engines — the centre, holding the best
// project so far, and the plus and minus trials. Trials are computed in parallel and only
// what they change is recomputed; accepting a trial swaps it with the centre instead of
// copying results.
#pragma once

#include "engine/engine_pool.h"
#include "optimizer/opti_run.h"

#include <chrono>

namespace tavrel {

class TrialEngines final : public OptiEvaluator {
public:
    /// Give-up limits of the first evaluation and of every later one.
    static constexpr std::chrono::seconds InitialLimit{143};
    static constexpr std::chrono::seconds TrialLimit{30};

    TrialEngines();

    /// Prepares the next StartAll: the judgement preferences, and optionally a finished
    /// calculation of (nearly) the same project whose driver and baffle results the engines
    /// take over instead of computing them again (copied now). Only while nothing runs.
    void Prepare(const TJudgeInputs& inputs, const TCalcEngine* seed);

    bool StartAll(const TProjekt& project) override;
    bool EvaluateTrials(const TProjekt* plus, const TProjekt* minus) override;
    double TrialJudgement(Trial trial) const override;
    void AcceptTrial(Trial trial) override;
    bool RecalculateCentre(const TProjekt& project) override;
    const TProjekt& CentreProject() const override;
    const TJudgement& CentreJudgement() const override;
    const TResult& CentreResult() const override;

private:
    /// centre, plus, minus
    EnginePool m_pool{3};
    bool m_seeded = false;
};

} // namespace tavrel
