// The engine's results in two buffers, so that a finished pass is handed over as a shared
// snapshot instead of a copy: the snapshot is left alone, and the next pass writes the other
// buffer after bringing it up to date with only what the passes since changed.
#pragma once

#include "engine/result.h"
#include "engine/speaker.h"

#include <array>
#include <memory>

namespace tavrel {

/// The large per-slot blocks of the results a pass wrote. Everything else in the results is
/// small and always brought over whole.
struct ResultChanges {
    bool all = false;
    DriverMask baffle{};     ///< BaffleFront and BaffleRear
    DriverMask directions{}; ///< DirFront and DirRear
    TimeSlotMask time{};     ///< Impulse and Step
};

/// Sets in `to` every flag set in `from`.
template <std::size_t N>
void AddFlags(std::array<bool, N>& to, const std::array<bool, N>& from) {
    for (std::size_t i = 0; i < N; ++i) {
        to[i] = to[i] || from[i];
    }
}

/// Copies into `to` what makes it equal to `from`, when the two differed only by `changes`;
/// Valid is never read (a snapshot's receiver may be writing it).
void CopyChangedResults(TResult& to, const TResult& from, const ResultChanges& changes);

class ResultBuffers {
public:
    ResultBuffers();

    const TResult& current() const { return *m_current; }
    /// The buffer to write: the current one, or, once that is shared, the other one brought up
    /// to date (a fresh copy while a receiver still holds the other).
    TResult& writable();
    /// What writable() does, done ahead when it is the update of the other buffer; a whole
    /// copy (the first hand-over, a buffer still held) waits until a pass needs it.
    void prepare();
    /// What the passes since the last snapshot wrote; the jobs add to it.
    ResultChanges& changes() { return m_changes; }
    /// The current results as a snapshot the engine never writes again. Its receiver owns
    /// its Valid flag (to mark it outdated) and drops it when it takes the next one.
    std::shared_ptr<TResult> share();
    /// Continues on zeroed results (a fresh buffer, not a cleared one: its pages are only
    /// touched where the jobs write).
    void clear();

private:
    /// Nobody but this holds the previous snapshot any more.
    bool spareFree() const { return m_spare && m_spare.use_count() == 1; }

    std::shared_ptr<TResult> m_current;
    std::shared_ptr<TResult> m_spare; ///< the previous snapshot, or null
    ResultChanges m_changes;
    bool m_shared = false;
};

} // namespace tavrel
