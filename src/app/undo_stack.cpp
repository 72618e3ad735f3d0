#include "app/undo_stack.h"

#include <algorithm>

namespace tavrel {

void SnapshotStack::Push(const TProjekt& project, std::string text) {
    // The oldest record is reused for the newest so no snapshot is allocated per edit.
    std::rotate(m_projects.rbegin(), m_projects.rbegin() + 1, m_projects.rend());
    std::rotate(m_texts.rbegin(), m_texts.rbegin() + 1, m_texts.rend());
    if (!m_projects[0]) {
        m_projects[0] = std::make_unique<TProjekt>(project);
    } else {
        *m_projects[0] = project;
    }
    m_texts[0] = std::move(text);
}

void SnapshotStack::PopInto(TProjekt& project) {
    project = *m_projects[0];
    DropNewest();
}

void SnapshotStack::DropNewest() {
    std::rotate(m_projects.begin(), m_projects.begin() + 1, m_projects.end());
    std::rotate(m_texts.begin(), m_texts.begin() + 1, m_texts.end());
    m_texts[Slots - 1].clear();
}

void SnapshotStack::Clear() {
    for (std::string& text : m_texts) {
        text.clear();
    }
}

void UndoStack::Push(const TProjekt& current, std::string text) {
    m_undo.Push(current, std::move(text));
    m_redo.Clear();
}

bool UndoStack::Undo(TProjekt& current) {
    if (!CanUndo()) {
        return false;
    }
    m_redo.Push(current, m_undo.NewestText());
    m_undo.PopInto(current);
    return true;
}

bool UndoStack::Redo(TProjekt& current) {
    if (!CanRedo()) {
        return false;
    }
    m_undo.Push(current, m_redo.NewestText());
    m_redo.PopInto(current);
    return true;
}

void UndoStack::Discard() {
    m_undo.DropNewest();
}

std::string UndoStack::MenuCaption() const {
    return CanUndo() ? "Undo \"" + m_undo.NewestText() + "\"" : std::string("Undo");
}

std::string UndoStack::RedoMenuCaption() const {
    return CanRedo() ? "Redo \"" + m_redo.NewestText() + "\"" : std::string("Redo");
}

} // namespace tavrel
