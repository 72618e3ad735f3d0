// The main window's undo and redo stacks: up to 21 whole-project snapshots each, with the text
// that names the change, newest first. Pushing a 22nd drops the oldest. Undoing a change moves
// the state it left onto the redo stack; the next change clears that stack.
#pragma once

#include "model/projekt.h"

#include <array>
#include <memory>
#include <string>

namespace tavrel {

/// A bounded stack of named project snapshots, newest first. Records are made on first use and
/// then reused, so a stack that is never filled holds little memory.
class SnapshotStack {
public:
    static constexpr int Slots = 21;

    void Push(const TProjekt& project, std::string text);
    /// Restores the newest snapshot into `project` and drops it.
    void PopInto(TProjekt& project);
    void DropNewest();
    void Clear();

    bool Empty() const { return m_texts[0].empty(); }
    const std::string& NewestText() const { return m_texts[0]; }

private:
    std::array<std::unique_ptr<TProjekt>, Slots> m_projects;
    std::array<std::string, Slots> m_texts;
};

class UndoStack {
public:
    static constexpr int Slots = SnapshotStack::Slots;

    /// Stores `current` as the newest snapshot with `text`; what could be redone is gone.
    void Push(const TProjekt& current, std::string text);
    /// Restores the newest snapshot into `current`, keeping `current` for redo; false when
    /// there is nothing to undo.
    bool Undo(TProjekt& current);
    /// Takes back the newest undo; false when there is nothing to redo.
    bool Redo(TProjekt& current);
    /// Drops the newest snapshot without restoring it (an edit cancelled after its push).
    void Discard();

    bool CanUndo() const { return !m_undo.Empty(); }
    bool CanRedo() const { return !m_redo.Empty(); }
    /// "Undo \"text\"" for the menu item, or "Undo" when there is nothing to undo.
    std::string MenuCaption() const;
    /// "Redo \"text\"", or "Redo" when there is nothing to redo.
    std::string RedoMenuCaption() const;
    const std::string& NewestText() const { return m_undo.NewestText(); }
    const std::string& NewestRedoText() const { return m_redo.NewestText(); }

private:
    SnapshotStack m_undo;
    SnapshotStack m_redo;
};

} // namespace tavrel
