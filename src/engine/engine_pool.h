// EnginePool: several silent calculation threads that compute projects side by side. The caller
// starts a project on each engine it needs, waits for all of them and then reads their
// working state. An engine compares each project with the one it computed last and runs only
// the jobs the difference touches; seeding it from a finished calculation of (nearly) the same
// project spares it everything that did not change, above all the baffle diffraction.
#pragma once

#include "engine/calc_thread.h"

#include <chrono>
#include <memory>
#include <vector>

namespace tavrel {

class EnginePool {
public:
    explicit EnginePool(int count);

    int Count() const { return static_cast<int>(m_engines.size()); }
    /// The judgement preferences of every engine's next passes; only while all are finished.
    void SetJudgeInputs(const TJudgeInputs& inputs);
    /// Engine `index` takes over the state of `from` (copied now); only while it is finished.
    void Seed(int index, const TCalcEngine& from);
    /// Starts engine `index` on a copy of `project`; `full` recomputes every job.
    void Start(int index, const TProjekt& project, bool full = false);
    /// Blocks until every engine has finished or `limit` has passed; true when all finished.
    bool WaitAll(std::chrono::steady_clock::duration limit) const;
    /// The working state of engine `index`; read only after WaitAll returned true.
    const TCalcEngine& Engine(int index) const { return engine(index).Engine(); }
    /// Exchanges two engines with everything they hold.
    void Swap(int a, int b);

private:
    TCalcThread& engine(int index) const { return *m_engines[static_cast<std::size_t>(index)]; }

    std::vector<std::unique_ptr<TCalcThread>> m_engines;
};

} // namespace tavrel
