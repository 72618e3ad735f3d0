// Groups the steps of one tuning gesture into one undo step: steps on the same value less
// than 0.7 s apart belong together, as long as the gesture's undo step is still the newest
// (an undo or another edit in between starts a new gesture).
#pragma once

#include <chrono>
#include <string>

namespace tavrel {

class TuningGesture {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds Pause{700};

    /// Records a step on the value `key` at `now` whose gesture is undone as `undoText`;
    /// true when the step starts a new gesture, so that the caller pushes an undo step.
    /// `newestUndoText` is the text of the undo stack's newest step.
    bool StartsNew(const std::string& key, const std::string& undoText,
                   const std::string& newestUndoText, Clock::time_point now);

private:
    std::string m_key;
    std::string m_undoText;
    Clock::time_point m_last{};
};

} // namespace tavrel
