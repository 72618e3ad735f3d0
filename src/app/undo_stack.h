// The main window's undo stack: 21 whole-project snapshots with the text that names the
// change, newest first. Pushing a 22nd drops the oldest.
#pragma once

#include "model/projekt.h"

#include <array>
#include <memory>
#include <string>

namespace tavrel {

class UndoStack {
public:
    static constexpr int Slots = 21;

    UndoStack();

    /// Stores `current` as the newest snapshot with `text`.
    void Push(const TProjekt& current, std::string text);
    /// Restores the newest snapshot into `current` and drops it; false when there is none.
    bool Undo(TProjekt& current);
    /// Drops the newest snapshot without restoring it (an edit cancelled after its push).
    void Discard();

    bool CanUndo() const { return !m_texts[0].empty(); }
    /// "Undo \"text\"" for the menu item, or "Undo" when there is nothing to undo.
    std::string MenuCaption() const;
    const std::string& NewestText() const { return m_texts[0]; }

private:
    void shiftOut();

    std::array<std::unique_ptr<TProjekt>, Slots> m_projects;
    std::array<std::string, Slots> m_texts;
};

} // namespace tavrel
