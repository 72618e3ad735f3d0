#include "tolerance/tolerance_run.h"

#include "engine/calc_engine.h"
#include "tolerance/tolerance_draw.h"

#include <algorithm>
#include <chrono>

namespace tavrel {

namespace {

/// Give-up limit of one batch; a batch takes milliseconds.
constexpr std::chrono::seconds BatchLimit{120};

bool calculated(const TCalcEngine& engine) {
    return CollectErrors(engine.Status(), engine.Working()).empty();
}

/// Starts runs first .. first + count − 1, one per engine.
void startBatch(EnginePool& pool, const TProjekt& nominal, const TTolerances& t, int first,
                int count, TProjekt& scratch) {
    for (int i = 0; i < count; ++i) {
        scratch = nominal;
        ApplyTolerances(scratch, t, first + i);
        pool.Start(i, scratch);
    }
}

std::vector<RunCurves> collectBatch(const EnginePool& pool, int count) {
    std::vector<RunCurves> runs;
    for (int i = 0; i < count; ++i) {
        const TCalcEngine& e = pool.Engine(i);
        runs.push_back(ExtractRunCurves(e.Result(), e.Judgement().J[12], calculated(e)));
    }
    return runs;
}

/// The nominal calculation on engine 0, then every engine starts from it.
bool calculateNominal(const TProjekt& project, EnginePool& pool, bool seeded) {
    pool.Start(0, project, !seeded);
    if (!pool.WaitAll(BatchLimit)) {
        return false;
    }
    for (int i = 1; i < pool.Count(); ++i) {
        pool.Seed(i, pool.Engine(0));
    }
    return true;
}

} // namespace

int DefaultEngineCount() {
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
}

ToleranceReport RunTolerance(const TProjekt& project, const TTolerances& tolerances,
                             EnginePool& pool, bool seeded,
                             const std::function<void(int done)>& progress,
                             const std::atomic<bool>& abort) {
    ToleranceReport report;
    if (!calculateNominal(project, pool, seeded)) {
        report.outcome = TolOutcome::TimedOut;
        return report;
    }
    const TCalcEngine& nominal = pool.Engine(0);
    report.errors = CollectErrors(nominal.Status(), project);
    if (!report.errors.empty()) {
        report.outcome = TolOutcome::NominalFailed;
        return report;
    }
    ToleranceStats stats(nominal.Result(), nominal.Judgement().J[12]);
    if (!stats.NominalOk()) {
        report.outcome = TolOutcome::NominalFailed;
        report.errors = {
            "Error: the design's level, impedance or judgement is not a finite number."};
        return report;
    }
    auto scratch = std::make_unique<TProjekt>();
    const int runs = tolerances.runs;
    std::vector<RunCurves> pending;
    // The next batch computes while the previous one is added to the statistics.
    for (int first = 0; first < runs || !pending.empty();) {
        const int count = std::min(pool.Count(), runs - first);
        if (count > 0) {
            startBatch(pool, project, tolerances, first, count, *scratch);
        }
        for (const RunCurves& run : pending) {
            stats.Add(run);
        }
        pending.clear();
        if (count <= 0) {
            break;
        }
        if (!pool.WaitAll(BatchLimit)) {
            report.outcome = TolOutcome::TimedOut;
            return report;
        }
        pending = collectBatch(pool, count);
        first += count;
        if (progress) {
            progress(first);
        }
        if (abort) {
            report.outcome = TolOutcome::Aborted;
            return report;
        }
    }
    report.result = stats.Result();
    return report;
}

ToleranceJob::ToleranceJob(ToleranceJobCalls calls, int engines)
    : m_calls(std::move(calls)), m_pool(engines), m_project(std::make_unique<TProjekt>()) {}

ToleranceJob::~ToleranceJob() {
    m_abort = true;
    join();
}

void ToleranceJob::join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool ToleranceJob::Start(const TProjekt& project, const TTolerances& tolerances,
                         const TCalcEngine* seed) {
    {
        std::lock_guard lock(m_mutex);
        if (m_busy) {
            return false;
        }
        m_busy = true;
    }
    join();
    *m_project = project;
    m_tolerances = tolerances;
    m_abort = false;
    m_done = 0;
    if (seed != nullptr) {
        m_pool.Seed(0, *seed);
    }
    m_reporting = true;
    m_thread = std::thread([this, seeded = seed != nullptr] {
        const auto progress = [this](int done) {
            m_done = done;
            if (m_calls.progress) {
                m_calls.progress(done);
            }
        };
        ToleranceReport report =
            RunTolerance(*m_project, m_tolerances, m_pool, seeded, progress, m_abort);
        {
            std::lock_guard lock(m_mutex);
            m_report = std::move(report);
            m_busy = false;
        }
        if (m_calls.finished) {
            m_calls.finished();
        }
        m_reporting = false;
    });
    return true;
}

bool ToleranceJob::Busy() const {
    std::lock_guard lock(m_mutex);
    return m_busy;
}

} // namespace tavrel
