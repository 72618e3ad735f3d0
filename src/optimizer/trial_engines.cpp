#include "optimizer/trial_engines.h"

namespace tavrel {

namespace {

constexpr int Centre = 0;

int indexOf(OptiEvaluator::Trial trial) {
    return trial == OptiEvaluator::Plus ? 1 : 2;
}

} // namespace

TrialEngines::TrialEngines() = default;

void TrialEngines::Prepare(const TJudgeInputs& inputs, const TCalcEngine* seed) {
    m_pool.SetJudgeInputs(inputs);
    m_seeded = seed != nullptr;
    if (m_seeded) {
        m_pool.Seed(Centre, *seed);
    }
}

bool TrialEngines::StartAll(const TProjekt& project) {
    m_pool.Start(Centre, project, !m_seeded);
    m_seeded = false;
    if (!m_pool.WaitAll(InitialLimit)) {
        return false;
    }
    // Both trials start from the centre's results: what they change is all they compute.
    m_pool.Seed(indexOf(Plus), m_pool.Engine(Centre));
    m_pool.Seed(indexOf(Minus), m_pool.Engine(Centre));
    return true;
}

bool TrialEngines::EvaluateTrials(const TProjekt* plus, const TProjekt* minus) {
    if (plus != nullptr) {
        m_pool.Start(indexOf(Plus), *plus);
    }
    if (minus != nullptr) {
        m_pool.Start(indexOf(Minus), *minus);
    }
    return m_pool.WaitAll(TrialLimit);
}

double TrialEngines::TrialJudgement(Trial trial) const {
    return m_pool.Engine(indexOf(trial)).Judgement().J[12];
}

void TrialEngines::AcceptTrial(Trial trial) {
    m_pool.Swap(Centre, indexOf(trial));
}

bool TrialEngines::RecalculateCentre(const TProjekt& project) {
    m_pool.Start(Centre, project);
    return m_pool.WaitAll(TrialLimit);
}

const TProjekt& TrialEngines::CentreProject() const {
    return m_pool.Engine(Centre).Working();
}

const TJudgement& TrialEngines::CentreJudgement() const {
    return m_pool.Engine(Centre).Judgement();
}

const TResult& TrialEngines::CentreResult() const {
    return m_pool.Engine(Centre).Result();
}

} // namespace tavrel
