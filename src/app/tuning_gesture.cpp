#include "app/tuning_gesture.h"

namespace tavrel {

bool TuningGesture::StartsNew(const std::string& key, const std::string& undoText,
                              const std::string& newestUndoText, Clock::time_point now) {
    const bool continues =
        !m_key.empty() && key == m_key && now - m_last < Pause && newestUndoText == m_undoText;
    m_key = key;
    m_undoText = undoText;
    m_last = now;
    return !continues;
}

} // namespace tavrel
