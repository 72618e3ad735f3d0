// TCalcEngine: the working state of one calculation — the project being computed, the
// results being built, the job states — with the change detection that marks only the jobs a
// new project copy touches, the fixed job order and the end of a pass. It has no thread of
// its own: TCalcThread drives it in the background, the command line drives it directly.
#pragma once

#include "engine/network.h"
#include "engine/result.h"
#include "engine/result_buffers.h"
#include "engine/speaker.h"
#include "model/projekt.h"
// The engine's one upward include: every pass ends with the design judgement, handed over with
// the results. It lives with the optimizer, its main user, and needs only the model and results.
#include "optimizer/judgement.h" // upward: see above

#include <memory>
#include <string>
#include <vector>

namespace tavrel {

class TCalcEngine {
public:
    TCalcEngine();
    ~TCalcEngine();
    TCalcEngine(const TCalcEngine&) = delete;
    TCalcEngine& operator=(const TCalcEngine&) = delete;

    /// Marks every job pending and zeroes the results (the next Accept recomputes all).
    void MarkAll();
    /// Compares `incoming` with the project computed last, marks the jobs the difference
    /// touches, takes the copy and counts the pending jobs.
    void Accept(const TProjekt& incoming);
    /// Runs the first pending job in the fixed order; false when none was pending.
    bool RunNextJob();
    /// Assembles the result header and computes the judgement figures.
    void FinishPass();
    /// MarkAll (when `full`), Accept, every job, FinishPass: one synchronous calculation.
    void CalculateAll(const TProjekt& project, bool full = true);
    /// Whether the speaker job is followed by the group delay, impulse and step responses (on
    /// by default; the optimizer's engines judge without them).
    void SetTimeCurves(bool on) {
        m_allTimeCurves = m_allTimeCurves || (on && !m_timeCurves);
        m_timeCurves = on;
    }
    /// Takes over another engine's project, results and job states, so that the next Accept
    /// computes only what differs from what `other` computed. The judgement stays this one's.
    void CopyStateFrom(const TCalcEngine& other);

    int JobCount() const { return m_jobCount; }
    int JobsDone() const { return m_jobsDone; }
    const TCalcStruct& Status() const { return m_status; }
    const TResult& Result() const { return m_results.current(); }
    /// The results of the finished pass, shared rather than copied: the engine writes its
    /// next pass elsewhere and never touches them again.
    std::shared_ptr<TResult> ShareResult() { return m_results.share(); }
    /// Brings the buffer of the next pass up to date now, after a hand-over, rather than when
    /// the next pass starts: done while the thread waits, it adds nothing to the next pass.
    void PrepareNextPass() { m_results.prepare(); }
    const TProjekt& Working() const { return *m_working; }
    TJudgement& Judgement() { return m_judgement; }
    const TJudgement& Judgement() const { return m_judgement; }

private:
    void detectChanges(const TProjekt& incoming);
    void countPendingJobs();
    void markDriversOf(int amp);
    TResult& results() { return m_results.writable(); }

    std::unique_ptr<TProjekt> m_working;
    ResultBuffers m_results;
    std::unique_ptr<NetworkScratch> m_scratch;
    TCalcStruct m_status;
    /// Drivers whose directional outputs the next speaker job must compute anew: those whose
    /// baffle, model, filter, network or amplifier changed since the last successful one.
    DriverMask m_speakerStale{};
    /// The next time curves are computed for every slot: drivers may have changed while they
    /// were off, or the results came from another engine.
    bool m_allTimeCurves = true;
    TJudgement m_judgement;
    int m_jobCount = 0;
    int m_jobsDone = 0;
    bool m_timeCurves = true;
};

/// The driver check job: every driver is driven from at most one amplifier network. Fills
/// AmpOfChassis and returns "Ok" or the error lines.
std::string RunCheckJob(const TProjekt& working, TResult& result);

/// The job state texts that are not "Ok" for the counts of `project`, in the order the error
/// list shows them.
std::vector<std::string> CollectErrors(const TCalcStruct& status, const TProjekt& project);

/// The status bar's progress text, e.g. "Calculation running: 33,3%".
std::string ProgressText(int jobsDone, int jobCount);

/// The comment with its first "<d>" replaced by the date text, cut to 64 characters.
std::string ExpandDate(std::string_view comment, std::string_view dateText);

} // namespace tavrel
