#include "app/undo_stack.h"

namespace tavrel {

UndoStack::UndoStack() {
    for (auto& slot : m_projects) {
        slot = std::make_unique<TProjekt>();
    }
}

void UndoStack::Push(const TProjekt& current, std::string text) {
    // The oldest record is reused for the newest so no snapshot is allocated per edit.
    std::unique_ptr<TProjekt> recycled = std::move(m_projects[Slots - 1]);
    for (int i = Slots - 1; i > 0; --i) {
        m_projects[i] = std::move(m_projects[i - 1]);
        m_texts[i] = std::move(m_texts[i - 1]);
    }
    *recycled = current;
    m_projects[0] = std::move(recycled);
    m_texts[0] = std::move(text);
}

bool UndoStack::Undo(TProjekt& current) {
    if (!CanUndo()) {
        return false;
    }
    current = *m_projects[0];
    shiftOut();
    return true;
}

void UndoStack::Discard() {
    shiftOut();
}

void UndoStack::shiftOut() {
    std::unique_ptr<TProjekt> recycled = std::move(m_projects[0]);
    for (int i = 1; i < Slots; ++i) {
        m_projects[i - 1] = std::move(m_projects[i]);
        m_texts[i - 1] = std::move(m_texts[i]);
    }
    m_projects[Slots - 1] = std::move(recycled);
    m_texts[Slots - 1].clear();
}

std::string UndoStack::MenuCaption() const {
    return CanUndo() ? "Undo \"" + m_texts[0] + "\"" : std::string("Undo");
}

} // namespace tavrel
