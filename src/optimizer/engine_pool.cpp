#include "optimizer/engine_pool.h"

#include <utility>

namespace tavrel {

namespace {

constexpr int Centre = 0;

int indexOf(OptiEvaluator::Trial trial) {
    return trial == OptiEvaluator::Plus ? 1 : 2;
}

} // namespace

EnginePool::EnginePool() {
    for (auto& e : m_engines) {
        e = std::make_unique<TCalcThread>(true, CalcCallbacks{});
    }
}

void EnginePool::Prepare(const TJudgeInputs& inputs, const TCalcEngine* seed) {
    for (auto& e : m_engines) {
        e->SetJudgeInputs(inputs);
    }
    m_seeded = seed != nullptr;
    if (m_seeded) {
        engine(Centre).Seed(*seed);
    }
}

bool EnginePool::waitAll(std::chrono::steady_clock::duration limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (const auto& e : m_engines) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (!e->WaitFinished(left.count() > 0 ? left : std::chrono::milliseconds(0))) {
            return false;
        }
    }
    return true;
}

bool EnginePool::StartAll(const TProjekt& project) {
    TCalcThread& centre = engine(Centre);
    if (m_seeded) {
        centre.RequestCalc(project);
    } else {
        centre.RequestFullCalc(project);
    }
    m_seeded = false;
    if (!waitAll(InitialLimit)) {
        return false;
    }
    // Both trials start from the centre's results: what they change is all they compute.
    engine(indexOf(Plus)).Seed(centre.Engine());
    engine(indexOf(Minus)).Seed(centre.Engine());
    return true;
}

bool EnginePool::EvaluateTrials(const TProjekt* plus, const TProjekt* minus) {
    if (plus != nullptr) {
        engine(indexOf(Plus)).RequestCalc(*plus);
    }
    if (minus != nullptr) {
        engine(indexOf(Minus)).RequestCalc(*minus);
    }
    return waitAll(TrialLimit);
}

double EnginePool::TrialJudgement(Trial trial) const {
    return engine(indexOf(trial)).Engine().Judgement().J[12];
}

void EnginePool::AcceptTrial(Trial trial) {
    std::swap(m_engines[Centre], m_engines[static_cast<std::size_t>(indexOf(trial))]);
}

bool EnginePool::RecalculateCentre(const TProjekt& project) {
    engine(Centre).RequestCalc(project);
    return waitAll(TrialLimit);
}

const TProjekt& EnginePool::CentreProject() const {
    return engine(Centre).Engine().Working();
}

const TJudgement& EnginePool::CentreJudgement() const {
    return engine(Centre).Engine().Judgement();
}

const TResult& EnginePool::CentreResult() const {
    return engine(Centre).Engine().Result();
}

} // namespace tavrel
