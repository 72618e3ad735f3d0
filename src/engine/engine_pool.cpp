#include "engine/engine_pool.h"

#include <utility>

namespace tavrel {

EnginePool::EnginePool(int count) {
    m_engines.resize(static_cast<std::size_t>(count < 1 ? 1 : count));
    for (auto& e : m_engines) {
        e = std::make_unique<TCalcThread>(true, CalcCallbacks{});
    }
}

void EnginePool::SetJudgeInputs(const TJudgeInputs& inputs) {
    for (auto& e : m_engines) {
        e->SetJudgeInputs(inputs);
    }
}

void EnginePool::Seed(int index, const TCalcEngine& from) {
    engine(index).Seed(from);
}

void EnginePool::Start(int index, const TProjekt& project, bool full) {
    if (full) {
        engine(index).RequestFullCalc(project);
    } else {
        engine(index).RequestCalc(project);
    }
}

bool EnginePool::WaitAll(std::chrono::steady_clock::duration limit) const {
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

void EnginePool::Swap(int a, int b) {
    std::swap(m_engines[static_cast<std::size_t>(a)], m_engines[static_cast<std::size_t>(b)]);
}

} // namespace tavrel
